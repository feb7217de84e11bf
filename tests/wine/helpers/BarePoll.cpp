// The yardstick for the program's idle cost: a bare window whose 1 ms timer makes the
// same display queries per tick as the enforcement poll, and nothing else: five for the
// primary and, given another display's device name on the command line ("\\.\DISPLAY2"),
// what the poll asks of that display too (its monitor's rectangle twice, three
// capabilities of its drawing context).
#include <windows.h>

namespace {

HDC screen;
HDC second;
HMONITOR secondMonitor;
volatile int sink;

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        sink = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES) +
               GetSystemMetrics(SM_CXSCREEN) + GetSystemMetrics(SM_CYSCREEN) +
               GetDeviceCaps(screen, VREFRESH);
        if (second != nullptr) {
            MONITORINFOEXW info{};
            info.cbSize = sizeof info;
            GetMonitorInfoW(secondMonitor, &info);
            GetMonitorInfoW(secondMonitor, &info);
            sink = sink + GetDeviceCaps(second, BITSPIXEL) * GetDeviceCaps(second, PLANES) +
                   GetDeviceCaps(second, VREFRESH) + info.rcMonitor.right;
        }
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

BOOL CALLBACK FindMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM device) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info) &&
        lstrcmpiW(info.szDevice, reinterpret_cast<const wchar_t*>(device)) == 0) {
        secondMonitor = monitor;
        return FALSE;
    }
    return TRUE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Proc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "BarePoll";
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowA("BarePoll", "BarePoll", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                      nullptr, nullptr, instance, nullptr);
    screen = GetDC(nullptr);
    if (commandLine != nullptr && commandLine[0] != '\0') {
        wchar_t device[64] = {};
        MultiByteToWideChar(CP_ACP, 0, commandLine, -1, device, 63);
        EnumDisplayMonitors(nullptr, nullptr, FindMonitor, reinterpret_cast<LPARAM>(device));
        if (secondMonitor != nullptr) {
            second = CreateDCW(L"DISPLAY", device, nullptr, nullptr);
        }
    }
    SetTimer(window, 1, 1, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    return 0;
}
