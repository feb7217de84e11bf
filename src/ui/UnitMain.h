#pragma once

#include "display/ModeSwitcher.h"
#include "display/ModeTable.h"
#include "display/OtherDisplays.h"
#include "display/OverrideEngine.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "shell/ShellEvents.h"
#include "shell/TrayIcon.h"
#include "ui/FrequencyKey.h"
#include "ui/Services.h"
#include "ui/widgets/Form.h"
#include "ui/widgets/Grid.h"
#include "ui/widgets/Menus.h"
#include "ui/widgets/StdCtrls.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tvm {

// The engines the main window shows and forwards the user's acts to.
struct MainEngines {
    ModeTable& Table;
    OverrideEngine& Override;
    ModeSwitcher& Switcher;
    SettingsStore& Store;
    OtherDisplays& Others;
};

// The configuration window: the On/Off choice, the automatic-fastest check box, the
// mode table with its frequency box, the status line, both menus and the tray icon. It
// shows what the engines hold and forwards the user's acts to them.
class TMainForm : public TForm, public OverrideEngine::Listener {
public:
    TMainForm(TApplication& app, Settings& settings, DisplayService& display, TrayService& tray,
              SystemService& system, const MainEngines& engines);

    // Controls, as the window lays them out.
    TGroupBox RadioGroup1{*this};
    TRadioGroupScope OnOffGroup;
    TRadioButton OnRadioButton{*this, OnOffGroup};
    TRadioButton OffRadioButton{*this, OnOffGroup};
    TCheckBox FastestCheckBox{*this};
    TLabel InstrLabel{*this};
    TLabel FreqLabel{*this};
    TComboBox FreqCombo{*this};
    // With two displays or more: which display's table the grid shows.
    TLabel DisplayLabel{*this};
    TComboBox DisplayCombo{*this};
    TStringGrid MainStringGrid{*this};
    TLabel Label1{*this};
    TBevel Bevel1{*this};
    TButton Button1{*this};
    TButton Button2{*this};
    TButton SaveBitBtn{*this};
    TButton CloseBitBtn{*this};
    TStatusBar MainStatusBar{*this};

    // The main menu.
    TMenu MainMenu1;
    TMenuItem* File1 = nullptr;
    TMenuItem* Save1 = nullptr;
    TMenuItem* Close1 = nullptr;
    TMenuItem* Exit1 = nullptr;
    TMenuItem* Tools1 = nullptr;
    TMenuItem* AdvancedSettings1 = nullptr;
    TMenuItem* MonitorFeatures1 = nullptr;
    TMenuItem* ActivateScreenSaver2 = nullptr;
    TMenuItem* DPMSStandby2 = nullptr;
    TMenuItem* DPMSOff2 = nullptr;
    TMenuItem* BlankScreen2 = nullptr;
    TMenuItem* LockingFeatures2 = nullptr;
    TMenuItem* LockPCActivateScreenSaver2 = nullptr;
    TMenuItem* LockPCDPMSOff2 = nullptr;
    TMenuItem* LockPCDPMSStandby2 = nullptr;
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
    TMenuItem* ActivateScreenSaver1 = nullptr;
    TMenuItem* DPMSStandby1 = nullptr;
    TMenuItem* DPMSOff1 = nullptr;
    TMenuItem* BlankScreen1 = nullptr;
    TMenuItem* LockingFeatures1 = nullptr;
    TMenuItem* LockPCActivateScreenSaver1 = nullptr;
    TMenuItem* LockPCDPMSStandby1 = nullptr;
    TMenuItem* LockPCDPMSOff1 = nullptr;
    TMenuItem* ExitTavelmorind1 = nullptr;

    // The grid and the frequency box's state.
    bool TableReady = false;
    int ComboRow = 0;
    int SelectedRow = 1;

    bool StartupComplete = false;
    // Until the load has filled the settings they hold zeros; a save then would
    // overwrite the user's file with them.
    bool SettingsLoaded = false;

    // The tray icon: wanted from the start of start-up, then as the tray setting says.
    tvm::TrayIcon TrayIcon;

    // The other windows this one opens, as the program connects them.
    std::function<void()> OpenAdvanced;
    std::function<void()> OpenAbout;

    // Start-up (the window's creation).
    void FormCreate();

    // The manual switcher.
    void Button2Click();
    void PopupMenu1Popup();
    // While a switch waits for its confirmation, no other switch may start.
    void EnableModeSwitching(bool enabled);

    // The window, its buttons and menus.
    void CloseBitBtnClick() { Hide(); }
    void Close1Click() { Hide(); }
    void ExitTavelmorind1Click() { App().Terminate(); }
    void Button1Click();
    void AdvancedSettings1Click() { Button1Click(); }
    void About1Click();
    void OpenWindow1Click();
    void AdvancedSettings2Click();
    void DisplayProperties1Click();
    void FormClose(CloseAction& action) { action = CloseAction::Hide; }
    void FormHide() { System.TrimWorkingSet(); }

    // Messages of the window itself.
    static constexpr std::uint32_t WmLButtonDblClk = TrayIconData::LeftDoubleClick;
    static constexpr std::uint32_t WmRButtonDown = TrayIconData::RightButtonDown;
    void TrayIconCallback(std::uint32_t mouseMessage);
    void ShowTrayMenu();
    // The shell recreated the notification area ("TaskbarCreated").
    void OnTaskbarCreated();
    // A second start asks this one to show itself ("Tavelmorind_ShowMain").
    void OnShowMainMessage();
    // The system resumed, the session came back, a monitor arrived or the power status
    // changed: the displays are looked at again (see OverrideEngine::SystemEventCheck).
    void OnSystemEvent(SystemEvent event);

    // The override engine.
    void OnDisplayChange();
    void OnRadioButtonClick();
    void OffRadioButtonClick();
    void Enabled1Click();
    // On/Off and the status line as the engine has them: the radio buttons, the tray
    // menu's "Enabled" mark, the tray picture and tip, the status line.
    void OverrideChanged() override;

    // The settings store.
    void LoadSettings();
    void SaveSettings();
    void SaveBitBtnClick() { SaveSettings(); }
    void Save1Click() { SaveSettings(); }

    // The tray icon.
    void UpdateTrayIcon();
    void SetTrayState(TrayPicture picture);

    // The mode table.
    void BuildModeTable();
    void ApplyFastestSetting();
    void FastestCheckBoxClick() { ApplyFastestSetting(); }
    void FillChoiceList(int row);
    void MainStringGridSelectCell(int column, int row, bool& canSelect);
    void FreqComboKeyPress(char& key);
    void FreqComboChange();
    void ApplyNoDetectionFallback();
    // The display picker and the tray's "Change Screen Mode" as the desktop has them:
    // with one display neither changes; with more, a picker above the grid and a
    // submenu per display.
    void ShowDisplays();
    void DisplayComboChange();
    // The table the grid shows, and its display.
    ModeTable& ShownTable() const { return *shownTable_; }

    void FormResize();

    void SetStatus(const std::string& text) { MainStatusBar.SetSimpleText(text); }

    Settings& Config;
    DisplayService& Display;
    TrayService& Tray;
    SystemService& System;

    ModeTable& Table;
    OverrideEngine& Override;
    ModeSwitcher& Switcher;
    SettingsStore& Store;
    OtherDisplays& Others;

private:
    // The displays besides the primary, looked at again: one that appeared gets its
    // table and its saved values.
    void RefreshDisplays();
    void LoadFrequencies(OtherDisplays::Entry& display);
    void ShowTable(DisplayService& display, ModeTable& table);
    void BuildScreenModeMenu();

    struct ShownDisplay {
        DisplayInfo Info;
        DisplayService* Service;
        ModeTable* Table;
        TMenuItem* Menu; // its submenu of "Change Screen Mode", or the menu itself
    };
    // The displays as the picker and the tray menu list them, the primary first.
    std::vector<ShownDisplay> displays_;
    ModeTable* shownTable_;
    bool pickerShown_ = false;
    void CreateMenus();
    // The grid's rows show the table's: row r is the table's row r - 1.
    void ShowRow(std::size_t index);
    void ShowSetAtColumn();
    const ModeRow* RowAt(int gridRow) const;

    // The status line's text before a save put the note about the machine's Run value
    // there, so that a later save that removes the value does not bring the note back.
    std::string statusUnderNote_;
    // While the window shows the engine's On/Off, the radio buttons' own handlers,
    // which run for a change by code too, have nothing to forward.
    bool showingOverride_ = false;
};

// The mode table's columns: the mode key, the detected frequencies, the Set At value.
inline constexpr int kKeyColumn = 0;
inline constexpr int kDetectedColumn = 1;
inline constexpr int kSetAtColumn = 2;

// Texts the mode table shows.
inline constexpr const char* kAutomaticInstruction = "Automatic settings are enabled.";
inline constexpr const char* kManualInstruction =
    "Click on a mode, then specify a frequency for that mode.";
inline constexpr const char* kNoDetectionText = "(Cannot autodetect on this operating system)";

// The status line.
inline constexpr const char* kStatusSaving = "Please wait whilst saving...";
inline constexpr const char* kStatusMachineRunValueStays =
    "Start at log-on is still set for all users; run Tavelmorind once as administrator and save "
    "to remove it.";

} // namespace tvm
