#include "platform/win32/Win32Peers.h"

#include "platform/win32/Win32Toolkit.h"
#include "ui/widgets/StdCtrls.h"

namespace tvm {

namespace {

class PushButtonPeer final : public Win32ControlPeer {
public:
    PushButtonPeer(Win32FormPeer& form, Win32Host& host, TButton& button)
        : Win32ControlPeer(form, host, button), button_(button) {
        // BS_NOTIFY tells the form when the focus comes and goes, so the focused push
        // button can show as the default one, as in a dialog.
        Create(WC_BUTTONA, BS_NOTIFY | (button.Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
        ShowPicture();
    }

    void OnDpiChanged() override {
        Win32ControlPeer::OnDpiChanged();
        ShowPicture();
    }

    bool TabStop() const override { return true; }

    void OnCommand(WORD code) override {
        switch (code) {
        case BN_CLICKED:
        // With BS_NOTIFY the second click of a double-click arrives as this alone.
        case BN_DOUBLECLICKED:
            if (!Echoing()) {
                Guard([&] { button_.Click(); });
            }
            break;
        case BN_SETFOCUS:
            Form().PushButtonFocus(*this, true);
            break;
        case BN_KILLFOCUS:
            Form().PushButtonFocus(*this, false);
            break;
        default:
            break;
        }
    }

private:
    // Version 6 of the common controls draws the picture left of the caption, in the
    // button's state; an older button class ignores the message and shows the caption
    // alone, which is all a program without the manifest's dependency can have.
    void ShowPicture() {
        if (button_.Glyph == TGlyph::None) {
            return;
        }
        const HIMAGELIST images = Form().Toolkit().GlyphImages(button_.Glyph, Form().Dpi());
        if (images == nullptr) {
            return;
        }
        BUTTON_IMAGELIST picture{};
        picture.himl = images;
        const int margin = Form().Scale(kPictureMargin);
        picture.margin = RECT{margin, 0, margin, 0};
        picture.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
        SendMessageA(Handle(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&picture));
    }

    // Keeps the picture off the frame and off a caption that fills the rest of the
    // button ("&Defaults" in 73 pixels).
    static constexpr int kPictureMargin = 2;

    TButton& button_;
};

// Not BS_AUTOCHECKBOX: the model decides the checked state, the box shows it.
class CheckBoxPeer final : public Win32ControlPeer {
public:
    CheckBoxPeer(Win32FormPeer& form, Win32Host& host, TCheckBox& box)
        : Win32ControlPeer(form, host, box), box_(box) {
        Create(WC_BUTTONA, BS_CHECKBOX);
    }

    bool TabStop() const override { return true; }

    void SyncChecked(bool checked) override {
        EchoGuard guard(*this);
        SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    void OnCommand(WORD code) override {
        if (code == BN_CLICKED && !Echoing()) {
            Guard([&] { box_.Click(); });
        }
    }

private:
    TCheckBox& box_;
};

// Not BS_AUTORADIOBUTTON either. Like a dialog's radio buttons, only the checked one of
// a group is a tab stop (the first when none is), and the arrow keys move within the
// group: the first of a group starts a WS_GROUP. A radio button that gets the focus
// other than by the mouse is clicked, as Windows' own radio buttons report it.
class RadioButtonPeer final : public Win32ControlPeer {
public:
    RadioButtonPeer(Win32FormPeer& form, Win32Host& host, TRadioButton& radio)
        : Win32ControlPeer(form, host, radio), radio_(radio) {
        Create(WC_BUTTONA, BS_RADIOBUTTON | BS_NOTIFY);
    }

    bool TabStop() const override {
        if (radio_.Checked()) {
            return true;
        }
        for (const TRadioButton* member : radio_.Group().Members) {
            if (member->Checked()) {
                return false;
            }
        }
        return !radio_.Group().Members.empty() && radio_.Group().Members.front() == &radio_;
    }

    bool ContinuesGroupOf(const Win32ControlPeer& previous) const override {
        const auto* other = dynamic_cast<const TRadioButton*>(&previous.Control());
        return other != nullptr && &other->Group() == &radio_.Group();
    }

    void SyncChecked(bool checked) override {
        {
            EchoGuard guard(*this);
            SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        for (TRadioButton* member : radio_.Group().Members) {
            if (auto* peer = dynamic_cast<RadioButtonPeer*>(member->Peer())) {
                SetStyleBit(peer->Handle(), WS_TABSTOP, peer->TabStop());
            }
        }
    }

    void OnCommand(WORD code) override {
        if (Echoing()) {
            return;
        }
        const bool byKeyboard =
            code == BN_SETFOCUS && GetCapture() != Handle() && !radio_.Checked();
        if (code == BN_CLICKED || code == BN_DOUBLECLICKED || byKeyboard) {
            Guard([&] { radio_.Click(); });
        }
    }

private:
    TRadioButton& radio_;
};

class GroupBoxPeer final : public Win32ControlPeer {
public:
    GroupBoxPeer(Win32FormPeer& form, Win32Host& host, TGroupBox& group)
        : Win32ControlPeer(form, host, group) {
        Create(WC_BUTTONA, BS_GROUPBOX);
    }
};

} // namespace

std::unique_ptr<Win32ControlPeer> CreateButtonPeer(Win32FormPeer& form, Win32Host& host,
                                                   TButton& button) {
    return std::make_unique<PushButtonPeer>(form, host, button);
}

std::unique_ptr<Win32ControlPeer> CreateCheckBoxPeer(Win32FormPeer& form, Win32Host& host,
                                                     TCheckBox& box) {
    return std::make_unique<CheckBoxPeer>(form, host, box);
}

std::unique_ptr<Win32ControlPeer> CreateRadioButtonPeer(Win32FormPeer& form, Win32Host& host,
                                                        TRadioButton& radio) {
    return std::make_unique<RadioButtonPeer>(form, host, radio);
}

std::unique_ptr<Win32ControlPeer> CreateGroupBoxPeer(Win32FormPeer& form, Win32Host& host,
                                                     TGroupBox& group) {
    return std::make_unique<GroupBoxPeer>(form, host, group);
}

} // namespace tvm
