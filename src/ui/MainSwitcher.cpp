// The manual switcher: switch to any mode of the table at its Set At rate, to be
// confirmed within ten seconds.
#include "base/IntegerText.h"
#include "ui/UnitMain.h"
#include "ui/UnitTimer.h"

namespace tvm {

namespace {

std::uint32_t SwitchFlags(std::uint8_t modeSwitcher) {
    switch (modeSwitcher) {
    case 1:
        return ChangeFullscreen;
    case 2:
        return ChangeUpdateRegistry;
    default:
        return ChangeDynamic;
    }
}

} // namespace

void TMainForm::SwitchToMode(ModeKey key, std::uint32_t frequency, bool confirm) {
    PreviousModeKey = Display.CurrentModeKey();
    PreviousFrequency = Display.CurrentRefresh();

    bool attempted = false;
    std::int32_t result = DispChangeFailed;
    DisplayMode mode;
    for (std::uint32_t index = 0; Display.EnumerateMode(index, mode); ++index) {
        if (MakeModeKey(mode.PelsWidth, mode.PelsHeight, mode.BitsPerPel) == key) {
            mode.DisplayFrequency = frequency;
            result = Display.ChangeMode(mode, SwitchFlags(Config.ModeSwitcher));
            attempted = true;
            break;
        }
    }
    // With no mode to switch to there is nothing to confirm, and a countdown would
    // only switch overriding Off.
    if (confirm && attempted && result == DispChangeSuccessful && TimerForm) {
        TimerForm->Show();
    }
}

void TMainForm::Button2Click() {
    const int row = ComboRow;
    const std::string setAt = MainStringGrid.Cell(kSetAtColumn, row);
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
    const ModeKey key = MainStringGrid.Cell(kKeyColumn, row);
    const std::string question = "Changing the screen mode to " + key + " (" + description +
                                 ").  " + warning +
                                 "Are you absolutely sure you want to change the screen mode?";
    if (App().MessageDlg(question, MsgDlgType::Warning, MsgDlgButtons::YesNo) == ModalResult::Yes) {
        SwitchToMode(key, value, true);
    }
}

void TMainForm::SwitchToModeByKey(const std::string& caption) {
    const int row = FindRow(caption);
    if (row == 0) {
        return;
    }
    SwitchToMode(caption,
                 static_cast<std::uint32_t>(StrToInt(MainStringGrid.Cell(kSetAtColumn, row))),
                 true);
}

void TMainForm::PopupMenu1Popup() {
    const ModeKey current = Display.CurrentModeKey();
    for (std::size_t i = 0; i < ChangeScreenMode1->Count(); ++i) {
        TMenuItem& item = (*ChangeScreenMode1)[i];
        item.Checked = item.Caption() == current;
    }
}

void TMainForm::SwitchOff() {
    if (OffRadioButton.Checked()) {
        OffRadioButtonClick();
    } else {
        OffRadioButton.SetChecked(true);
    }
}

void TMainForm::RevertMode() {
    SwitchOff();
    SwitchToMode(PreviousModeKey, PreviousFrequency, false);
}

} // namespace tvm
