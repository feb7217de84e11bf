#include "ui/widgets/Control.h"

#include "ui/widgets/Form.h"
#include "ui/widgets/StdCtrls.h"

namespace tvm {

TControl::TControl(TForm& owner) : owner_(owner) {
    owner.Register(*this);
}

TApplication& TControl::App() const {
    return owner_.App();
}

void TControl::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Sync([&](ControlPeer& p) { p.SyncBounds(FormLeft(), FormTop(), width, height); });
}

void TControl::SetParent(TControl* parent) {
    parent_ = parent;
    for (TControl* c = parent; c; c = c->Parent()) {
        if (auto* sheet = dynamic_cast<TTabSheet*>(c)) {
            sheet->Controls.push_back(this);
            break;
        }
    }
}

void TControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled) {
        return;
    }
    enabled_ = enabled;
    Sync([&](ControlPeer& p) { p.SyncEnabled(enabled); });
}

void TControl::SetVisible(bool visible) {
    if (visible_ == visible) {
        return;
    }
    visible_ = visible;
    Sync([&](ControlPeer& p) { p.SyncVisible(visible); });
}

void TControl::SetCaption(const std::string& caption) {
    if (caption_ == caption) {
        return;
    }
    caption_ = caption;
    Sync([&](ControlPeer& p) { p.SyncText(caption_); });
}

void TControl::SetHint(const std::string& hint) {
    if (hint_ == hint) {
        return;
    }
    hint_ = hint;
    Sync([&](ControlPeer& p) { p.SyncHint(hint_); });
}

void TControl::AttachPeer(std::unique_ptr<ControlPeer> peer) {
    peer_ = std::move(peer);
    if (peer_) {
        Replay(*peer_);
    }
}

void TControl::Replay(ControlPeer& peer) {
    peer.SyncBounds(FormLeft(), FormTop(), width_, height_);
    peer.SyncText(caption_);
    peer.SyncHint(hint_);
    peer.SyncEnabled(enabled_);
    peer.SyncVisible(visible_);
}

} // namespace tvm
