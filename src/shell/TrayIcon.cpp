#include "shell/TrayIcon.h"

#include <utility>

namespace tvm {

void TrayIcon::SetWanted(bool wanted) {
    wanted_ = wanted;
    Reconcile();
}

void TrayIcon::SetState(TrayPicture picture, std::string tip) {
    if (tip.size() >= TrayIconData::TipCapacity) {
        tip.resize(TrayIconData::TipCapacity - 1);
    }
    if (picture == data_.Picture && tip == data_.Tip) {
        return;
    }
    data_.Picture = picture;
    data_.Tip = std::move(tip);
    current_ = false;
}

void TrayIcon::OnTaskbarCreated() {
    shown_ = false;
    Reconcile();
}

void TrayIcon::Reconcile() {
    if (wanted_ && !shown_) {
        shown_ = tray_.Add(data_);
        current_ = shown_;
    } else if (!wanted_ && shown_) {
        tray_.Delete(data_);
        shown_ = false;
    } else if (shown_ && !current_) {
        tray_.Modify(data_);
        current_ = true;
    }
}

} // namespace tvm
