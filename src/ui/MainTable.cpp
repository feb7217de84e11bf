// The mode table as the window shows it: the grid, the fastest-frequency check box, the
// frequency box that edits the selected row's Set At value, and the switch to the
// selected mode ("Switch Mode" asks first, and waits while a switch is being confirmed).
#include "base/IntegerText.h"
#include "ui/UnitMain.h"

namespace tvm {

const ModeRow* TMainForm::RowAt(int gridRow) const {
    if (gridRow < 1 || static_cast<std::size_t>(gridRow) > Table.Count()) {
        return nullptr;
    }
    return &Table.Row(static_cast<std::size_t>(gridRow - 1));
}

void TMainForm::ShowRow(std::size_t index) {
    const ModeRow& mode = Table.Row(index);
    const int row = static_cast<int>(index) + 1;
    MainStringGrid.SetCell(kKeyColumn, row, mode.Key);
    MainStringGrid.SetCell(kDetectedColumn, row, mode.Detected);
    MainStringGrid.SetCell(kSetAtColumn, row, mode.SetAt);
}

void TMainForm::ShowSetAtColumn() {
    for (std::size_t index = 0; index < Table.Count(); ++index) {
        MainStringGrid.SetCell(kSetAtColumn, static_cast<int>(index) + 1, Table.Row(index).SetAt);
    }
}

void TMainForm::BuildModeTable() {
    TStringGrid& grid = MainStringGrid;
    grid.SetCell(kKeyColumn, 0, "Screen Mode");
    grid.SetCell(kDetectedColumn, 0, "Detected Safe Frequencies (Hz)");
    grid.SetCell(kSetAtColumn, 0, "Set At");
    grid.SetColWidth(kKeyColumn, 110);
    grid.SetColWidth(kSetAtColumn, 50);
    FormResize();

    Table.BuildModeTable();
    grid.SetRowCount(static_cast<int>(Table.Count()) + 1);
    for (std::size_t index = 0; index < Table.Count(); ++index) {
        ShowRow(index);
        TMenuItem& item = ChangeScreenMode1->Add(Table.Row(index).Key);
        item.RadioItem = true;
        item.OnClick = [this, &item] { Switcher.SwitchToModeByKey(item.Caption()); };
    }
}

void TMainForm::ApplyFastestSetting() {
    const bool automatic = FastestCheckBox.Checked();
    Config.FastestFrequency = automatic;
    Table.ApplyFastest(automatic);
    Others.ApplyFastest(automatic);
    ShowSetAtColumn();
    InstrLabel.SetCaption(automatic ? kAutomaticInstruction : kManualInstruction);
    FreqLabel.SetEnabled(!automatic);
    FreqCombo.SetEnabled(!automatic);
}

void TMainForm::FillChoiceList(int row) {
    if (!TableReady) {
        return;
    }
    auto choices = Table.ChoicesFor(static_cast<std::size_t>(row < 1 ? Table.Count() : row - 1));
    FreqCombo.SetItems(std::move(choices.Items));
    FreqCombo.SetItemIndex(choices.Selection);
    ComboRow = row;
}

void TMainForm::MainStringGridSelectCell(int /*column*/, int row, bool& canSelect) {
    canSelect = true;
    if (row != SelectedRow) {
        SelectedRow = row;
        FillChoiceList(row);
    }
}

void TMainForm::FreqComboKeyPress(char& key) {
    FilterFrequencyKey(key);
}

void TMainForm::FreqComboChange() {
    const std::string text = FreqCombo.Text();
    if (text.empty() || ComboRow < 1) {
        return;
    }
    const auto index = static_cast<std::size_t>(ComboRow - 1);
    if (Table.SetSetAt(index, text)) {
        MainStringGrid.SetCell(kSetAtColumn, ComboRow, text);
    }
}

void TMainForm::ApplyNoDetectionFallback() {
    if (Table.AnyFrequencyDetected || Table.Count() == 0) {
        return;
    }
    Table.SetDetectedText(kNoDetectionText);
    for (std::size_t index = 0; index < Table.Count(); ++index) {
        MainStringGrid.SetCell(kDetectedColumn, static_cast<int>(index) + 1, kNoDetectionText);
    }
    FastestCheckBox.SetChecked(false);
    FastestCheckBox.SetEnabled(false);
    LockingFeatures2->Enabled = false;
    LockingFeatures1->Enabled = false;
}

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
