// The tray icon: present while the tray setting is on, its picture and tip following
// the On/Off state.
#include "ui/UnitMain.h"

namespace tvm {

void TMainForm::SetTrayState(TrayPicture picture) {
    TrayIcon.SetState(
        picture, App().Title() + (picture == TrayPicture::Enabled ? " - Enabled" : " - Disabled"));
    // While starting, the icon keeps saying so; the last step of start-up shows the
    // state reached.
    if (StartupComplete) {
        TrayIcon.Reconcile();
    }
}

void TMainForm::UpdateTrayIcon() {
    TrayIcon.SetWanted(Config.ShowSystemTrayIcon);
}

} // namespace tvm
