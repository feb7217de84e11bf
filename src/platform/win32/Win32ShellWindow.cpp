#include "platform/win32/Win32ShellWindow.h"

#include "platform/win32/Win32SingleInstance.h"
#include "ui/widgets/Application.h"

namespace tvm {

Win32ShellWindow::Win32ShellWindow(Win32Toolkit& toolkit, TForm& main, ShellEvents& events,
                                   Routes routes, Win32Tray::Icons trayIcons)
    : main_(main), events_(events), routes_(routes), tray_(toolkit, main, trayIcons),
      taskbarCreatedMessage_(RegisterWindowMessageA("TaskbarCreated")),
      showMainMessage_(RegisterWindowMessageA(Win32SingleInstance::ShowMainMessageName)) {
    routes_.Timers.Attach(Window());
}

Win32ShellWindow::~Win32ShellWindow() {
    routes_.Timers.Detach();
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

} // namespace tvm
