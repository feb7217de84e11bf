// The yardstick for the program's idle cost: a bare window whose 1 ms timer makes the
// same five display queries per tick as the enforcement poll, and nothing else.
#include <windows.h>

namespace {

HDC screen;
volatile int sink;

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        sink = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES) +
               GetSystemMetrics(SM_CXSCREEN) + GetSystemMetrics(SM_CYSCREEN) +
               GetDeviceCaps(screen, VREFRESH);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Proc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "BarePoll";
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowA("BarePoll", "BarePoll", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                      nullptr, nullptr, instance, nullptr);
    screen = GetDC(nullptr);
    SetTimer(window, 1, 1, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    return 0;
}
