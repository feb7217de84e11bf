#pragma once

#include "platform/win32/Win32ControlPeer.h"
#include "platform/win32/Win32Menus.h"
#include "platform/win32/Win32MessageLoop.h"
#include "ui/widgets/Form.h"
#include "ui/widgets/Peer.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tvm {

class TButton;
class Win32Toolkit;

// The Win32 side of a form: a top-level window with the form's caption, client size,
// minimum size, menu bar and tooltips. It hands the controls' notifications to their
// peers, answers the dialog manager's questions (which button Enter presses, what
// Escape does) and turns the frame's close box into TForm::Close.
//
// The form and its controls keep the layout's 96-DPI units; the window is realized at
// its monitor's DPI, and the peers scale every length with Scale and report the user's
// resizes back with Unscale. A borderless form (the blanking window) is sized to the
// screen in pixels and stays unscaled.
class Win32FormPeer final : public ControlPeer, public Win32Host {
public:
    using MessageHook = std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)>;

    Win32FormPeer(Win32Toolkit& toolkit, TForm& form);
    ~Win32FormPeer() override;
    Win32FormPeer(const Win32FormPeer&) = delete;
    Win32FormPeer& operator=(const Win32FormPeer&) = delete;

    HWND Handle() const { return window_; }
    TForm& Form() const { return form_; }
    Win32Toolkit& Toolkit() const { return toolkit_; }
    Win32MessageLoop& Loop() const;
    HFONT Font() const { return font_; }
    UINT Dpi() const { return dpi_; }
    int Scale(int length) const;
    int Unscale(int length) const;

    HWND HostWindow() const override { return window_; }
    POINT Origin() const override { return POINT{0, 0}; }

    void SyncVisible(bool visible) override;
    void SyncText(const std::string& text) override;
    void BringToFront() override;

    // Sizes the window to the form's client size and starts following WM_SIZE; the
    // toolkit calls it once every control has its peer.
    void Ready();

    int NextControlId() { return nextId_++; }
    void Register(Win32ControlPeer& peer);
    void Unregister(Win32ControlPeer& peer);
    const std::vector<Win32ControlPeer*>& Peers() const { return peers_; }

    void SetTool(HWND window, const std::string& text);

    // A push button took or lost the focus: like a dialog, the focused push button
    // shows as the default one while it has the focus.
    void PushButtonFocus(Win32ControlPeer& button, bool focused);

    // Shows a pop-up menu at a point on the screen and runs the item chosen.
    void Popup(TMenu& menu, int x, int y);

    void SetMessageHook(MessageHook hook) { hook_ = std::move(hook); }

    static bool RegisterWindowClass();

private:
    // What a handler answers; empty leaves the message to DefWindowProc.
    using Answer = std::optional<LRESULT>;
    // Posted to itself so that the focus is put back once the activation is over.
    static constexpr UINT kRestoreFocusMessage = WM_APP + 1;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Hands the message to its handler.
    Answer Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    // One handler per message (Win32FormPeer.cpp).
    Answer OnClose();
    Answer OnCommand(WPARAM wParam, LPARAM lParam);
    Answer OnNotify(WPARAM wParam, LPARAM lParam);
    Answer OnGetDefId() const;
    Answer OnNextDlgCtl(WPARAM wParam, LPARAM lParam);
    Answer OnActivate(WORD state, bool minimized);
    Answer OnSetFocus();
    Answer OnRestoreFocus();
    Answer OnEraseBackground(HDC dc);
    Answer OnSetCursor(WORD hitTest);
    Answer OnGetDlgCode();
    Answer OnKeyDown(WPARAM key);
    Answer OnSysKeyDown(WPARAM key);
    Answer OnMouseMove(int x, int y);
    Answer OnInitMenu(HMENU menu);
    Answer OnInitMenuPopup(HMENU menu, bool systemMenu);
    Answer OnContextMenu(POINT at);
    // The size and DPI messages (Win32FormPeerLayout.cpp).
    Answer OnGetMinMaxInfo(MINMAXINFO& info) const;
    Answer OnSize(WPARAM kind);
    Answer OnMove();
    Answer OnDpiChanged(UINT dpi, const RECT& suggested);

    void RestoreFocus();
    void ApplySize();
    void Place();
    void Resized();
    // The frame's share of the window's outer size as it is now.
    SIZE FrameExtra() const;
    // The form's outer size in the layout's units as pixels at the window's DPI, and back.
    SIZE OuterToPixels(int width, int height) const;
    SIZE OuterFromPixels(const RECT& frame, const RECT& client) const;
    // How far the window's left and top edges lie from the form's Left and Top: a window
    // scaled from the layout keeps its centre where the layout's would be.
    POINT PlacementShift(const RECT& frame) const;
    Win32ControlPeer* PeerById(int id) const;
    Win32ControlPeer* ButtonPeer(bool wantDefault) const;

    Win32Toolkit& toolkit_;
    TForm& form_;
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    UINT dpi_ = 96;
    // The frame's share of the layout's outer size (the form's Width and Height beside
    // its client size).
    SIZE layoutFrame_{};
    HFONT font_ = nullptr; // the toolkit's, for dpi_
    bool ready_ = false;
    int nextId_ = 1000;
    std::vector<Win32ControlPeer*> peers_;
    HWND lastFocus_ = nullptr;
    Win32Menus menus_;
    MessageHook hook_;
};

} // namespace tvm
