#include "ui/widgets/Form.h"

#include "ui/widgets/Control.h"

namespace tvm {

namespace {

// One axis of the anchor rule; `delta` is how much the client area grew.
void Follow(bool nearAnchor, bool farAnchor, int delta, int& position, int& size) {
    if (farAnchor) {
        if (nearAnchor) {
            size += delta;
        } else {
            position += delta;
        }
    } else if (!nearAnchor) {
        position += delta / 2;
    }
}

} // namespace

void TForm::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    if (peer_) {
        peer_->SyncText(caption_);
    }
}

void TForm::AttachPeer(std::unique_ptr<ControlPeer> peer) {
    peer_ = std::move(peer);
    if (peer_) {
        peer_->SyncText(caption_);
        peer_->SyncVisible(visible_);
    }
}

void TForm::KeyDown(int key) {
    app_.Dispatch([&] {
        if (OnKeyDown) {
            OnKeyDown(key);
        }
    });
}

void TForm::MouseMove(int x, int y) {
    app_.Dispatch([&] {
        if (OnMouseMove) {
            OnMouseMove(x, y);
        }
    });
}

void TForm::Resize(int clientWidth, int clientHeight, int width, int height) {
    app_.Dispatch([&] {
        const int dx = clientWidth - ClientWidth;
        const int dy = clientHeight - ClientHeight;
        const bool changed = dx != 0 || dy != 0 || width != Width || height != Height;
        ClientWidth = clientWidth;
        ClientHeight = clientHeight;
        Width = width;
        Height = height;
        if (dx != 0 || dy != 0) {
            FollowParent(nullptr, dx, dy, false);
        }
        if (changed && OnResize) {
            OnResize();
        }
    });
}

void TForm::FollowParent(const TControl* parent, int dx, int dy, bool parentMoved) {
    for (TControl* control : controls_) {
        if (control->Parent() != parent) {
            continue;
        }
        const unsigned anchors = control->Anchors();
        int left = control->Left();
        int top = control->Top();
        int w = control->Width();
        int h = control->Height();
        Follow((anchors & AnchorLeft) != 0, (anchors & AnchorRight) != 0, dx, left, w);
        Follow((anchors & AnchorTop) != 0, (anchors & AnchorBottom) != 0, dy, top, h);
        const int grewX = w - control->Width();
        const int grewY = h - control->Height();
        const bool moved = parentMoved || left != control->Left() || top != control->Top();
        // Bounds are relative to the parent, but a peer sits in form coordinates: a
        // control whose parent moved has to tell its peer, too.
        if (moved || grewX != 0 || grewY != 0) {
            control->SetBounds(left, top, w, h);
        }
        if (moved || grewX != 0 || grewY != 0) {
            FollowParent(control, grewX, grewY, moved);
        }
    }
}

void TForm::Show() {
    const bool appearing = !visible_;
    if (appearing) {
        // OnShow runs before the window appears, so that what it places and fills is
        // what the user first sees.
        visible_ = true;
        if (OnShow) {
            OnShow();
        }
        if (peer_) {
            peer_->SyncVisible(true);
        }
    }
    BringToFront();
    if (appearing && OnShown) {
        OnShown();
    }
}

void TForm::Hide() {
    if (!visible_) {
        return;
    }
    visible_ = false;
    if (peer_) {
        peer_->SyncVisible(false);
    }
    if (OnHide) {
        OnHide();
    }
}

void TForm::Close() {
    app_.Dispatch([this] {
        CloseAction action = CloseAction::Hide;
        if (OnClose) {
            OnClose(action);
        }
        if (action != CloseAction::None) {
            Hide();
        }
    });
}

void TForm::BringToFront() {
    if (peer_) {
        peer_->BringToFront();
    }
}

} // namespace tvm
