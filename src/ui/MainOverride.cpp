// Overriding as the window shows it: the On and Off radio buttons with the tray menu's
// "Enabled" mark, the tray picture and the status line; the engine does the rest.
#include "ui/UnitMain.h"

namespace tvm {

void TMainForm::OnDisplayChange() {
    // Nothing is acted on while starting: the only change the program makes then is
    // its own desktop-mode override, which must not be counted or overridden again.
    if (StartupComplete) {
        Override.OnDisplayChange();
    }
}

void TMainForm::OnRadioButtonClick() {
    Enabled1->Checked = true;
    Override.TurnedOn();
    // The poll's first tick may have tripped the rate limit (an allowance below 1 from a
    // hand-edited file): the Off path has run inside it and what it showed stays.
    if (!OnRadioButton.Checked()) {
        return;
    }
    SetTrayState(TrayPicture::Enabled);
    SetStatus(kStatusReady);
}

void TMainForm::OffRadioButtonClick() {
    Override.TurnedOff();
    Enabled1->Checked = false;
    SetTrayState(TrayPicture::Disabled);
    SetStatus(kStatusDisabled);
}

void TMainForm::Enabled1Click() {
    if (Enabled1->Checked) {
        SwitchOff();
    } else {
        OnRadioButton.SetChecked(true);
    }
}

void TMainForm::SwitchOff() {
    // Checks the Off button and runs the Off path, also when it was checked already.
    if (OffRadioButton.Checked()) {
        OffRadioButtonClick();
    } else {
        OffRadioButton.SetChecked(true);
    }
}

} // namespace tvm
