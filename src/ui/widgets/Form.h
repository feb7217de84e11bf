#pragma once

#include "ui/widgets/Application.h"
#include "ui/widgets/Peer.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tvm {

class TControl;
class TMenu;

enum class CloseAction { None, Hide };

// Sizeable: a resizable frame; Dialog: a fixed single frame with the system menu only;
// None: no frame at all.
enum class TBorderStyle { Sizeable, Dialog, None };

// A top-level window. Its controls register themselves in creation order; a platform
// that shows windows walks them to make its peers.
class TForm {
public:
    explicit TForm(TApplication& app) : app_(app) {}
    virtual ~TForm() = default;
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    TApplication& App() const { return app_; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    int ClientWidth = 0;
    int ClientHeight = 0;
    int Width = 0; // outer size, frame included
    int Height = 0;
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0; // 0: no limit
    int MaxHeight = 0;
    TBorderStyle BorderStyle = TBorderStyle::Sizeable;
    bool MaximizeBox = true;
    bool MinimizeBox = true;
    bool TopMost = false;
    bool Centered = false;        // placed in the middle of the screen when first shown
    bool BlackBackground = false; // the client area is black
    bool HideCursor = false;      // no mouse pointer over the client area
    int Left = 0;
    int Top = 0;

    // A dialog's fixed frame: this client size, the frame's outer size around it, and
    // no resizing.
    void SetFixedDialogSize(int clientWidth, int clientHeight, int width, int height) {
        ClientWidth = clientWidth;
        ClientHeight = clientHeight;
        Width = MinWidth = MaxWidth = width;
        Height = MinHeight = MaxHeight = height;
        BorderStyle = TBorderStyle::Dialog;
    }

    bool Visible() const { return visible_; }
    // Shows the window (OnShow runs when it goes from hidden to shown, before it
    // appears; the peer then places it at Left/Top, or centred) and brings it to the
    // front.
    void Show();
    void Hide(); // OnHide runs when it goes from shown to hidden
    // The user closes the window with its frame's close box: OnClose decides.
    void Close();
    void BringToFront();

    std::function<void()> OnShow;
    // Runs once the window has appeared (OnShow runs before).
    std::function<void()> OnShown;
    std::function<void()> OnHide;
    std::function<void(CloseAction&)> OnClose;
    std::function<void()> OnResize;

    // Input the window itself receives: a key pressed (the virtual-key code) and the
    // mouse moved (client coordinates).
    void KeyDown(int key);
    void MouseMove(int x, int y);
    std::function<void(int key)> OnKeyDown;
    std::function<void(int x, int y)> OnMouseMove;

    // The window's client area took a new size (the user dragged the frame, or the
    // platform fitted the window): the anchored controls follow, then OnResize runs.
    // A right (bottom) anchor keeps the margin to that edge, with the left (top) one
    // as well the control stretches, with neither it keeps its centre.
    void Resize(int clientWidth, int clientHeight, int width, int height);

    const std::vector<TControl*>& Controls() const { return controls_; }
    void Register(TControl& control) { controls_.push_back(&control); }
    // The order in which Tab visits the controls when it is not the creation order;
    // controls not listed follow in creation order.
    std::vector<TControl*> TabOrder;

    TMenu* Menu = nullptr;      // the menu bar
    TMenu* PopupMenu = nullptr; // the window's context menu

    // Pushes the caption and the visibility into the new peer.
    void AttachPeer(std::unique_ptr<ControlPeer> peer);
    ControlPeer* Peer() const { return peer_.get(); }

private:
    // Applies the anchor rule to the children of `parent` (nullptr: the form's own
    // controls), whose client area grew by dx, dy, and so on down.
    void FollowParent(const TControl* parent, int dx, int dy, bool parentMoved);

    TApplication& app_;
    std::string caption_;
    bool visible_ = false;
    std::vector<TControl*> controls_;
    std::unique_ptr<ControlPeer> peer_;
};

} // namespace tvm
