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
    if (!showingOverride_) {
        Override.TurnOn();
    }
}

void TMainForm::OffRadioButtonClick() {
    if (!showingOverride_) {
        Override.TurnOff();
    }
}

void TMainForm::Enabled1Click() {
    if (Enabled1->Checked) {
        Override.TurnOff();
    } else {
        Override.TurnOn();
    }
}

void TMainForm::OverrideChanged() {
    const bool on = Override.SwitchedOn();
    showingOverride_ = true;
    (on ? OnRadioButton : OffRadioButton).SetChecked(true);
    showingOverride_ = false;
    Enabled1->Checked = on;
    SetTrayState(on ? TrayPicture::Enabled : TrayPicture::Disabled);
    SetStatus(Override.Status());
}

} // namespace tvm
