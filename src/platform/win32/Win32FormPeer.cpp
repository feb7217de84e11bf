#include "platform/win32/Win32FormPeer.h"

#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Toolkit.h"
#include "ui/widgets/StdCtrls.h"

#include <algorithm>

namespace tvm {

namespace {

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
    if (window_ == nullptr) {
        ThrowLastError("CreateWindowExA");
    }
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
    font_ = toolkit_.Fonts().At(dpi_);
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    if (tooltip_ == nullptr) {
        // No destructor runs for a half-made peer: the window goes here.
        const DWORD error = GetLastError();
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
        SetLastError(error);
        ThrowLastError("CreateWindowExA");
    }
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
}

Win32MessageLoop& Win32FormPeer::Loop() const {
    return toolkit_.Loop();
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

Win32FormPeer::Answer Win32FormPeer::OnCommand(WPARAM wParam, LPARAM lParam) {
    LRESULT ignored = 0;
    if (Win32ControlPeer::Route(WM_COMMAND, wParam, lParam, ignored)) {
        return 0;
    }
    const UINT id = LOWORD(wParam);
    if (lParam == 0 && HIWORD(wParam) == 0 && id >= Win32Menus::FirstId) {
        if (TMenuItem* item = menus_.Item(id)) {
            item->Click();
        }
        return 0;
    }
    if (id == IDCANCEL) {
        if (Win32ControlPeer* button = ButtonPeer(false)) {
            if (button->Control().Visible()) {
                button->OnCommand(BN_CLICKED);
            }
        }
        return 0;
    }
    if (id == IDOK) {
        return 0;
    }
    // The dialog manager names the button it presses by id alone when the button sits
    // on a tab sheet.
    if (Win32ControlPeer* peer = PeerById(static_cast<int>(id))) {
        peer->OnCommand(HIWORD(wParam));
        return 0;
    }
    return std::nullopt;
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
    if (const Answer answer = Dispatch(message, wParam, lParam)) {
        return *answer;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

Win32FormPeer::Answer Win32FormPeer::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        return OnClose();
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    case WM_NOTIFY:
        return OnNotify(wParam, lParam);
    case DM_GETDEFID:
        return OnGetDefId();
    case WM_NEXTDLGCTL:
        return OnNextDlgCtl(wParam, lParam);
    case WM_ACTIVATE:
        return OnActivate(LOWORD(wParam), HIWORD(wParam) != 0);
    case WM_SETFOCUS:
        return OnSetFocus();
    case kRestoreFocusMessage:
        return OnRestoreFocus();
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
    case WM_ERASEBKGND:
        return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_SETCURSOR:
        return OnSetCursor(LOWORD(lParam));
    case WM_GETDLGCODE:
        return OnGetDlgCode();
    case WM_KEYDOWN:
        return OnKeyDown(wParam);
    case WM_SYSKEYDOWN:
        return OnSysKeyDown(wParam);
    case WM_MOUSEMOVE:
        return OnMouseMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    case WM_SIZE:
        return OnSize(wParam);
    case WM_MOVE:
        return OnMove();
    case WM_DPICHANGED:
        return OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    case WM_INITMENU:
        return OnInitMenu(reinterpret_cast<HMENU>(wParam));
    case WM_INITMENUPOPUP:
        return OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), HIWORD(lParam) != 0);
    case WM_CONTEXTMENU:
        return OnContextMenu(
            POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    default:
        return std::nullopt;
    }
}

Win32FormPeer::Answer Win32FormPeer::OnClose() {
    // The model decides: hiding, or nothing. The window itself stays.
    form_.Close();
    return 0;
}

Win32FormPeer::Answer Win32FormPeer::OnNotify(WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (Win32ControlPeer::Route(WM_NOTIFY, wParam, lParam, result)) {
        return result;
    }
    return std::nullopt;
}

Win32FormPeer::Answer Win32FormPeer::OnEraseBackground(HDC dc) {
    if (!form_.BlackBackground) {
        return std::nullopt;
    }
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return 1;
}

Win32FormPeer::Answer Win32FormPeer::OnSetCursor(WORD hitTest) {
    if (form_.HideCursor && hitTest == HTCLIENT) {
        SetCursor(nullptr);
        return TRUE;
    }
    return std::nullopt;
}

Win32FormPeer::Answer Win32FormPeer::OnGetDlgCode() {
    // A form that takes keys itself gets them all, Escape and Enter included.
    if (form_.OnKeyDown) {
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    }
    return std::nullopt;
}

Win32FormPeer::Answer Win32FormPeer::OnKeyDown(WPARAM key) {
    form_.KeyDown(static_cast<int>(key));
    return 0;
}

Win32FormPeer::Answer Win32FormPeer::OnSysKeyDown(WPARAM key) {
    // Alt and F10 come so; a form that takes keys takes these too.
    if (form_.OnKeyDown) {
        form_.KeyDown(static_cast<int>(key));
        return 0;
    }
    return std::nullopt;
}

Win32FormPeer::Answer Win32FormPeer::OnMouseMove(int x, int y) {
    form_.MouseMove(x, y);
    return 0;
}

Win32FormPeer::Answer Win32FormPeer::OnInitMenu(HMENU menu) {
    if (menu == GetMenu(window_)) {
        menus_.RefreshBar(menu);
    }
    return 0;
}

Win32FormPeer::Answer Win32FormPeer::OnInitMenuPopup(HMENU menu, bool systemMenu) {
    if (!systemMenu) {
        menus_.Refresh(menu);
    }
    return 0;
}

Win32FormPeer::Answer Win32FormPeer::OnContextMenu(POINT at) {
    if (form_.PopupMenu == nullptr) {
        return std::nullopt;
    }
    // From the keyboard: no point, the menu opens where the cursor is.
    if (at.x == -1 && at.y == -1) {
        GetCursorPos(&at);
    }
    Popup(*form_.PopupMenu, at.x, at.y);
    return 0;
}

} // namespace tvm
