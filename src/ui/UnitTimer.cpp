#include "ui/UnitTimer.h"

#include "ui/Services.h"

namespace tvm {

TTimerForm::TTimerForm(TApplication& app, ModeSwitcher& switcher, DisplayService& display,
                       SystemService& system)
    : TForm(app), Timer1(app, 1000), switcher_(switcher), display_(display), system_(system) {
    SetCaption("Confirm Display Settings");
    SetFixedDialogSize(305, 137, 313, 171);

    GroupBox1.SetBounds(8, 8, 209, 121);
    GroupBox1.SetCaption("Display Mode Manually Changed");
    Label1.SetParent(&GroupBox1);
    Label1.SetBounds(8, 24, 193, 26);
    Label1.WordWrap = true;
    Label1.SetCaption("Your display mode has been changed.  Do you want to keep this setting?");
    Label2.SetParent(&GroupBox1);
    Label2.SetBounds(8, 64, 193, 26);
    Label2.WordWrap = true;
    Label2.SetCaption("Tavelmorind will reverse the mode and disable itself in...");
    Label3.SetParent(&GroupBox1);
    Label3.SetBounds(8, 96, 100, 13);

    BitBtnYes.SetBounds(224, 72, 75, 25);
    BitBtnYes.SetCaption("&Yes");
    BitBtnYes.Default = true;
    BitBtnYes.Glyph = TGlyph::Yes;
    BitBtnYes.OnClick = [this] { BitBtnYesClick(); };
    BitBtnNo.SetBounds(224, 104, 73, 25);
    BitBtnNo.SetCaption("&No");
    BitBtnNo.Cancel = true;
    BitBtnNo.Glyph = TGlyph::No;
    BitBtnNo.OnClick = [this] { BitBtnNoClick(); };

    Timer1.OnTimer = [this] { Timer1Timer(); };
    OnShow = [this] { FormShow(); };
    OnHide = [this] { FormHide(); };
    // The close box keeps the new mode, like Yes.
}

void TTimerForm::FormShow() {
    Left = (static_cast<int>(display_.CurrentWidth()) - Width) / 2;
    Top = (static_cast<int>(display_.CurrentHeight()) - Height) / 2;
    switcher_.ConfirmationShown();
    Timer1Timer();
    Timer1.SetEnabled(true);
}

void TTimerForm::Timer1Timer() {
    if (!switcher_.CountdownTick()) {
        Label3.SetCaption(std::to_string(switcher_.Countdown()) + " seconds");
    } else {
        BitBtnNoClick();
    }
}

void TTimerForm::BitBtnNoClick() {
    switcher_.RevertMode();
    Hide();
}

void TTimerForm::FormHide() {
    Timer1.SetEnabled(false);
    switcher_.ConfirmationHidden();
    system_.TrimWorkingSet();
}

} // namespace tvm
