#pragma once

#include "ui/widgets/Peer.h"

#include <memory>
#include <string>

namespace tvm {

class TApplication;
class TForm;

enum Anchor : unsigned { AnchorLeft = 1, AnchorTop = 2, AnchorRight = 4, AnchorBottom = 8 };

// State every control has. The peer is optional: without one (tests, headless) the
// control works the same, it just shows nothing. Bounds are relative to the parent
// control's client area (the form's when there is none); peers get form coordinates.
class TControl {
public:
    explicit TControl(TForm& owner);
    virtual ~TControl() = default;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    TForm& Owner() const { return owner_; }
    TApplication& App() const;

    // The control this one sits in (a group box, a tab sheet, a panel); null for the
    // form itself. Positions are relative to the parent's client area.
    TControl* Parent() const { return parent_; }
    // Also puts the control on the tab sheet it then sits on, if any.
    void SetParent(TControl* parent);
    // The position in the form's client coordinates, what a platform places by.
    int FormLeft() const { return left_ + (parent_ ? parent_->FormLeft() : 0); }
    int FormTop() const { return top_ + (parent_ ? parent_->FormTop() : 0); }

    void SetBounds(int left, int top, int width, int height);
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    unsigned Anchors() const { return anchors_; }
    void SetAnchors(unsigned anchors) { anchors_ = anchors; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    // The caption or text, with "&" marking the access key.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);

    void AttachPeer(std::unique_ptr<ControlPeer> peer);
    ControlPeer* Peer() const { return peer_.get(); }

protected:
    // Pushes the whole state into a newly attached peer.
    virtual void Replay(ControlPeer& peer);

    template <class F> void Sync(F&& f) {
        if (peer_) {
            f(*peer_);
        }
    }

private:
    TForm& owner_;
    TControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    unsigned anchors_ = AnchorLeft | AnchorTop;
    bool enabled_ = true;
    bool visible_ = true;
    std::string caption_;
    std::string hint_;
    std::unique_ptr<ControlPeer> peer_;
};

} // namespace tvm
