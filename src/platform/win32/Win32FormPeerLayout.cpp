// The form window's size, place and DPI: the layout's 96-DPI units against the window's
// pixels.
#include "platform/win32/Win32FormPeer.h"

#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32Toolkit.h"

namespace tvm {

int Win32FormPeer::Scale(int length) const {
    return ScaleToDpi(length, dpi_);
}

int Win32FormPeer::Unscale(int length) const {
    return ScaleFromDpi(length, dpi_);
}

SIZE Win32FormPeer::FrameExtra() const {
    RECT frame;
    RECT client;
    GetWindowRect(window_, &frame);
    GetClientRect(window_, &client);
    return SIZE{frame.right - frame.left - client.right, frame.bottom - frame.top - client.bottom};
}

// The layout's outer size holds a frame drawn at 96 DPI; at another DPI the client part
// scales and the frame is the one the window has.
SIZE Win32FormPeer::OuterToPixels(int width, int height) const {
    if (dpi_ == LayoutDpi) {
        return SIZE{width, height};
    }
    const SIZE frame = FrameExtra();
    return SIZE{Scale(width - layoutFrame_.cx) + frame.cx,
                Scale(height - layoutFrame_.cy) + frame.cy};
}

SIZE Win32FormPeer::OuterFromPixels(const RECT& frame, const RECT& client) const {
    if (dpi_ == LayoutDpi) {
        return SIZE{frame.right - frame.left, frame.bottom - frame.top};
    }
    return SIZE{Unscale(client.right) + layoutFrame_.cx, Unscale(client.bottom) + layoutFrame_.cy};
}

POINT Win32FormPeer::PlacementShift(const RECT& frame) const {
    if (dpi_ == LayoutDpi) {
        return POINT{0, 0};
    }
    return POINT{(form_.Width - (frame.right - frame.left)) / 2,
                 (form_.Height - (frame.bottom - frame.top)) / 2};
}

void Win32FormPeer::SyncVisible(bool visible) {
    if (visible && ready_) {
        Place();
    }
    ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

void Win32FormPeer::Place() {
    // The size the model changed since the window last reported its own wins.
    RECT frame;
    RECT client;
    GetWindowRect(window_, &frame);
    GetClientRect(window_, &client);
    const SIZE reported = OuterFromPixels(frame, client);
    if (form_.Width > 0 && form_.Height > 0 &&
        (form_.Width != reported.cx || form_.Height != reported.cy)) {
        const SIZE outer = OuterToPixels(form_.Width, form_.Height);
        SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        ApplySize();
    }
    GetWindowRect(window_, &frame);
    const POINT shift = PlacementShift(frame);
    int left = form_.Left + shift.x;
    int top = form_.Top + shift.y;
    if (form_.Centered) {
        left = (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2;
        top = (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2;
    }
    SetWindowPos(window_, form_.TopMost ? HWND_TOPMOST : HWND_NOTOPMOST, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32FormPeer::Ready() {
    ApplySize();
    ready_ = true;
    Resized();
}

void Win32FormPeer::ApplySize() {
    int width = form_.Width;
    int height = form_.Height;
    RECT client;
    GetClientRect(window_, &client);
    if (ready_ && Unscale(client.right) == form_.ClientWidth &&
        Unscale(client.bottom) == form_.ClientHeight) {
        return;
    }
    if (form_.ClientWidth > 0 && form_.ClientHeight > 0) {
        const RECT rect = FrameForClient(
            RECT{0, 0, Scale(form_.ClientWidth), Scale(form_.ClientHeight)},
            static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_STYLE)), GetMenu(window_) != nullptr,
            static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_EXSTYLE)), dpi_);
        width = rect.right - rect.left;
        height = rect.bottom - rect.top;
    }
    if (width > 0 && height > 0) {
        SetWindowPos(window_, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Win32FormPeer::Resized() {
    RECT client;
    RECT frame;
    GetClientRect(window_, &client);
    GetWindowRect(window_, &frame);
    const SIZE outer = OuterFromPixels(frame, client);
    form_.Resize(Unscale(client.right), Unscale(client.bottom), outer.cx, outer.cy);
    for (Win32ControlPeer* peer : peers_) {
        peer->OnFormResized();
    }
}

// The window was dragged to a monitor of another DPI, or the user changed the scale: the
// system suggests the rectangle, the layout follows at the new DPI.
Win32FormPeer::Answer Win32FormPeer::OnDpiChanged(UINT dpi, const RECT& suggested) {
    if (form_.BorderStyle == TBorderStyle::None) {
        return 0;
    }
    dpi_ = dpi;
    font_ = toolkit_.Fonts().At(dpi_);
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    for (Win32ControlPeer* peer : peers_) {
        peer->OnDpiChanged();
    }
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The controls whose layout did not move with the new size still have to be drawn
    // at the new scale.
    for (Win32ControlPeer* peer : peers_) {
        peer->Replace();
        peer->OnFormResized();
    }
    InvalidateRect(window_, nullptr, TRUE);
    return 0;
}

Win32FormPeer::Answer Win32FormPeer::OnGetMinMaxInfo(MINMAXINFO& info) const {
    const SIZE least = OuterToPixels(form_.MinWidth, form_.MinHeight);
    const SIZE most = OuterToPixels(form_.MaxWidth, form_.MaxHeight);
    if (form_.MinWidth > 0) {
        info.ptMinTrackSize.x = least.cx;
    }
    if (form_.MinHeight > 0) {
        info.ptMinTrackSize.y = least.cy;
    }
    if (form_.MaxWidth > 0) {
        info.ptMaxTrackSize.x = most.cx;
    }
    if (form_.MaxHeight > 0) {
        info.ptMaxTrackSize.y = most.cy;
    }
    return 0;
}

Win32FormPeer::Answer Win32FormPeer::OnSize(WPARAM kind) {
    if (ready_ && kind != SIZE_MINIMIZED) {
        Resized();
    }
    return 0;
}

Win32FormPeer::Answer Win32FormPeer::OnMove() {
    RECT frame;
    GetWindowRect(window_, &frame);
    if (!IsIconic(window_)) {
        const POINT shift = PlacementShift(frame);
        form_.Left = frame.left - shift.x;
        form_.Top = frame.top - shift.y;
    }
    return 0;
}

} // namespace tvm
