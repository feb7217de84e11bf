#include "ui/widgets/Menus.h"

#include "ui/widgets/Application.h"

namespace tvm {

TMenuItem::TMenuItem(TApplication& app, std::string caption)
    : app_(app), caption_(std::move(caption)) {}

TMenuItem& TMenuItem::Add(std::string caption) {
    items_.push_back(std::make_unique<TMenuItem>(app_, std::move(caption)));
    items_.back()->parent_ = this;
    return *items_.back();
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
    for (const auto& item : items_) {
        if (item->Caption() == caption) {
            return item.get();
        }
    }
    return nullptr;
}

bool TMenuItem::Reachable() const {
    for (const TMenuItem* item = this; item; item = item->parent_) {
        if (!item->Enabled) {
            return false;
        }
    }
    return true;
}

void TMenuItem::Click() {
    if (!Reachable() || IsSeparator() || !items_.empty()) {
        return;
    }
    app_.Dispatch([this] {
        if (OnClick) {
            OnClick();
        }
    });
}

void TMenu::Popup() {
    App().Dispatch([this] {
        if (OnPopup) {
            OnPopup();
        }
    });
}

} // namespace tvm
