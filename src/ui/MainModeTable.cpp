// The mode table: one row per display mode the driver offers, the frequencies seen
// for it, and the frequency to enforce ("Set At").
#include "base/IntegerText.h"
#include "ui/UnitMain.h"

#include <algorithm>
#include <unordered_map>

namespace tvm {

namespace {

// The frequency set sorts as text, ignoring case, the way the user's locale sorts
// words; so "100" comes before "60".
bool TextLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lx = static_cast<unsigned char>(x >= 'A' && x <= 'Z' ? x + 32 : x);
        const auto ly = static_cast<unsigned char>(y >= 'A' && y <= 'Z' ? y + 32 : y);
        return lx < ly;
    });
}

} // namespace

void TMainForm::AddToFrequencySet(std::uint32_t frequency) {
    const std::string text = std::to_string(frequency);
    const auto at = std::lower_bound(FrequencySet.begin(), FrequencySet.end(), text, TextLess);
    if (at == FrequencySet.end() || TextLess(text, *at)) {
        FrequencySet.insert(at, text);
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

    AnyFrequencyDetected = false;
    FrequencySet.clear();
    grid.SetRowCount(2);

    // The grid's column 0 is the truth; the index only spares a scan of every row
    // for every enumerated mode (a modern driver lists thousands).
    std::unordered_map<ModeKey, int> rowOfKey;
    DisplayMode mode;
    for (std::uint32_t index = 0; Display.EnumerateMode(index, mode); ++index) {
        const ModeKey key = MakeModeKey(mode.PelsWidth, mode.PelsHeight, mode.BitsPerPel);
        const std::string label = MakeFrequencyLabel(mode.DisplayFrequency);
        const std::uint32_t frequency = mode.DisplayFrequency;

        if (const auto found = rowOfKey.find(key); found != rowOfKey.end()) {
            const int row = found->second;
            std::uint32_t& fastest = FastestTable[static_cast<std::size_t>(row - 1)];
            if (frequency > 1 && frequency > fastest) {
                fastest = frequency;
            }
            grid.SetCell(kDetectedColumn, row, grid.Cell(kDetectedColumn, row) + ", " + label);
        } else {
            const int row = grid.RowCount() - 1;
            grid.SetCell(kKeyColumn, row, key);
            rowOfKey.emplace(key, row);
            TMenuItem& item = ChangeScreenMode1->Add(key);
            item.RadioItem = true;
            item.OnClick = [this, &item] { SwitchToModeByKey(item.Caption()); };
            grid.SetCell(kDetectedColumn, row, label);
            FastestTable.resize(static_cast<std::size_t>(grid.RowCount()), 0);
            if (frequency > 1) {
                FastestTable[static_cast<std::size_t>(grid.RowCount() - 2)] = frequency;
            }
            grid.SetRowCount(grid.RowCount() + 1);
        }

        if (frequency != 0) {
            AddToFrequencySet(frequency);
            AnyFrequencyDetected = true;
        }
    }
    grid.SetRowCount(grid.RowCount() - 1);
}

void TMainForm::ApplyFastestSetting() {
    const bool automatic = FastestCheckBox.Checked();
    for (int row = 1; row < MainStringGrid.RowCount(); ++row) {
        const std::uint32_t fastest = static_cast<std::size_t>(row - 1) < FastestTable.size()
                                          ? FastestTable[static_cast<std::size_t>(row - 1)]
                                          : 0;
        MainStringGrid.SetCell(kSetAtColumn, row, automatic ? std::to_string(fastest) : "0");
    }
    InstrLabel.SetCaption(automatic ? kAutomaticInstruction : kManualInstruction);
    FreqLabel.SetEnabled(!automatic);
    FreqCombo.SetEnabled(!automatic);
}

void TMainForm::FillChoiceList(int row) {
    if (!TableReady) {
        return;
    }
    const ModeKey key = MainStringGrid.Cell(kKeyColumn, row);
    const std::string setAt = MainStringGrid.Cell(kSetAtColumn, row);

    std::vector<std::string> items{"0"};
    int selection = 0;
    if (setAt != "0") {
        items.push_back(setAt);
        selection = 1;
    }
    DisplayMode mode;
    for (std::uint32_t index = 0; Display.EnumerateMode(index, mode); ++index) {
        if (mode.DisplayFrequency == 0 ||
            MakeModeKey(mode.PelsWidth, mode.PelsHeight, mode.BitsPerPel) != key) {
            continue;
        }
        std::string text = std::to_string(mode.DisplayFrequency);
        if (text != setAt) {
            items.push_back(std::move(text));
        }
    }
    FreqCombo.SetItems(std::move(items));
    FreqCombo.SetItemIndex(selection);
    ComboRow = row;
}

void TMainForm::MainStringGridSelectCell(int /*column*/, int row, bool& canSelect) {
    canSelect = true;
    if (row != SelectedRow) {
        SelectedRow = row;
        FillChoiceList(row);
    }
}

void FilterFrequencyKey(char& key) {
    const bool digit = key >= '0' && key <= '9';
    const bool control = static_cast<unsigned char>(key) < 32 && key != '\r';
    if (!digit && !control) {
        key = 0;
    }
}

void TMainForm::FreqComboKeyPress(char& key) {
    FilterFrequencyKey(key);
}

void TMainForm::FreqComboChange() {
    const std::string text = FreqCombo.Text();
    if (text.empty()) {
        return;
    }
    const std::int32_t value = StrToInt(text);
    // A pasted negative rate would be saved and handed to the driver as a huge
    // unsigned frequency; every other number fits the box's three characters.
    if (value >= 0) {
        MainStringGrid.SetCell(kSetAtColumn, ComboRow, text);
    }
}

void TMainForm::ApplyNoDetectionFallback() {
    if (AnyFrequencyDetected || MainStringGrid.RowCount() < 2) {
        return;
    }
    for (int row = 1; row < MainStringGrid.RowCount(); ++row) {
        MainStringGrid.SetCell(kDetectedColumn, row, kNoDetectionText);
    }
    FastestCheckBox.SetChecked(false);
    FastestCheckBox.SetEnabled(false);
    LockingFeatures2->Enabled = false;
    LockingFeatures1->Enabled = false;
}

} // namespace tvm
