#pragma once

#include <windows.h>

namespace tvm {

// The layout's unit: every position, size and font of the control model is in pixels
// at 96 DPI, and the peers scale them to the DPI of the window they realize.
inline constexpr UINT LayoutDpi = 96;

// A length of the layout at `dpi`, rounded as the dialog manager rounds.
inline int ScaleToDpi(int value, UINT dpi) {
    return MulDiv(value, static_cast<int>(dpi), static_cast<int>(LayoutDpi));
}
// A length at `dpi` in the layout's unit.
inline int ScaleFromDpi(int value, UINT dpi) {
    return MulDiv(value, static_cast<int>(LayoutDpi), static_cast<int>(dpi));
}

// The calls below came with Windows 10 (1607); on an older system each falls back to
// the system-wide DPI, which before Windows 8.1 is the only one.

// The DPI of the monitor the window is on (on Windows 8.1 asked of the monitor).
UINT WindowDpi(HWND window);
// The DPI of the primary monitor, the one the system scales the shell for.
UINT SystemDpi();
// The frame around `client` for a window of these styles at `dpi`.
RECT FrameForClient(RECT client, DWORD style, bool menu, DWORD exStyle, UINT dpi);
// GetSystemMetrics at `dpi`.
int SystemMetricForDpi(int index, UINT dpi);

} // namespace tvm
