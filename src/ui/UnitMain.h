#pragma once

#include "display/DisplayService.h"
#include "settings/Settings.h"
#include "ui/widgets/Form.h"
#include "ui/widgets/Grid.h"
#include "ui/widgets/Menus.h"
#include "ui/widgets/StdCtrls.h"
#include "ui/widgets/Timer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tvm {

// The configuration window: the On/Off choice, the automatic-fastest check box, the
// mode table with its frequency box, the status line, both menus. It also owns the
// override engine's timers and the tray menu.
class TMainForm : public TForm {
public:
    TMainForm(TApplication& app, Settings& settings, DisplayService& display);

    // Controls, as the window lays them out.
    TGroupBox RadioGroup1{*this};
    TRadioGroupScope OnOffGroup;
    TRadioButton OnRadioButton{*this, OnOffGroup};
    TRadioButton OffRadioButton{*this, OnOffGroup};
    TCheckBox FastestCheckBox{*this};
    TLabel InstrLabel{*this};
    TLabel FreqLabel{*this};
    TComboBox FreqCombo{*this};
    TStringGrid MainStringGrid{*this};
    TLabel Label1{*this};
    TBevel Bevel1{*this};
    TButton Button1{*this};
    TButton Button2{*this};
    TButton SaveBitBtn{*this};
    TButton CloseBitBtn{*this};
    TStatusBar MainStatusBar{*this};
    TImage ImageStart{*this};
    TImage ImageNorm{*this};
    TImage ImageBar{*this};
    TTimer Timer1;
    TTimer Timer2;
    TTimer Timer3;

    // The main menu.
    TMenu MainMenu1;
    TMenuItem* File1 = nullptr;
    TMenuItem* Save1 = nullptr;
    TMenuItem* Close1 = nullptr;
    TMenuItem* Exit1 = nullptr;
    TMenuItem* Tools1 = nullptr;
    TMenuItem* AdvancedSettings1 = nullptr;
    TMenuItem* MonitorFeatures1 = nullptr;
    TMenuItem* LockingFeatures2 = nullptr;
    TMenuItem* Help1 = nullptr;
    TMenuItem* About1 = nullptr;

    // The tray menu, also the window's context menu.
    TMenu PopupMenu1;
    TMenuItem* OpenWindow1 = nullptr;
    TMenuItem* AdvancedSettings2 = nullptr;
    TMenuItem* Enabled1 = nullptr;
    TMenuItem* DisplayProperties1 = nullptr;
    TMenuItem* ChangeScreenMode1 = nullptr;
    TMenuItem* Monitor1 = nullptr;
    TMenuItem* LockingFeatures1 = nullptr;
    TMenuItem* ExitTavelmorind1 = nullptr;

    // The mode table's state beside the grid.
    std::vector<std::uint8_t> FastestTable;
    std::vector<std::string> FrequencySet;
    bool AnyFrequencyDetected = false;
    bool TableReady = false;
    int ComboRow = 0;
    int SelectedRow = 1;

    // Start-up (the window's creation).
    void FormCreate();

    // The mode table.
    void BuildModeTable();
    void ApplyFastestSetting();
    void FastestCheckBoxClick() { ApplyFastestSetting(); }
    void FillChoiceList(int row);
    void MainStringGridSelectCell(int column, int row, bool& canSelect);
    void FreqComboKeyPress(char& key);
    void FreqComboChange();
    void ApplyNoDetectionFallback();

    void FormResize();

    Settings& Config;
    DisplayService& Display;

private:
    void CreateMenus();
    void AddToFrequencySet(std::uint32_t frequency);
};

// Texts the mode table shows.
inline constexpr const char* kAutomaticInstruction = "Automatic settings are enabled.";
inline constexpr const char* kManualInstruction =
    "Click on a mode, then specify a frequency for that mode.";
inline constexpr const char* kNoDetectionText = "(Cannot autodetect on this operating system)";

} // namespace tvm
