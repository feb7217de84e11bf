#include "ui/widgets/Form.h"

namespace tvm {

void TForm::Show() {
    if (!visible_) {
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
