#include "UnixTime.h"
#include "windriver/Arguments.h"
#include "windriver/CommandSet.h"
#include "windriver/Input.h"
#include "windriver/Windows.h"

#include <dbt.h>

#include <cstdio>
#include <cstring>

namespace windriver {

namespace {

const char* Visibility(HWND window) {
    return IsWindowVisible(window) ? "visible" : "hidden";
}

} // namespace

void ListWindows(const Words& words) {
    const Arguments arguments(words, {}, {"--timeout"}, 0, 0);
    for (HWND window : TopLevelWindows()) {
        RECT rect{};
        GetWindowRect(window, &rect);
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        std::printf("%s\t%s\t%lu\t%ld,%ld,%ld,%ld\t%s\t%s\n", Hex(window).c_str(),
                    Visibility(window), processId, rect.left, rect.top, rect.right, rect.bottom,
                    ClassOf(window).c_str(), StoredText(window).c_str());
    }
}

void ListControlsOf(const Words& words) {
    const Arguments arguments(words, {}, {"--timeout"}, 1, 1);
    const HWND top = WaitForTopLevel(arguments.At(0), arguments.Timeout());
    for (HWND child : Descendants(top)) {
        std::printf("%s\t%d\t%s\t%s\t%s\t%s\n", Hex(child).c_str(), GetDlgCtrlID(child),
                    Visibility(child), IsWindowEnabled(child) ? "enabled" : "disabled",
                    ClassOf(child).c_str(), StoredText(child).c_str());
    }
}

void WaitWindow(const Words& words) {
    const Arguments arguments(words, {"--visible", "--hidden", "--gone"}, {"--timeout"}, 1, 1);
    const bool visible = arguments.Flag("--visible");
    const bool hidden = arguments.Flag("--hidden");
    const bool gone = arguments.Flag("--gone");
    if (int{visible} + int{hidden} + int{gone} > 1) {
        BadUsage("choose one of --visible, --hidden, --gone");
    }
    const std::string& title = arguments.At(0);
    // WindowsTitled lists visible windows first, so the first one tells whether any is.
    const bool reached = WaitUntil(arguments.Timeout(), [&] {
        const auto found = WindowsTitled(title);
        if (gone) {
            return found.empty();
        }
        if (found.empty()) {
            return false;
        }
        const bool shown = IsWindowVisible(found.front()) != FALSE;
        return visible ? shown : hidden ? !shown : true;
    });
    if (!reached) {
        const char* state = gone ? "gone" : visible ? "visible" : hidden ? "hidden" : "there";
        const auto found = WindowsTitled(title);
        Fail("the window \"" + title + "\" is not " + state + " after " +
             std::to_string(arguments.Timeout()) + " ms (" +
             (found.empty() ? std::string("no such window")
                            : std::to_string(found.size()) + " such window(s), the first " +
                                  Visibility(found.front())) +
             ")");
    }
}

void Close(const Words& words) {
    const Arguments arguments(words, {}, {"--timeout"}, 1, 1);
    const ULONGLONG start = GetTickCount64();
    const HWND window = WaitForUsable(arguments.At(0), arguments.Timeout());
    Deliver(window, WM_CLOSE, 0, 0, Remaining(start, arguments.Timeout()));
}

void Send(const Words& words) {
    const Arguments arguments(words, {}, {"--timeout"}, 4, 4);
    const ULONGLONG start = GetTickCount64();
    const HWND window = WaitForTopLevel(arguments.At(0), arguments.Timeout());
    const auto message = static_cast<UINT>(Number(arguments.At(1), "MSG"));
    const auto wParam = static_cast<WPARAM>(Number(arguments.At(2), "WPARAM"));
    const auto lParam = static_cast<LPARAM>(Number(arguments.At(3), "LPARAM"));
    const Delivery delivery =
        Deliver(window, message, wParam, lParam, Remaining(start, arguments.Timeout()));
    if (delivery.Completed) {
        std::printf("%lld\n", static_cast<long long>(delivery.Result));
    }
}

void BroadcastRegistered(const Words& words) {
    const Arguments arguments(words, {}, {"--timeout"}, 1, 3);
    if (arguments.Count() == 2) {
        BadUsage("give both WPARAM and LPARAM, or neither");
    }
    const UINT message = RegisterWindowMessageA(arguments.At(0).c_str());
    if (message == 0) {
        Fail("cannot register \"" + arguments.At(0) + "\"");
    }
    const auto wParam =
        arguments.Count() == 3 ? static_cast<WPARAM>(Number(arguments.At(1), "WPARAM")) : 0;
    const auto lParam =
        arguments.Count() == 3 ? static_cast<LPARAM>(Number(arguments.At(2), "LPARAM")) : 0;
    DWORD_PTR result = 0;
    // The time-out applies to each window; one that hangs is skipped, not waited for.
    if (!SendMessageTimeoutA(HWND_BROADCAST, message, wParam, lParam,
                             SMTO_NORMAL | SMTO_ABORTIFHUNG, arguments.Timeout(), &result)) {
        Fail("the broadcast of \"" + arguments.At(0) + "\" failed (error " +
             std::to_string(GetLastError()) + ")");
    }
    std::printf("%u\n", message);
}

} // namespace windriver

namespace windriver {

void SystemEvent(const Words& words) {
    const Arguments arguments(words, {}, {"--timeout"}, 1, 1);
    const std::string& event = arguments.At(0);
    constexpr GUID kMonitorInterface{
        0xe6f07b5f, 0xee97, 0x4a90, {0xb0, 0x76, 0x33, 0xf5, 0x7b, 0xf4, 0xea, 0xa7}};
    DEV_BROADCAST_DEVICEINTERFACE_A arrival{};
    arrival.dbcc_size = sizeof arrival;
    arrival.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    arrival.dbcc_classguid = kMonitorInterface;
    UINT message = WM_POWERBROADCAST;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    if (event == "resume") {
        wParam = PBT_APMRESUMEAUTOMATIC;
    } else if (event == "power-status") {
        wParam = PBT_APMPOWERSTATUSCHANGE;
    } else if (event == "unlock" || event == "console-connect") {
        message = WM_WTSSESSION_CHANGE;
        wParam = event == "unlock" ? 8 /* WTS_SESSION_UNLOCK */ : 1 /* WTS_CONSOLE_CONNECT */;
    } else if (event == "monitor-arrival") {
        message = WM_DEVICECHANGE;
        wParam = DBT_DEVICEARRIVAL;
        lParam = reinterpret_cast<LPARAM>(&arrival);
    } else {
        BadUsage("unknown event");
    }
    std::printf("sent-at-ns %llu\n", UnixNanoseconds());
    for (HWND window : TopLevelWindows()) {
        DWORD_PTR result = 0;
        // One window that hangs is skipped, not waited for.
        SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                            arguments.Timeout(), &result);
    }
}

} // namespace windriver
