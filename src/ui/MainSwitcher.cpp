// The manual switcher as the window shows it: "Switch Mode" asks first, the tray menu's
// "Change Screen Mode" marks the present mode, and both wait while a switch is being
// confirmed.
#include "base/IntegerText.h"
#include "ui/UnitMain.h"

namespace tvm {

void TMainForm::Button2Click() {
    const ModeRow* mode = RowAt(ComboRow);
    const std::string setAt = mode ? mode->SetAt : std::string();
    const auto value = static_cast<std::uint32_t>(StrToInt(setAt));

    std::string description;
    if (value == 0) {
        description = "without overriding the refresh rate";
    } else if (value == 1) {
        description = "using the default refresh rate";
    } else {
        description = setAt + "Hz";
    }
    const std::string warning =
        Config.ModeSwitcher == 2
            ? "WARNING: This will set the mode as Windows default.  Please be *sure* that your "
              "monitor supports this display setting first, as otherwise your PC may boot in a "
              "corrupt mode.  "
            : "";
    const ModeKey key = mode ? mode->Key : ModeKey();
    const std::string question = "Changing the screen mode to " + key + " (" + description +
                                 ").  " + warning +
                                 "Are you absolutely sure you want to change the screen mode?";
    if (App().MessageDlg(question, MsgDlgType::Warning, MsgDlgButtons::YesNo) == ModalResult::Yes) {
        Switcher.SwitchToMode(key, value, true);
    }
}

void TMainForm::PopupMenu1Popup() {
    const ModeKey current = Display.CurrentModeKey();
    for (std::size_t i = 0; i < ChangeScreenMode1->Count(); ++i) {
        TMenuItem& item = (*ChangeScreenMode1)[i];
        item.Checked = item.Caption() == current;
    }
}

void TMainForm::EnableModeSwitching(bool enabled) {
    Button2.SetEnabled(enabled);
    ChangeScreenMode1->Enabled = enabled;
}

} // namespace tvm
