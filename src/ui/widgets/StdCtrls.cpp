#include "ui/widgets/StdCtrls.h"

#include "base/IntegerText.h"
#include "ui/widgets/Application.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace tvm {

void TButton::Click() {
    if (!Enabled()) {
        return;
    }
    App().Dispatch([this] {
        if (OnClick) {
            OnClick();
        }
    });
}

void TCheckBox::SetChecked(bool checked) {
    if (checked_ == checked) {
        return;
    }
    checked_ = checked;
    Sync([&](ControlPeer& p) { p.SyncChecked(checked); });
    if (OnClick) {
        OnClick();
    }
}

void TCheckBox::Click() {
    if (!Enabled()) {
        return;
    }
    App().Dispatch([this] { SetChecked(!checked_); });
}

void TCheckBox::Replay(ControlPeer& peer) {
    TControl::Replay(peer);
    peer.SyncChecked(checked_);
}

TRadioButton::TRadioButton(TForm& owner, TRadioGroupScope& group) : TControl(owner), group_(group) {
    group_.Members.push_back(this);
}

void TRadioButton::SetChecked(bool checked) {
    if (checked_ == checked) {
        return;
    }
    checked_ = checked;
    Sync([&](ControlPeer& p) { p.SyncChecked(checked); });
    if (!checked) {
        return;
    }
    for (TRadioButton* other : group_.Members) {
        if (other != this) {
            other->SetChecked(false);
        }
    }
    if (OnClick) {
        OnClick();
    }
}

void TRadioButton::Click() {
    if (!Enabled()) {
        return;
    }
    App().Dispatch([this] { SetChecked(true); });
}

void TRadioButton::Replay(ControlPeer& peer) {
    TControl::Replay(peer);
    peer.SyncChecked(checked_);
}

void TComboBox::SetText(const std::string& text) {
    SetCaption(text);
}

void TComboBox::AddItem(const std::string& item) {
    items_.push_back(item);
    Sync([&](ControlPeer& p) { p.SyncItems(items_); });
}

void TComboBox::SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    itemIndex_ = -1;
    Sync([&](ControlPeer& p) {
        p.SyncItems(items_);
        p.SyncItemIndex(itemIndex_);
    });
}

void TComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size())) {
        index = -1;
    }
    itemIndex_ = index;
    Sync([&](ControlPeer& p) { p.SyncItemIndex(itemIndex_); });
    if (index >= 0) {
        SetCaption(items_[static_cast<std::size_t>(index)]);
    }
}

void TComboBox::UserSetText(std::string text) {
    if (MaxLength > 0 && text.size() > static_cast<std::size_t>(MaxLength)) {
        text.resize(static_cast<std::size_t>(MaxLength));
    }
    if (text == Text()) {
        return;
    }
    SetCaption(text);
    if (OnChange) {
        OnChange();
    }
}

void TComboBox::TypeText(const std::string& keys) {
    if (!Enabled()) {
        return;
    }
    for (char key : keys) {
        App().Dispatch([this, key] {
            char k = key;
            KeyPress(k);
            if (k == 0) {
                return;
            }
            std::string text = Text();
            if (k == '\b') {
                if (!text.empty()) {
                    text.pop_back();
                }
            } else if (static_cast<unsigned char>(k) >= 32) {
                if (MaxLength > 0 && text.size() >= static_cast<std::size_t>(MaxLength)) {
                    return;
                }
                text += k;
            }
            UserSetText(std::move(text));
        });
    }
}

void TComboBox::KeyPress(char& key) {
    if (OnKeyPress) {
        OnKeyPress(key);
    }
}

void TComboBox::Paste(const std::string& text) {
    if (!Enabled()) {
        return;
    }
    App().Dispatch([this, &text] { UserSetText(text); });
}

void TComboBox::SelectItem(int index) {
    if (!Enabled() || index < 0 || index >= static_cast<int>(items_.size())) {
        return;
    }
    App().Dispatch([this, index] {
        itemIndex_ = index;
        Sync([&](ControlPeer& p) { p.SyncItemIndex(itemIndex_); });
        const std::string& item = items_[static_cast<std::size_t>(index)];
        // Picking an item reports a change even when the text already read the same,
        // as the native list does.
        SetCaption(item);
        if (OnChange) {
            OnChange();
        }
    });
}

void TComboBox::Replay(ControlPeer& peer) {
    TControl::Replay(peer);
    peer.SyncItems(items_);
    peer.SyncItemIndex(itemIndex_);
}

void TSpinEdit::SetRange(int minValue, int maxValue, int increment, int maxLength) {
    min_ = minValue;
    max_ = maxValue;
    increment_ = increment;
    maxLength_ = maxLength;
    SetValue(Value());
}

int TSpinEdit::Clamp(long long value) const {
    return static_cast<int>(std::clamp<long long>(value, min_, max_));
}

int TSpinEdit::Value() const {
    const auto parsed = ParseInteger(Text());
    return parsed ? Clamp(*parsed) : min_;
}

void TSpinEdit::SetValue(int value) {
    const int clamped = Clamp(value);
    SetCaption(std::to_string(clamped));
    Sync([&](ControlPeer& p) { p.SyncValue(clamped); });
}

namespace {
bool IsSpinCharacter(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '+' || c == '-';
}
} // namespace

void TSpinEdit::FilterKey(char& key) {
    if (static_cast<unsigned char>(key) >= 32 && !IsSpinCharacter(key)) {
        key = 0;
    }
}

void TSpinEdit::TypeText(const std::string& text) {
    // Pasted "1500ms" would otherwise read as the minimum, not as 1500.
    std::string cut;
    std::copy_if(text.begin(), text.end(), std::back_inserter(cut), IsSpinCharacter);
    if (maxLength_ > 0 && cut.size() > static_cast<std::size_t>(maxLength_)) {
        cut.resize(static_cast<std::size_t>(maxLength_));
    }
    SetCaption(cut);
}

void TSpinEdit::LoseFocus() {
    SetValue(Value());
}

void TSpinEdit::StepUp() {
    SetValue(Clamp(static_cast<long long>(Value()) + increment_));
}

void TSpinEdit::StepDown() {
    SetValue(Clamp(static_cast<long long>(Value()) - increment_));
}

void TStatusBar::Repaint() {
    ++repaints_;
    Sync([](ControlPeer& p) { p.Repaint(); });
}

void TPageControl::SetActivePageIndex(int index) {
    if (index >= 0 && index < static_cast<int>(Pages.size())) {
        active_ = index;
        Sync([&](ControlPeer& p) { p.SyncItemIndex(index); });
    }
}

} // namespace tvm
