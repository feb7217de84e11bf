#pragma once

#include "ui/widgets/Control.h"

#include <functional>
#include <string>
#include <vector>

namespace tvm {

class TLabel : public TControl {
public:
    using TControl::TControl;
    enum class Align { Left, Center };
    Align Alignment = Align::Left;
    bool Bold = false;
    std::string FontName; // empty: the form's font
    int FontHeight = 0;   // pixels; 0: the form's
    // The control that the label's access key moves the focus to.
    TControl* FocusControl = nullptr;
    // Where the access key goes now: FocusControl while it can take the focus, else
    // nowhere (the key does nothing, rather than land in whatever control comes next).
    TControl* AccessKeyTarget() const {
        return FocusControl != nullptr && FocusControl->Enabled() && FocusControl->Visible()
                   ? FocusControl
                   : nullptr;
    }
    bool WordWrap = false;
};

class TGroupBox : public TControl {
public:
    using TControl::TControl;
};

// A raised or lowered panel holding other controls.
class TPanel : public TControl {
public:
    using TControl::TControl;
};

// The stock pictures of buttons with glyphs.
enum class TGlyph { None, OK, Cancel, Yes, No, Retry, Close, Save };

class TButton : public TControl {
public:
    using TControl::TControl;
    bool Default = false; // pressed by Enter
    bool Cancel = false;  // pressed by Escape
    TGlyph Glyph = TGlyph::None;
    // A push by the user (mouse, Enter, Escape, access key). Disabled buttons ignore it.
    void Click();
    std::function<void()> OnClick;
};

// A check box runs OnClick whenever its checked state changes, by the user or by code.
class TCheckBox : public TControl {
public:
    using TControl::TControl;
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    void Click(); // the user toggles it
    std::function<void()> OnClick;

protected:
    void Replay(ControlPeer& peer) override;

private:
    bool checked_ = false;
};

class TRadioButton;

// The radio buttons that exclude each other (those of one parent in the original
// toolkit).
class TRadioGroupScope {
public:
    std::vector<TRadioButton*> Members;
};

// A radio button runs OnClick when it becomes checked, by the user or by code, and
// unchecks the other buttons of its group (which run nothing).
class TRadioButton : public TControl {
public:
    TRadioButton(TForm& owner, TRadioGroupScope& group);
    TRadioGroupScope& Group() const { return group_; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    void Click(); // the user picks it
    std::function<void()> OnClick;

protected:
    void Replay(ControlPeer& peer) override;

private:
    TRadioGroupScope& group_;
    bool checked_ = false;
};

// An editable combo box. Every change of its text made by the user, typed, pasted or
// picked from the list, runs OnChange; changes made by code run nothing.
class TComboBox : public TControl {
public:
    using TControl::TControl;

    const std::string& Text() const { return Caption(); }
    void SetText(const std::string& text);
    const std::vector<std::string>& Items() const { return items_; }
    void AddItem(const std::string& item);
    void SetItems(std::vector<std::string> items);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index); // also sets the text to the item's
    int MaxLength = 0;            // 0: no limit
    // A list to pick from, without a text of its own to type (set before the peer).
    bool DropDownList = false;

    // User input. Each character goes through OnKeyPress first, which may swallow it
    // by setting it to 0; backspace deletes the last character, other control
    // characters leave the text alone, printable ones are appended up to MaxLength.
    void TypeText(const std::string& keys);
    // The user pastes over the whole text (select all, paste); cut to MaxLength.
    void Paste(const std::string& text);
    // The user picks an item from the list.
    void SelectItem(int index);
    // Runs OnKeyPress for a key the user types; a key set to 0 is swallowed. TypeText
    // calls it for each key; a platform calls it alone when its own edit field applies
    // the key (typing into the middle of the text, over a selection).
    void KeyPress(char& key);

    std::function<void()> OnChange;
    std::function<void(char& key)> OnKeyPress;

protected:
    void Replay(ControlPeer& peer) override;

private:
    void UserSetText(std::string text);

    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

// A numeric field with up and down arrows whose value always lies within its range.
class TSpinEdit : public TControl {
public:
    using TControl::TControl;
    void SetRange(int minValue, int maxValue, int increment, int maxLength);
    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    int Increment() const { return increment_; }
    int MaxLength() const { return maxLength_; }

    // The text read as a number and clamped; text that is not a number reads as the minimum.
    int Value() const;
    void SetValue(int value); // clamped
    const std::string& Text() const { return Caption(); }

    // The user replaces the text, typed or pasted; only digits and signs are taken.
    void TypeText(const std::string& text);
    void LoseFocus(); // clamps what was typed
    // A key typed into the field: digits, signs and control keys (backspace and the
    // like) pass; every other character is swallowed (set to 0).
    static void FilterKey(char& key);
    void StepUp();
    void StepDown();

private:
    int Clamp(long long value) const;

    int min_ = 0, max_ = 0, increment_ = 1, maxLength_ = 0;
};

// A status line with one text.
class TStatusBar : public TControl {
public:
    using TControl::TControl;
    const std::string& SimpleText() const { return Caption(); }
    void SetSimpleText(const std::string& text) { SetCaption(text); }
    // Paints the status line now, without waiting for the message loop.
    void Repaint();
    int RepaintCount() const { return repaints_; }

private:
    int repaints_ = 0;
};

// A page of a page control; the caption is the tab's. Its controls are shown only
// while it is the active page.
class TTabSheet : public TControl {
public:
    using TControl::TControl;
    std::vector<TControl*> Controls;
};

class TPageControl : public TControl {
public:
    using TControl::TControl;
    std::vector<TTabSheet*> Pages;
    // The tab under the mouse is highlighted.
    bool HotTrack = false;
    int ActivePageIndex() const { return active_; }
    void SetActivePageIndex(int index);

private:
    int active_ = 0;
};

// A bevel, a picture: shapes with bounds only.
class TBevel : public TControl {
public:
    using TControl::TControl;
    // One etched line along the bottom edge, whatever the size.
    bool BottomLine = false;
};

class TImage : public TControl {
public:
    using TControl::TControl;
    int IconResource = 0;
};

} // namespace tvm
