#include "platform/win32/Win32ShellWindow.h"

#include "platform/win32/Win32SingleInstance.h"
#include "ui/widgets/Application.h"

#include <dbt.h>
#include <wtsapi32.h>

namespace tvm {

namespace {

// GUID_DEVINTERFACE_MONITOR (ntddvdeo.h) and GUID_ACDC_POWER_SOURCE (winnt.h), spelled
// out: the headers only declare them.
constexpr GUID kMonitorInterface{
    0xe6f07b5f, 0xee97, 0x4a90, {0xb0, 0x76, 0x33, 0xf5, 0x7b, 0xf4, 0xea, 0xa7}};
constexpr GUID kAcDcPowerSource{
    0x5d3e9a59, 0xe9d5, 0x4b00, {0xa6, 0xbd, 0xff, 0x34, 0xff, 0x51, 0x65, 0x48}};

} // namespace

Win32ShellWindow::Win32ShellWindow(Win32Toolkit& toolkit, TForm& main, ShellEvents& events,
                                   Routes routes, Win32Tray::Icons trayIcons)
    : main_(main), events_(events), routes_(routes), tray_(toolkit, main, trayIcons),
      taskbarCreatedMessage_(RegisterWindowMessageA("TaskbarCreated")),
      showMainMessage_(RegisterWindowMessageA(Win32SingleInstance::ShowMainMessageName)),
      window_(Window()) {
    routes_.Timers.Attach(window_);
    RegisterNotifications();
}

Win32ShellWindow::~Win32ShellWindow() {
    UnregisterNotifications();
    routes_.Timers.Detach();
}

void Win32ShellWindow::RegisterNotifications() {
    // Each may fail (no session service, a system without the notification): the
    // program then does without that event, as it did before.
    sessionRegistered_ = WTSRegisterSessionNotification(window_, NOTIFY_FOR_THIS_SESSION) != FALSE;
    DEV_BROADCAST_DEVICEINTERFACE_A filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kMonitorInterface;
    monitorNotification_ =
        RegisterDeviceNotificationA(window_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    powerSourceNotification_ =
        RegisterPowerSettingNotification(window_, &kAcDcPowerSource, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void Win32ShellWindow::UnregisterNotifications() {
    if (sessionRegistered_) {
        WTSUnRegisterSessionNotification(window_);
        sessionRegistered_ = false;
    }
    if (monitorNotification_ != nullptr) {
        UnregisterDeviceNotification(monitorNotification_);
        monitorNotification_ = nullptr;
    }
    if (powerSourceNotification_ != nullptr) {
        UnregisterPowerSettingNotification(powerSourceNotification_);
        powerSourceNotification_ = nullptr;
    }
}

bool Win32ShellWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const Answer answer = Dispatch(message, wParam, lParam);
    if (answer) {
        result = *answer;
    }
    return answer.has_value();
}

Win32ShellWindow::Answer Win32ShellWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DISPLAYCHANGE:
        return OnDisplayChange();
    case WM_TIMER:
        return OnTimer(static_cast<UINT_PTR>(wParam));
    case TrayIconData::CallbackMessage:
        return OnTrayIcon(static_cast<std::uint32_t>(lParam));
    case WM_ENDSESSION:
        return OnEndSession(wParam != FALSE);
    case WM_POWERBROADCAST:
        return OnPowerBroadcast(wParam);
    case WM_WTSSESSION_CHANGE:
        return OnSessionChange(wParam);
    case WM_DEVICECHANGE:
        return OnDeviceChange(wParam, lParam);
    case WM_DESTROY:
        // The registrations name the window: they go with it.
        UnregisterNotifications();
        return std::nullopt;
    default:
        break;
    }
    // Registered messages have their numbers only at run time; 0 is a failed
    // registration, never a message of theirs.
    if (message != 0 && message == taskbarCreatedMessage_) {
        return OnTaskbarCreated();
    }
    if (message != 0 && message == showMainMessage_) {
        return OnShowMainRequest();
    }
    return std::nullopt;
}

Win32ShellWindow::Answer Win32ShellWindow::OnDisplayChange() {
    routes_.Display.DisplayChanged();
    return 0;
}

Win32ShellWindow::Answer Win32ShellWindow::OnTimer(UINT_PTR id) {
    if (routes_.Timers.Tick(id)) {
        return 0;
    }
    return std::nullopt;
}

Win32ShellWindow::Answer Win32ShellWindow::OnTrayIcon(std::uint32_t mouseMessage) {
    main_.App().Dispatch([this, mouseMessage] { events_.TrayIconCallback(mouseMessage); });
    // WM_USER + 1 is also the dialog manager's DM_SETDEFID: the form's own processing
    // still has it.
    return std::nullopt;
}

Win32ShellWindow::Answer Win32ShellWindow::OnTaskbarCreated() {
    main_.App().Dispatch([this] { events_.OnTaskbarCreated(); });
    return std::nullopt;
}

Win32ShellWindow::Answer Win32ShellWindow::OnShowMainRequest() {
    main_.App().Dispatch([this] { events_.OnShowMainMessage(); });
    if (main_.Visible()) {
        Win32SingleInstance::AcknowledgeShown();
    }
    return 0;
}

Win32ShellWindow::Answer Win32ShellWindow::OnEndSession(bool ending) {
    if (ending) {
        // Logging off: the process ends here, without what follows the loop.
        ExitProcess(0);
    }
    return std::nullopt;
}

void Win32ShellWindow::Deliver(SystemEvent event) {
    main_.App().Dispatch([this, event] { events_.OnSystemEvent(event); });
}

Win32ShellWindow::Answer Win32ShellWindow::OnPowerBroadcast(WPARAM event) {
    switch (event) {
    case PBT_APMRESUMEAUTOMATIC:
    case PBT_APMRESUMESUSPEND:
        Deliver(SystemEvent::Resumed);
        break;
    // The setting's value is not read: the only setting registered for is the power
    // source, and the program reads the source itself.
    case PBT_APMPOWERSTATUSCHANGE:
    case PBT_POWERSETTINGCHANGE:
        Deliver(SystemEvent::PowerStatusChanged);
        break;
    default:
        break;
    }
    return TRUE;
}

Win32ShellWindow::Answer Win32ShellWindow::OnSessionChange(WPARAM event) {
    if (event == WTS_SESSION_UNLOCK || event == WTS_CONSOLE_CONNECT) {
        Deliver(SystemEvent::SessionBack);
    }
    return 0;
}

Win32ShellWindow::Answer Win32ShellWindow::OnDeviceChange(WPARAM event, LPARAM data) {
    // The system copies an arrival's record into this process (and refuses to post
    // one), so the pointer is good; its kind and size are checked before its class is
    // read.
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (event == DBT_DEVICEARRIVAL && header != nullptr &&
        header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE &&
        header->dbch_size >= sizeof(DEV_BROADCAST_DEVICEINTERFACE_A)) {
        const auto* device = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_A*>(data);
        if (IsEqualGUID(device->dbcc_classguid, kMonitorInterface)) {
            Deliver(SystemEvent::MonitorArrived);
        }
    }
    // Granting whatever the system asks (removal queries included), as the default does.
    return TRUE;
}

} // namespace tvm
