// The tray icon: present while the tray setting is on, its picture and tip following
// the On/Off state.
#include "ui/UnitMain.h"

namespace tvm {

void TMainForm::SetTrayState(TrayPicture picture) {
    TrayIcon.Picture = picture;
    TrayIcon.Tip = App().Title() + (picture == TrayPicture::Enabled ? " - Enabled" : " - Disabled");
    if (TrayIcon.Tip.size() >= TrayIconData::TipCapacity) {
        TrayIcon.Tip.resize(TrayIconData::TipCapacity - 1);
    }
    if (StartupComplete && TrayIconShown) {
        Tray.Modify(TrayIcon);
    }
}

void TMainForm::UpdateTrayIcon() {
    if (Config.ShowSystemTrayIcon && !TrayIconShown) {
        Tray.Add(TrayIcon);
        TrayIconShown = true;
    } else if (!Config.ShowSystemTrayIcon && TrayIconShown) {
        Tray.Delete(TrayIcon);
        TrayIconShown = false;
    }
}

} // namespace tvm
