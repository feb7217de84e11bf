// The mode table as the window shows it: the grid, the fastest-frequency check box and
// the frequency box that edits the selected row's Set At value.
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

} // namespace tvm
