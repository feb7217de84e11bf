#include "platform/win32/Win32Dpi.h"

#include "platform/win32/Win32Handles.h"

namespace tvm {

namespace {

// A function of user32 by name, or null where this Windows lacks it.
template <class F> F User32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    if (user32 == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

UINT ScreenDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : LayoutDpi;
}

} // namespace

UINT WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    if (const auto get = User32Function<GetDpiForWindowFn>("GetDpiForWindow")) {
        if (const UINT dpi = get(window); dpi != 0) {
            return dpi;
        }
    }
    // Windows 8.1 has a DPI per monitor already, asked of the monitor (shcore).
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    if (const HMODULE shcore = LoadLibraryA("shcore.dll")) {
        const auto get = reinterpret_cast<GetDpiForMonitorFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(shcore, "GetDpiForMonitor")));
        UINT x = 0;
        UINT y = 0;
        const bool known = get != nullptr &&
                           SUCCEEDED(get(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                                         0 /* MDT_EFFECTIVE_DPI */, &x, &y)) &&
                           x != 0;
        FreeLibrary(shcore);
        if (known) {
            return x;
        }
    }
    return ScreenDpi();
}

UINT SystemDpi() {
    using GetDpiForSystemFn = UINT(WINAPI*)();
    if (const auto get = User32Function<GetDpiForSystemFn>("GetDpiForSystem")) {
        return get();
    }
    return ScreenDpi();
}

RECT FrameForClient(RECT client, DWORD style, bool menu, DWORD exStyle, UINT dpi) {
    using AdjustFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    if (const auto adjust = User32Function<AdjustFn>("AdjustWindowRectExForDpi")) {
        if (adjust(&client, style, menu ? TRUE : FALSE, exStyle, dpi)) {
            return client;
        }
    }
    AdjustWindowRectEx(&client, style, menu ? TRUE : FALSE, exStyle);
    return client;
}

int SystemMetricForDpi(int index, UINT dpi) {
    using MetricFn = int(WINAPI*)(int, UINT);
    if (const auto metric = User32Function<MetricFn>("GetSystemMetricsForDpi")) {
        return metric(index, dpi);
    }
    return GetSystemMetrics(index);
}

} // namespace tvm
