#include "platform/win32/Win32Peers.h"

#include "platform/win32/Win32Toolkit.h"
#include "ui/widgets/StdCtrls.h"

namespace tvm {

namespace {

class PageControlPeer;

// A tab sheet: a page window of our own class over the tab control's display area, a
// sibling behind the tab control so that Tab goes from the tabs into the page. The
// sheet's controls are the page window's children.
class SheetPeer final : public Win32ControlPeer, public Win32Host {
public:
    SheetPeer(Win32FormPeer& form, Win32Host& host, TTabSheet& sheet, HWND tabs)
        : Win32ControlPeer(form, host, sheet), tabs_(tabs) {
        Create(Win32Toolkit::PageClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
    }

    HWND HostWindow() const override { return Handle(); }
    POINT Origin() const override {
        RECT frame;
        GetWindowRect(Handle(), &frame);
        POINT origin{frame.left, frame.top};
        ScreenToClient(Win32ControlPeer::Host().HostWindow(), &origin);
        const POINT outer = Win32ControlPeer::Host().Origin();
        return POINT{origin.x + outer.x, origin.y + outer.y};
    }

    // The page control places the page and decides whether it shows.
    void SyncBounds(int, int, int, int) override {}
    void SyncVisible(bool) override {}
    void SyncText(const std::string& text) override;

    // Puts the sheet's controls back where the model has them, after the page moved.
    void ReplaceControls() {
        for (Win32ControlPeer* peer : Form().Peers()) {
            if (&peer->Host() == this) {
                peer->Replace();
            }
        }
    }

private:
    HWND tabs_;
};

class PageControlPeer final : public Win32ControlPeer {
public:
    PageControlPeer(Win32FormPeer& form, Win32Host& host, TPageControl& pages)
        : Win32ControlPeer(form, host, pages), pages_(pages) {
        Create(WC_TABCONTROLA, WS_TABSTOP | WS_CLIPSIBLINGS | (pages.HotTrack ? TCS_HOTTRACK : 0));
        SetWindowSubclass(Handle(), &PageControlPeer::TabProc, 1,
                          reinterpret_cast<DWORD_PTR>(this));
        for (std::size_t i = 0; i < pages.Pages.size(); ++i) {
            TTabSheet& sheet = *pages.Pages[i];
            std::string caption = sheet.Caption();
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = caption.data();
            SendMessageA(Handle(), TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
            sheet.AttachPeer(std::make_unique<SheetPeer>(form, host, sheet, Handle()));
        }
    }

    ~PageControlPeer() override { RemoveWindowSubclass(Handle(), &PageControlPeer::TabProc, 1); }

    bool TabStop() const override { return true; }
    void SyncText(const std::string& /*text*/) override {}

    void SyncItemIndex(int index) override {
        {
            EchoGuard guard(*this);
            SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
        ShowActivePage();
    }

    // The model's Replay has no call for the active page; it comes with the visibility.
    void SyncVisible(bool visible) override {
        Win32ControlPeer::SyncVisible(visible);
        SyncItemIndex(pages_.ActivePageIndex());
    }

    void SetTabText(HWND sheetWindow, const std::string& text) {
        for (std::size_t i = 0; i < pages_.Pages.size(); ++i) {
            if (Win32Toolkit::Handle(*pages_.Pages[i]) == sheetWindow) {
                std::string caption = text;
                TCITEMA item{};
                item.mask = TCIF_TEXT;
                item.pszText = caption.data();
                SendMessageA(Handle(), TCM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
            }
        }
    }

    LRESULT OnNotify(const NMHDR& header) override {
        if (header.code == TCN_SELCHANGE && !Echoing()) {
            const auto index = static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
            Dispatch([&] { pages_.SetActivePageIndex(index); });
            // The model may keep the page it had.
            SyncItemIndex(pages_.ActivePageIndex());
        }
        return 0;
    }

protected:
    void Place(int left, int top, int width, int height) override {
        Win32ControlPeer::Place(left, top, width, height);
        RECT display{0, 0, width, height};
        SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
        for (TTabSheet* sheet : pages_.Pages) {
            if (auto* peer = dynamic_cast<SheetPeer*>(sheet->Peer())) {
                SetWindowPos(peer->Handle(), nullptr, left + display.left, top + display.top,
                             display.right - display.left, display.bottom - display.top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
                peer->ReplaceControls();
            }
        }
    }

private:
    void ShowActivePage() {
        const bool shown = pages_.Visible();
        for (std::size_t i = 0; i < pages_.Pages.size(); ++i) {
            if (const HWND page = Win32Toolkit::Handle(*pages_.Pages[i])) {
                const bool active = shown && static_cast<int>(i) == pages_.ActivePageIndex();
                ShowWindow(page, active ? SW_SHOWNA : SW_HIDE);
            }
        }
        InvalidateRect(Handle(), nullptr, TRUE);
    }

    // The active page's rectangle in the tab control's client coordinates.
    bool ActivePageRect(RECT& rect) const {
        const int index = pages_.ActivePageIndex();
        if (index < 0 || index >= static_cast<int>(pages_.Pages.size())) {
            return false;
        }
        const HWND page = Win32Toolkit::Handle(*pages_.Pages[static_cast<std::size_t>(index)]);
        if (page == nullptr || !IsWindowVisible(page)) {
            return false;
        }
        GetWindowRect(page, &rect);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&rect), 2);
        return true;
    }

    // The tab control lies over its page in the z-order (it comes first in the tab
    // order), so it leaves the page's area to the page: it neither paints there nor
    // takes the mouse there.
    static LRESULT CALLBACK TabProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR /*id*/, DWORD_PTR data) {
        const auto* peer = reinterpret_cast<const PageControlPeer*>(data);
        RECT page;
        switch (message) {
        case WM_NCHITTEST:
            if (peer->ActivePageRect(page)) {
                POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                ScreenToClient(window, &at);
                if (PtInRect(&page, at)) {
                    return HTTRANSPARENT;
                }
            }
            break;
        case WM_ERASEBKGND:
            if (peer->ActivePageRect(page)) {
                ExcludeClipRect(reinterpret_cast<HDC>(wParam), page.left, page.top, page.right,
                                page.bottom);
            }
            break;
        case WM_PAINT:
            if (wParam == 0 && peer->ActivePageRect(page)) {
                PAINTSTRUCT paint;
                const HDC dc = BeginPaint(window, &paint);
                ExcludeClipRect(dc, page.left, page.top, page.right, page.bottom);
                DefSubclassProc(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
                EndPaint(window, &paint);
                return 0;
            }
            break;
        default:
            break;
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }

    TPageControl& pages_;
};

void SheetPeer::SyncText(const std::string& text) {
    if (auto* pages = dynamic_cast<PageControlPeer*>(FromHandle(tabs_))) {
        pages->SetTabText(Handle(), text);
    }
}

LRESULT CALLBACK PageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || message == WM_NOTIFY) {
        LRESULT result = 0;
        if (Win32ControlPeer* peer = Win32ControlPeer::FromHandle(window)) {
            bool routed = false;
            peer->Form().Loop().Guard(
                [&] { routed = Win32ControlPeer::Route(message, wParam, lParam, result); });
            if (routed) {
                return result;
            }
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

std::unique_ptr<Win32ControlPeer> CreatePageControlPeer(Win32FormPeer& form, Win32Host& host,
                                                        TPageControl& pages) {
    return std::make_unique<PageControlPeer>(form, host, pages);
}

Win32Host* SheetHost(const TTabSheet& sheet) {
    return dynamic_cast<SheetPeer*>(sheet.Peer());
}

bool RegisterPageWindowClass() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &PageWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = Win32Toolkit::PageClass;
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace tvm
