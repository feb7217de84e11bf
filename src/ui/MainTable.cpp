// The mode table as the window shows it: the grid, the fastest-frequency check box, the
// frequency box that edits the selected row's Set At value, and the switch to the
// selected mode ("Switch Mode" asks first, and waits while a switch is being confirmed).
#include "base/IntegerText.h"
#include "ui/UnitMain.h"

namespace tvm {

const ModeRow* TMainForm::RowAt(int gridRow) const {
    if (gridRow < 1 || static_cast<std::size_t>(gridRow) > ShownTable().Count()) {
        return nullptr;
    }
    return &ShownTable().Row(static_cast<std::size_t>(gridRow - 1));
}

void TMainForm::ShowRow(std::size_t index) {
    const ModeRow& mode = ShownTable().Row(index);
    const int row = static_cast<int>(index) + 1;
    MainStringGrid.SetCell(kKeyColumn, row, mode.Key);
    MainStringGrid.SetCell(kDetectedColumn, row, mode.Detected);
    MainStringGrid.SetCell(kSetAtColumn, row, mode.SetAt);
}

void TMainForm::ShowSetAtColumn() {
    const ModeTable& table = ShownTable();
    for (std::size_t index = 0; index < table.Count(); ++index) {
        MainStringGrid.SetCell(kSetAtColumn, static_cast<int>(index) + 1, table.Row(index).SetAt);
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
    }
}

void TMainForm::ShowDisplays() {
    displays_.clear();
    displays_.push_back({Others.PrimaryInfo(), &Display, &Table, nullptr});
    for (const auto& other : Others.Entries()) {
        if (other->Attached) {
            displays_.push_back({other->Info, other->Service, &other->Table, nullptr});
        }
    }
    BuildScreenModeMenu();

    const bool several = displays_.size() > 1;
    std::vector<std::string> captions;
    int shown = 0;
    for (std::size_t i = 0; i < displays_.size(); ++i) {
        captions.push_back(DisplayCaption(displays_[i].Info));
        if (displays_[i].Table == shownTable_) {
            shown = static_cast<int>(i);
        }
    }
    DisplayCombo.SetItems(std::move(captions));
    DisplayCombo.SetItemIndex(shown);
    if (several != pickerShown_) {
        // A row of its own above the grid: the window grows by it and what is anchored
        // to its bottom moves down, the grid keeps its size. The window takes the new
        // size when it next shows.
        pickerShown_ = several;
        const int row = several ? 24 : -24;
        MinHeight += row;
        MainStringGrid.SetBounds(MainStringGrid.Left(), MainStringGrid.Top() + row,
                                 MainStringGrid.Width(), MainStringGrid.Height() - row);
        Resize(ClientWidth, ClientHeight + row, Width, Height + row);
        DisplayLabel.SetVisible(several);
        DisplayCombo.SetVisible(several);
    }
    ShowTable(*displays_[static_cast<std::size_t>(shown)].Service,
              *displays_[static_cast<std::size_t>(shown)].Table);
}

void TMainForm::BuildScreenModeMenu() {
    // One display: the modes themselves, as they have always been; several: a submenu
    // per display, captioned as the picker lists it.
    ChangeScreenMode1->Clear();
    for (ShownDisplay& display : displays_) {
        TMenuItem* menu = ChangeScreenMode1;
        if (displays_.size() > 1) {
            menu = &ChangeScreenMode1->Add(DisplayCaption(display.Info));
        }
        display.Menu = menu;
        for (std::size_t index = 0; index < display.Table->Count(); ++index) {
            TMenuItem& item = menu->Add(display.Table->Row(index).Key);
            item.RadioItem = true;
            DisplayService* service = display.Service;
            const ModeTable* table = display.Table;
            item.OnClick = [this, &item, service, table] {
                Switcher.SwitchToModeByKey(*service, *table, item.Caption());
            };
        }
    }
}

void TMainForm::DisplayComboChange() {
    const auto index = static_cast<std::size_t>(DisplayCombo.ItemIndex());
    if (index < displays_.size()) {
        ShowTable(*displays_[index].Service, *displays_[index].Table);
    }
}

void TMainForm::ShowTable(DisplayService& display, ModeTable& table) {
    const bool other = &table != shownTable_;
    shownTable_ = &table;
    Switcher.SetDisplay(display, table);
    if (!other) {
        return;
    }
    MainStringGrid.SetRowCount(static_cast<int>(table.Count()) + 1);
    for (std::size_t index = 0; index < table.Count(); ++index) {
        ShowRow(index);
    }
    SelectedRow = 1;
    MainStringGrid.SelectRow(1);
    FillChoiceList(1);
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
    const ModeTable& table = ShownTable();
    auto choices = table.ChoicesFor(static_cast<std::size_t>(row < 1 ? table.Count() : row - 1));
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
    if (ShownTable().SetSetAt(index, text)) {
        MainStringGrid.SetCell(kSetAtColumn, ComboRow, text);
    }
}

void TMainForm::ApplyNoDetectionFallback() {
    // Another display's modes say so too; the locking features stay while any display
    // reports its rates.
    bool anyDisplayDetects = Table.AnyFrequencyDetected;
    for (const auto& other : Others.Entries()) {
        if (!other->Table.AnyFrequencyDetected && other->Table.Count() > 0) {
            other->Table.SetDetectedText(kNoDetectionText);
        }
        anyDisplayDetects = anyDisplayDetects || other->Table.AnyFrequencyDetected;
    }
    if (Table.AnyFrequencyDetected || Table.Count() == 0) {
        return;
    }
    Table.SetDetectedText(kNoDetectionText);
    if (&ShownTable() == &Table) {
        for (std::size_t index = 0; index < Table.Count(); ++index) {
            MainStringGrid.SetCell(kDetectedColumn, static_cast<int>(index) + 1, kNoDetectionText);
        }
    }
    FastestCheckBox.SetChecked(false);
    FastestCheckBox.SetEnabled(false);
    if (!anyDisplayDetects) {
        LockingFeatures2->Enabled = false;
        LockingFeatures1->Enabled = false;
    }
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
    for (const ShownDisplay& display : displays_) {
        const ModeKey current = display.Service->CurrentModeKey();
        for (std::size_t i = 0; i < display.Menu->Count(); ++i) {
            TMenuItem& item = (*display.Menu)[i];
            item.Checked = item.Caption() == current;
        }
    }
}

void TMainForm::EnableModeSwitching(bool enabled) {
    Button2.SetEnabled(enabled);
    ChangeScreenMode1->Enabled = enabled;
}

} // namespace tvm
