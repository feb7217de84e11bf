#include "platform/win32/Win32FormPeer.h"

#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32Font.h"
#include "platform/win32/Win32Toolkit.h"
#include "ui/widgets/StdCtrls.h"

#include <algorithm>

namespace tvm {

namespace {

constexpr UINT RestoreFocusMessage = WM_APP + 1;

DWORD FrameStyle(const TForm& form) {
    switch (form.BorderStyle) {
    case TBorderStyle::Dialog:
        return WS_POPUP | WS_CAPTION | WS_SYSMENU;
    case TBorderStyle::None:
        return WS_POPUP;
    case TBorderStyle::Sizeable:
        break;
    }
    DWORD style = WS_OVERLAPPEDWINDOW;
    if (!form.MaximizeBox) {
        style &= ~static_cast<DWORD>(WS_MAXIMIZEBOX);
    }
    if (!form.MinimizeBox) {
        style &= ~static_cast<DWORD>(WS_MINIMIZEBOX);
    }
    return style;
}

DWORD FrameExStyle(const TForm& form) {
    return WS_EX_CONTROLPARENT |
           (form.BorderStyle == TBorderStyle::Dialog ? WS_EX_DLGMODALFRAME : 0) |
           (form.TopMost ? WS_EX_TOPMOST : 0);
}

} // namespace

Win32FormPeer::Win32FormPeer(Win32Toolkit& toolkit, TForm& form) : toolkit_(toolkit), form_(form) {
    const bool placed = form.Left != 0 || form.Top != 0;
    window_ = CreateWindowExA(FrameExStyle(form), Win32Toolkit::FormClass, form.Caption().c_str(),
                              FrameStyle(form), placed ? form.Left : CW_USEDEFAULT,
                              placed ? form.Top : CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              nullptr, nullptr, GetModuleHandleA(nullptr), this);
    dpi_ = form.BorderStyle == TBorderStyle::None ? LayoutDpi : WindowDpi(window_);
    if (form.Width > 0 && form.ClientWidth > 0 && form.Height > 0 && form.ClientHeight > 0) {
        layoutFrame_ = SIZE{form.Width - form.ClientWidth, form.Height - form.ClientHeight};
    } else {
        const RECT frame = FrameForClient(
            RECT{0, 0, 0, 0}, static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_STYLE)),
            form.Menu != nullptr, static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_EXSTYLE)),
            LayoutDpi);
        layoutFrame_ = SIZE{frame.right - frame.left, frame.bottom - frame.top};
    }
    font_ = CreateShellDlgFont(dpi_);
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    // Long hints wrap instead of running across the screen.
    SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
    if (form.Menu != nullptr) {
        SetMenu(window_, menus_.CreateBar(*form.Menu));
    }
    Loop().AddDialogWindow(window_);
}

Win32FormPeer::~Win32FormPeer() {
    Loop().RemoveDialogWindow(window_);
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(tooltip_);
    DestroyWindow(window_);
    DeleteObject(font_);
}

Win32MessageLoop& Win32FormPeer::Loop() const {
    return toolkit_.Loop();
}

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

void Win32FormPeer::SyncText(const std::string& text) {
    SetWindowTextA(window_, text.c_str());
}

void Win32FormPeer::BringToFront() {
    if (IsIconic(window_)) {
        ShowWindow(window_, SW_RESTORE);
    }
    SetForegroundWindow(window_);
    BringWindowToTop(window_);
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

void Win32FormPeer::DpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    const HFONT previous = font_;
    font_ = CreateShellDlgFont(dpi_);
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    for (Win32ControlPeer* peer : peers_) {
        peer->OnDpiChanged();
    }
    DeleteObject(previous);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The controls whose layout did not move with the new size still have to be drawn
    // at the new scale.
    for (Win32ControlPeer* peer : peers_) {
        peer->Replace();
        peer->OnFormResized();
    }
    InvalidateRect(window_, nullptr, TRUE);
}

void Win32FormPeer::Register(Win32ControlPeer& peer) {
    peers_.push_back(&peer);
}

void Win32FormPeer::Unregister(Win32ControlPeer& peer) {
    peers_.erase(std::remove(peers_.begin(), peers_.end(), &peer), peers_.end());
    if (lastFocus_ != nullptr && Win32ControlPeer::FromHandle(lastFocus_) == &peer) {
        lastFocus_ = nullptr;
    }
}

void Win32FormPeer::SetTool(HWND window, const std::string& text) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    const bool known = SendMessageA(tooltip_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool));
    std::string copy = text;
    tool.lpszText = copy.data();
    if (text.empty()) {
        if (known) {
            SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    } else if (known) {
        SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

Win32ControlPeer* Win32FormPeer::PeerById(int id) const {
    for (Win32ControlPeer* peer : peers_) {
        if (peer->Id() == id) {
            return peer;
        }
    }
    return nullptr;
}

Win32ControlPeer* Win32FormPeer::ButtonPeer(bool wantDefault) const {
    for (Win32ControlPeer* peer : peers_) {
        const auto* button = dynamic_cast<const TButton*>(&peer->Control());
        if (button != nullptr && (wantDefault ? button->Default : button->Cancel)) {
            return peer;
        }
    }
    return nullptr;
}

void Win32FormPeer::PushButtonFocus(Win32ControlPeer& button, bool focused) {
    Win32ControlPeer* defaultButton = ButtonPeer(true);
    if (defaultButton == nullptr || defaultButton == &button) {
        return;
    }
    SendMessageA(button.Handle(), BM_SETSTYLE, focused ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    SendMessageA(defaultButton->Handle(), BM_SETSTYLE, focused ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON,
                 TRUE);
}

LRESULT Win32FormPeer::DefaultId() const {
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

bool Win32FormPeer::Command(WPARAM wParam, LPARAM lParam) {
    LRESULT ignored = 0;
    if (Win32ControlPeer::Route(WM_COMMAND, wParam, lParam, ignored)) {
        return true;
    }
    const UINT id = LOWORD(wParam);
    if (lParam == 0 && HIWORD(wParam) == 0 && id >= Win32Menus::FirstId) {
        if (TMenuItem* item = menus_.Item(id)) {
            item->Click();
        }
        return true;
    }
    if (id == IDCANCEL) {
        if (Win32ControlPeer* button = ButtonPeer(false)) {
            if (button->Control().Visible()) {
                button->OnCommand(BN_CLICKED);
            }
        }
        return true;
    }
    if (id == IDOK) {
        return true;
    }
    // The dialog manager names the button it presses by id alone when the button sits
    // on a tab sheet.
    if (Win32ControlPeer* peer = PeerById(static_cast<int>(id))) {
        peer->OnCommand(HIWORD(wParam));
        return true;
    }
    return false;
}

void Win32FormPeer::NextControl(WPARAM wParam, LPARAM lParam) {
    const HWND target = LOWORD(lParam) != 0
                            ? reinterpret_cast<HWND>(wParam)
                            : GetNextDlgTabItem(window_, GetFocus(), wParam != 0 ? TRUE : FALSE);
    if (target == nullptr) {
        return;
    }
    if (SendMessageA(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
        SendMessageA(target, EM_SETSEL, 0, -1);
    }
    ::SetFocus(target);
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

void Win32FormPeer::Popup(TMenu& menu, int x, int y) {
    menu.Popup();
    const HMENU popup = menus_.CreatePopup(menu);
    // The menu closes when the user clicks elsewhere only if the owner is in the
    // foreground; the posted message lets a second pop-up open at once.
    SetForegroundWindow(window_);
    const UINT id = static_cast<UINT>(
        TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, window_, nullptr));
    PostMessageA(window_, WM_NULL, 0, 0);
    TMenuItem* item = menus_.Item(id);
    menus_.DestroyPopup(popup);
    if (item != nullptr) {
        item->Click();
    }
}

bool Win32FormPeer::RegisterWindowClass() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Win32FormPeer::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    windowClass.lpszClassName = Win32Toolkit::FormClass;
    // Each toolkit of the process shares the class; a window finds its peer through
    // its user data.
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

LRESULT CALLBACK Win32FormPeer::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* peer = static_cast<Win32FormPeer*>(create->lpCreateParams);
        peer->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(peer));
    }
    auto* peer = reinterpret_cast<Win32FormPeer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (peer == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    // A handler that raised leaves the message answered with 0: WM_CLOSE in particular
    // must never reach DefWindowProc, which would destroy the window.
    LRESULT result = 0;
    peer->Loop().Guard([&] {
        if (!(peer->hook_ && peer->hook_(message, wParam, lParam, result))) {
            result = peer->Handle(message, wParam, lParam);
        }
    });
    return result;
}

LRESULT Win32FormPeer::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        // The model decides: hiding, or nothing. The window itself stays.
        form_.Close();
        return 0;
    case WM_COMMAND:
        if (Command(wParam, lParam)) {
            return 0;
        }
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (Win32ControlPeer::Route(message, wParam, lParam, result)) {
            return result;
        }
        break;
    }
    case DM_GETDEFID:
        return DefaultId();
    case WM_NEXTDLGCTL:
        NextControl(wParam, lParam);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus != nullptr && IsChild(window_, focus)) {
                lastFocus_ = focus;
            }
        } else if (HIWORD(wParam) == 0) {
            PostMessageA(window_, RestoreFocusMessage, 0, 0);
        }
        return 0;
    case WM_SETFOCUS:
        PostMessageA(window_, RestoreFocusMessage, 0, 0);
        return 0;
    case RestoreFocusMessage:
        // Only when the activation left the focus with nobody in particular: a window
        // activated by SetFocus on one of its controls keeps that focus, and no other
        // control (a radio button) sees it pass by.
        if (GetActiveWindow() == window_ && (GetFocus() == nullptr || GetFocus() == window_)) {
            RestoreFocus();
        }
        return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        const SIZE least = OuterToPixels(form_.MinWidth, form_.MinHeight);
        const SIZE most = OuterToPixels(form_.MaxWidth, form_.MaxHeight);
        if (form_.MinWidth > 0) {
            info->ptMinTrackSize.x = least.cx;
        }
        if (form_.MinHeight > 0) {
            info->ptMinTrackSize.y = least.cy;
        }
        if (form_.MaxWidth > 0) {
            info->ptMaxTrackSize.x = most.cx;
        }
        if (form_.MaxHeight > 0) {
            info->ptMaxTrackSize.y = most.cy;
        }
        return 0;
    }
    case WM_ERASEBKGND:
        if (form_.BlackBackground) {
            RECT client;
            GetClientRect(window_, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client,
                     static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            return 1;
        }
        break;
    case WM_SETCURSOR:
        if (form_.HideCursor && LOWORD(lParam) == HTCLIENT) {
            SetCursor(nullptr);
            return TRUE;
        }
        break;
    case WM_GETDLGCODE:
        // A form that takes keys itself gets them all, Escape and Enter included.
        if (form_.OnKeyDown) {
            return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        }
        break;
    case WM_KEYDOWN:
        form_.KeyDown(static_cast<int>(wParam));
        return 0;
    case WM_SYSKEYDOWN:
        // Alt and F10 come so; a form that takes keys takes these too.
        if (form_.OnKeyDown) {
            form_.KeyDown(static_cast<int>(wParam));
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        form_.MouseMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_SIZE:
        if (ready_ && wParam != SIZE_MINIMIZED) {
            Resized();
        }
        return 0;
    case WM_MOVE: {
        RECT frame;
        GetWindowRect(window_, &frame);
        if (!IsIconic(window_)) {
            const POINT shift = PlacementShift(frame);
            form_.Left = frame.left - shift.x;
            form_.Top = frame.top - shift.y;
        }
        return 0;
    }
    case WM_DPICHANGED:
        // The window was dragged to a monitor of another DPI, or the user changed the
        // scale: the system suggests the rectangle, the layout follows at the new DPI.
        if (form_.BorderStyle != TBorderStyle::None) {
            DpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        }
        return 0;
    case WM_INITMENU:
        if (reinterpret_cast<HMENU>(wParam) == GetMenu(window_)) {
            menus_.RefreshBar(reinterpret_cast<HMENU>(wParam));
        }
        return 0;
    case WM_INITMENUPOPUP:
        if (HIWORD(lParam) == 0) {
            menus_.Refresh(reinterpret_cast<HMENU>(wParam));
        }
        return 0;
    case WM_CONTEXTMENU:
        if (form_.PopupMenu != nullptr) {
            POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            // From the keyboard: no point, the menu opens where the cursor is.
            if (at.x == -1 && at.y == -1) {
                GetCursorPos(&at);
            }
            Popup(*form_.PopupMenu, at.x, at.y);
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

} // namespace tvm
