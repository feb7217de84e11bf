#pragma once

#include "platform/win32/Win32MessageLoop.h"
#include "ui/widgets/Control.h"
#include "ui/widgets/Peer.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace tvm {

class Win32FormPeer;

// A window that holds control windows: the form's client area, or a tab sheet.
class Win32Host {
public:
    virtual ~Win32Host() = default;
    virtual HWND HostWindow() const = 0;
    // Where the host's client area starts, in the form's client coordinates.
    virtual POINT Origin() const = 0;
};

// The Win32 side of one control: it owns the control's windows, mirrors the model
// into them and turns what the user does into the model's calls. Its own writes to
// a window run under an EchoGuard, so the notifications they cause are not taken for
// the user's.
class Win32ControlPeer : public ControlPeer {
public:
    Win32ControlPeer(Win32FormPeer& form, Win32Host& host, TControl& control);
    ~Win32ControlPeer() override;
    Win32ControlPeer(const Win32ControlPeer&) = delete;
    Win32ControlPeer& operator=(const Win32ControlPeer&) = delete;

    HWND Handle() const { return window_; }
    TControl& Control() const { return control_; }
    Win32FormPeer& Form() const { return form_; }
    Win32Host& Host() const { return host_; }
    int Id() const { return id_; }

    void SyncBounds(int left, int top, int width, int height) override;
    void SyncVisible(bool visible) override;
    void SyncEnabled(bool enabled) override;
    void SyncText(const std::string& text) override;
    void SyncHint(const std::string& hint) override;
    void SetFocus() override;

    // A WM_COMMAND notification from one of the peer's windows.
    virtual void OnCommand(WORD /*code*/) {}
    // A WM_NOTIFY notification from one of the peer's windows.
    virtual LRESULT OnNotify(const NMHDR& /*header*/) { return 0; }
    // The form's client area changed size.
    virtual void OnFormResized() {}
    // The form moved to another DPI and has its font for it; the bounds follow in Replace.
    virtual void OnDpiChanged();
    // Whether Tab stops here.
    virtual bool TabStop() const { return false; }
    // Whether the keyboard's group (arrow keys) goes on from the previous control.
    virtual bool ContinuesGroupOf(const Win32ControlPeer& /*previous*/) const { return false; }
    // Puts the windows where the model says, again (the host moved).
    void Replace();

    // The peer whose window this is, or null.
    static Win32ControlPeer* FromHandle(HWND window);
    // Hands WM_COMMAND and WM_NOTIFY from a control window to its peer; false when the
    // message is not from one.
    static bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    // Creates the main window in the host, hidden; the model's state follows in Replay.
    void Create(const char* className, DWORD style, DWORD exStyle = 0);
    // Another window of the same peer (an up-down beside an edit), or a child of the
    // main one: found by FromHandle from then on, and given the hint.
    void Adopt(HWND window);
    // Moves the windows to the rectangle given in the host's client coordinates, in
    // pixels at the form's DPI.
    virtual void Place(int left, int top, int width, int height);
    // The window's text, as the user sees it.
    static std::string WindowText(HWND window);
    // Runs a model call that dispatches by itself (a user event such as Click).
    template <class F> void Guard(F&& f) { loop_.Guard(f); }
    // Runs a model call that does not dispatch by itself.
    template <class F> void Dispatch(F&& f) {
        loop_.Guard([&] { control_.App().Dispatch(f); });
    }
    void SetStyleBit(HWND window, LONG_PTR bit, bool on);

    class EchoGuard {
    public:
        explicit EchoGuard(Win32ControlPeer& peer) : peer_(peer) { ++peer_.echo_; }
        ~EchoGuard() { --peer_.echo_; }
        EchoGuard(const EchoGuard&) = delete;
        EchoGuard& operator=(const EchoGuard&) = delete;

    private:
        Win32ControlPeer& peer_;
    };
    bool Echoing() const { return echo_ > 0; }

private:
    Win32FormPeer& form_;
    Win32MessageLoop& loop_;
    Win32Host& host_;
    TControl& control_;
    HWND window_ = nullptr;
    std::vector<HWND> windows_; // every window of the peer, the main one first
    int id_ = 0;
    int echo_ = 0;
    std::string hint_;
};

} // namespace tvm
