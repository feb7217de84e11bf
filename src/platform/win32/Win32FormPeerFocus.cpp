// The form's keyboard focus: the default push button follows the focus, Enter and the
// dialog manager's moves find their control, and a window that comes back to the front
// gets its last focused control again.
#include "platform/win32/Win32FormPeer.h"

#include "ui/widgets/StdCtrls.h"

namespace tvm {

void Win32FormPeer::PushButtonFocus(Win32ControlPeer& button, bool focused) {
    Win32ControlPeer* defaultButton = ButtonPeer(true);
    if (defaultButton == nullptr || defaultButton == &button) {
        return;
    }
    SendMessageA(button.Handle(), BM_SETSTYLE, focused ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    SendMessageA(defaultButton->Handle(), BM_SETSTYLE, focused ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON,
                 TRUE);
}

Win32FormPeer::Answer Win32FormPeer::OnGetDefId() const {
    // Enter presses the push button that has the focus, else the default button.
    if (Win32ControlPeer* focused = Win32ControlPeer::FromHandle(GetFocus())) {
        if (&focused->Form() == this && dynamic_cast<const TButton*>(&focused->Control())) {
            return MAKELRESULT(focused->Id(), DC_HASDEFID);
        }
    }
    if (Win32ControlPeer* button = ButtonPeer(true)) {
        if (button->Control().Visible()) {
            return MAKELRESULT(button->Id(), DC_HASDEFID);
        }
    }
    return 0;
}

Win32FormPeer::Answer Win32FormPeer::OnNextDlgCtl(WPARAM wParam, LPARAM lParam) {
    const HWND target = LOWORD(lParam) != 0
                            ? reinterpret_cast<HWND>(wParam)
                            : GetNextDlgTabItem(window_, GetFocus(), wParam != 0 ? TRUE : FALSE);
    if (target == nullptr) {
        return 0;
    }
    if (SendMessageA(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
        SendMessageA(target, EM_SETSEL, 0, -1);
    }
    ::SetFocus(target);
    return 0;
}

void Win32FormPeer::RestoreFocus() {
    if (lastFocus_ != nullptr && IsWindow(lastFocus_) && IsChild(window_, lastFocus_)) {
        ::SetFocus(lastFocus_);
        return;
    }
    if (const HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) {
        ::SetFocus(first);
    } else {
        // A window without controls takes the keys itself: with the focus nowhere,
        // Windows sends every key to the active window as WM_SYSKEYDOWN.
        ::SetFocus(window_);
    }
}

Win32FormPeer::Answer Win32FormPeer::OnActivate(WORD state, bool minimized) {
    if (state == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus)) {
            lastFocus_ = focus;
        }
    } else if (!minimized) {
        PostMessageA(window_, kRestoreFocusMessage, 0, 0);
    }
    return 0;
}

Win32FormPeer::Answer Win32FormPeer::OnSetFocus() {
    PostMessageA(window_, kRestoreFocusMessage, 0, 0);
    return 0;
}

Win32FormPeer::Answer Win32FormPeer::OnRestoreFocus() {
    // Only when the activation left the focus with nobody in particular: a window
    // activated by SetFocus on one of its controls keeps that focus, and no other
    // control (a radio button) sees it pass by.
    if (GetActiveWindow() == window_ && (GetFocus() == nullptr || GetFocus() == window_)) {
        RestoreFocus();
    }
    return 0;
}

} // namespace tvm
