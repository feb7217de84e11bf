#include "platform/win32/Win32ControlPeer.h"

#include "platform/win32/Win32FormPeer.h"
#include "platform/win32/Win32Handles.h"

#include <algorithm>

namespace tvm {

Win32ControlPeer::Win32ControlPeer(Win32FormPeer& form, Win32Host& host, TControl& control)
    : form_(form), loop_(form.Loop()), host_(host), control_(control), id_(form.NextControlId()) {
    form_.Register(*this);
}

Win32ControlPeer::~Win32ControlPeer() {
    form_.Unregister(*this);
    // Unhooked first: what the windows say while they go is nobody's business.
    for (HWND window : windows_) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        form_.SetTool(window, {});
    }
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    for (HWND window : windows_) {
        if (window != window_ && IsWindow(window)) {
            DestroyWindow(window);
        }
    }
}

void Win32ControlPeer::Create(const char* className, DWORD style, DWORD exStyle) {
    window_ = CreateWindowExA(
        exStyle, className, "", WS_CHILD | style, 0, 0, 0, 0, host_.HostWindow(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleA(nullptr), nullptr);
    if (window_ == nullptr) {
        ThrowLastError("CreateWindowExA");
    }
    Adopt(window_);
}

void Win32ControlPeer::Adopt(HWND window) {
    if (window == nullptr) {
        return;
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(form_.Font()), FALSE);
    windows_.push_back(window);
    if (!hint_.empty()) {
        form_.SetTool(window, hint_);
    }
}

Win32ControlPeer* Win32ControlPeer::FromHandle(HWND window) {
    if (window == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Win32ControlPeer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool Win32ControlPeer::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND && lParam != 0) {
        const HWND from = reinterpret_cast<HWND>(lParam);
        Win32ControlPeer* peer = FromHandle(from);
        // The dialog manager also sends IDOK with the focused window in lParam; only a
        // window's own notification carries its own id.
        if (peer != nullptr && GetDlgCtrlID(from) == LOWORD(wParam)) {
            peer->OnCommand(HIWORD(wParam));
            result = 0;
            return true;
        }
        return false;
    }
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (Win32ControlPeer* peer = FromHandle(header->hwndFrom)) {
            result = peer->OnNotify(*header);
            return true;
        }
    }
    return false;
}

void Win32ControlPeer::SyncBounds(int left, int top, int width, int height) {
    // Each length is scaled by itself, as the dialog manager scales dialog units; the
    // host's origin is in pixels already.
    const POINT origin = host_.Origin();
    Place(form_.Scale(left) - origin.x, form_.Scale(top) - origin.y,
          form_.Scale(std::max(width, 0)), form_.Scale(std::max(height, 0)));
}

void Win32ControlPeer::OnDpiChanged() {
    for (HWND window : windows_) {
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(form_.Font()), FALSE);
    }
}

void Win32ControlPeer::Replace() {
    SyncBounds(control_.FormLeft(), control_.FormTop(), control_.Width(), control_.Height());
}

void Win32ControlPeer::Place(int left, int top, int width, int height) {
    EchoGuard guard(*this);
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32ControlPeer::SyncVisible(bool visible) {
    EchoGuard guard(*this);
    for (HWND window : windows_) {
        if (GetParent(window) == host_.HostWindow()) {
            ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
        }
    }
}

void Win32ControlPeer::SyncEnabled(bool enabled) {
    EchoGuard guard(*this);
    for (HWND window : windows_) {
        if (GetParent(window) == host_.HostWindow()) {
            EnableWindow(window, enabled ? TRUE : FALSE);
        }
    }
}

void Win32ControlPeer::SyncText(const std::string& text) {
    // Writing the same text again would move the caret of a field being typed in.
    if (WindowText(window_) == text) {
        return;
    }
    EchoGuard guard(*this);
    SetWindowTextA(window_, text.c_str());
}

void Win32ControlPeer::SyncHint(const std::string& hint) {
    hint_ = hint;
    for (HWND window : windows_) {
        form_.SetTool(window, hint_);
    }
}

void Win32ControlPeer::SetFocus() {
    ::SetFocus(window_);
}

std::string Win32ControlPeer::WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

void Win32ControlPeer::SetStyleBit(HWND window, LONG_PTR bit, bool on) {
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR wanted = on ? (style | bit) : (style & ~bit);
    if (wanted != style) {
        SetWindowLongPtrA(window, GWL_STYLE, wanted);
    }
}

} // namespace tvm
