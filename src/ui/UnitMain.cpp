// The configuration window: its layout, start-up, what it shows of overriding (the On
// and Off radio buttons, the tray menu's "Enabled" mark, the tray picture, the status
// line) and how it loads and saves the settings (the first-run greeting, the boot warning,
// the status line during a save).
#include "ui/UnitMain.h"

namespace tvm {

namespace {

constexpr const char* kGreeting =
    "Welcome!  At this time, please make sure you are using your correct Monitor drivers "
    "(preferably NOT the Plug and Play ones), and your best Display drivers.  Click Cancel if "
    "you have not done so.";
constexpr const char* kGreetingHowTo =
    "Open the main window by double-clicking on the Tavelmorind System Tray icon (next to the "
    "clock).  If you are confident you are using all the right drivers, try just clicking the "
    "'On' button and Saving your settings.";
constexpr const char* kBootWarning =
    "WARNING: You are booting Tavelmorind with the PC, or optimizing the computer's default "
    "mode.  This may cause problems when you next boot, and you may end up having to reboot "
    "your PC in safe mode.  Are you absolutely sure you want to do this?";

} // namespace

TMainForm::TMainForm(TApplication& app, Settings& settings, DisplayService& display,
                     TrayService& tray, SystemService& system, const MainEngines& engines)
    : TForm(app), MainMenu1(app), PopupMenu1(app), TrayIcon(tray), Config(settings),
      Display(display), Tray(tray), System(system), Table(engines.Table),
      Override(engines.Override), Switcher(engines.Switcher), Store(engines.Store),
      Others(engines.Others), shownTable_(&engines.Table) {
    SetCaption("Tavelmorind Configuration");
    ClientWidth = 435;
    ClientHeight = 334;
    Width = 443;
    Height = 387;
    MinWidth = 443;
    MinHeight = 387;
    MinimizeBox = false;
    Centered = true;

    RadioGroup1.SetBounds(8, 8, 419, 49);
    RadioGroup1.SetAnchors(AnchorLeft | AnchorTop | AnchorRight);
    RadioGroup1.SetCaption("Refresh Overriding");

    OnRadioButton.SetBounds(16, 32, 41, 17);
    OnRadioButton.SetCaption("O&n");
    OnRadioButton.SetHint("Turns on Refresh Overriding");
    OnRadioButton.OnClick = [this] { OnRadioButtonClick(); };
    OffRadioButton.SetBounds(64, 32, 41, 17);
    OffRadioButton.SetCaption("&Off");
    OffRadioButton.SetHint("Turns off Refresh Overriding");
    OffRadioButton.OnClick = [this] { OffRadioButtonClick(); };

    FastestCheckBox.SetBounds(168, 32, 249, 17);
    FastestCheckBox.SetAnchors(AnchorTop | AnchorRight);
    FastestCheckBox.SetCaption("&Always use the fastest safe frequency for mode");
    FastestCheckBox.SetHint("Populates the table below with the fastest frequencies for each mode");
    // Checked at creation without running the handler: start-up applies it itself.
    FastestCheckBox.SetChecked(true);
    FastestCheckBox.OnClick = [this] { FastestCheckBoxClick(); };

    InstrLabel.SetBounds(8, 64, 0, 0);
    FreqLabel.SetBounds(320, 64, 0, 0);
    FreqLabel.SetCaption("S&et to:");
    FreqLabel.FocusControl = &FreqCombo;

    FreqCombo.SetBounds(360, 64, 65, 21);
    FreqCombo.SetAnchors(AnchorLeft | AnchorTop | AnchorRight);
    FreqCombo.MaxLength = 3;
    FreqCombo.SetHint("Changes the display frequency of the selected mode in the table");
    FreqCombo.OnKeyPress = [this](char& key) { FreqComboKeyPress(key); };
    FreqCombo.OnChange = [this] { FreqComboChange(); };

    DisplayLabel.SetBounds(8, 92, 0, 0);
    DisplayLabel.SetCaption("&Display:");
    DisplayLabel.FocusControl = &DisplayCombo;
    DisplayLabel.SetVisible(false);
    DisplayCombo.SetBounds(64, 88, 363, 21);
    DisplayCombo.SetAnchors(AnchorLeft | AnchorTop | AnchorRight);
    DisplayCombo.DropDownList = true;
    DisplayCombo.SetHint("The display whose modes the table shows");
    DisplayCombo.SetVisible(false);
    DisplayCombo.OnChange = [this] { DisplayComboChange(); };

    MainStringGrid.SetBounds(8, 88, 419, 157);
    MainStringGrid.SetAnchors(AnchorLeft | AnchorTop | AnchorRight | AnchorBottom);
    MainStringGrid.SetColCount(3);
    MainStringGrid.DefaultColWidth = 100;
    MainStringGrid.DefaultRowHeight = 16;
    MainStringGrid.FixedRows = 1;
    MainStringGrid.OnSelectCell = [this](int column, int row, bool& canSelect) {
        MainStringGridSelectCell(column, row, canSelect);
    };

    Label1.SetBounds(8, 248, 417, 13);
    Label1.SetAnchors(AnchorLeft | AnchorRight | AnchorBottom);
    Label1.Alignment = TLabel::Align::Center;
    Label1.SetCaption(
        "0 values in the 'Set At' field means that particular display mode will not be changed.");
    Bevel1.SetBounds(8, 264, 419, 9);
    Bevel1.SetAnchors(AnchorLeft | AnchorRight | AnchorBottom);
    Bevel1.BottomLine = true;

    Button1.SetBounds(8, 280, 121, 25);
    Button1.SetAnchors(AnchorLeft | AnchorBottom);
    Button1.SetCaption("A&dvanced Settings...");
    Button1.SetHint("Opens the Advanced Settings dialog");
    Button2.SetBounds(136, 280, 81, 25);
    Button2.SetAnchors(AnchorLeft | AnchorBottom);
    Button2.SetCaption("S&witch Mode");
    Button2.SetHint("Switches to the selected mode in the list");
    SaveBitBtn.SetBounds(272, 280, 75, 25);
    SaveBitBtn.SetAnchors(AnchorRight | AnchorBottom);
    SaveBitBtn.SetCaption("&Save");
    SaveBitBtn.Glyph = TGlyph::Save;
    SaveBitBtn.SetHint(
        "Saves all your settings (including the Advanced Settings) and closes this dialog");
    CloseBitBtn.SetBounds(352, 280, 75, 25);
    CloseBitBtn.SetAnchors(AnchorRight | AnchorBottom);
    CloseBitBtn.SetCaption("&Close");
    CloseBitBtn.Glyph = TGlyph::Close;
    CloseBitBtn.SetHint("Closes this dialog without saving");
    CloseBitBtn.Default = true;
    CloseBitBtn.Cancel = true;

    MainStatusBar.SetSimpleText(kStatusReady);
    SaveBitBtn.OnClick = [this] { SaveBitBtnClick(); };
    CloseBitBtn.OnClick = [this] { CloseBitBtnClick(); };
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    OnClose = [this](CloseAction& action) { FormClose(action); };
    OnHide = [this] { FormHide(); };
    Display.SetChangeListener([this] { App().Dispatch([this] { OnDisplayChange(); }); });

    CreateMenus();
    Menu = &MainMenu1;
    PopupMenu = &PopupMenu1;
    OnResize = [this] { FormResize(); };
    TabOrder = {&CloseBitBtn,   &SaveBitBtn,     &Button1,         &Button2,
                &OnRadioButton, &OffRadioButton, &FastestCheckBox, &FreqCombo,
                &DisplayCombo,  &MainStringGrid, &RadioGroup1};
}

void TMainForm::FormCreate() {
    // Each step runs on its own: an error one of them raises (the first-run marker
    // cannot be written, the Run value is not text) is shown and start-up goes on, so
    // that it completes and the tray icon answers.
    auto step = [this](auto&& action) { App().Dispatch(action); };
    step([this] {
        TrayIcon.SetState(TrayPicture::Starting, App().Title() + " - Starting Up...");
        TrayIcon.SetWanted(true);
    });
    step([this] {
        Others.Refresh(FastestCheckBox.Checked());
        BuildModeTable();
        ShowDisplays();
    });
    step([this] { ApplyFastestSetting(); });
    TableReady = true;
    step([this] { LoadSettings(); });
    // Also after a load that stopped at the Run value: the file has been read by then.
    SettingsLoaded = true;
    step([this] { FillChoiceList(1); });
    step([this] { ApplyNoDetectionFallback(); });
    step([this] { Override.SetOnBattery(System.ReadPowerSource().OnBattery); });
    step([this] {
        if (Config.OptimizeDesktopMode) {
            Override.ApplyOverride(ChangeUpdateRegistry);
        }
    });
    step([this] { Override.RestartEnforcement(); });
    // The icon said "Starting Up" until here; now it shows the state the load left.
    step([this] { UpdateTrayIcon(); });
    StartupComplete = true;
    System.TrimWorkingSet();
}

void TMainForm::FormResize() {
    MainStringGrid.SetColWidth(kDetectedColumn, Width - 210);
}

void TMainForm::OnDisplayChange() {
    // Nothing is acted on while starting: the only change the program makes then is
    // its own desktop-mode override, which must not be counted or overridden again.
    if (StartupComplete) {
        RefreshDisplays();
        Override.OnDisplayChange();
    }
}

void TMainForm::OnSystemEvent(SystemEvent event) {
    // Until start-up is complete the program acts on no change, as with a display's
    // notification; it reads the power source itself (a power notification comes as
    // soon as the window registers for it).
    if (!StartupComplete) {
        return;
    }
    if (event == SystemEvent::PowerStatusChanged) {
        // Sent for every change of the battery's charge as well: only a change of the
        // source matters here.
        const bool wasOnBattery = Override.OnBattery();
        Override.SetOnBattery(System.ReadPowerSource().OnBattery);
        if (Override.OnBattery() == wasOnBattery) {
            return;
        }
    }
    if (event == SystemEvent::MonitorArrived) {
        RefreshDisplays();
    }
    Override.SystemEventCheck();
}

void TMainForm::RefreshDisplays() {
    const std::size_t before = Others.AttachedCount();
    const auto appeared = Others.Refresh(FastestCheckBox.Checked());
    for (OtherDisplays::Entry* display : appeared) {
        if (!FastestCheckBox.Checked()) {
            LoadFrequencies(*display);
        }
    }
    if (!appeared.empty() || Others.AttachedCount() != before) {
        ShowDisplays();
    }
}

void TMainForm::LoadFrequencies(OtherDisplays::Entry& display) {
    const std::string monitor = OtherDisplays::Identity(display.Info);
    for (std::size_t index = 0; index < display.Table.Count(); ++index) {
        display.Table.SetRate(index, static_cast<std::uint32_t>(Store.ReadFrequency(
                                         display.Table.Row(index).Key, monitor)));
    }
}

void TMainForm::OnRadioButtonClick() {
    if (!showingOverride_) {
        Override.TurnOn();
    }
}

void TMainForm::OffRadioButtonClick() {
    if (!showingOverride_) {
        Override.TurnOff();
    }
}

void TMainForm::Enabled1Click() {
    if (Enabled1->Checked) {
        Override.TurnOff();
    } else {
        Override.TurnOn();
    }
}

void TMainForm::OverrideChanged() {
    const bool on = Override.SwitchedOn();
    showingOverride_ = true;
    (on ? OnRadioButton : OffRadioButton).SetChecked(true);
    showingOverride_ = false;
    Enabled1->Checked = on;
    SetTrayState(on ? TrayPicture::Enabled : TrayPicture::Disabled);
    SetStatus(Override.Status() + Override.BatteryNote());
}

void TMainForm::LoadSettings() {
    if (!Store.ProgramRunBefore()) {
        if (App().MessageDlg(kGreeting, MsgDlgType::Confirmation, MsgDlgButtons::OKCancel) ==
            ModalResult::Cancel) {
            App().Terminate();
        } else {
            App().MessageDlg(kGreetingHowTo, MsgDlgType::Information, MsgDlgButtons::OK);
            // A marker that cannot be written is reported, and the rest still loads:
            // stopping here would leave every option at zero, the tray icon included.
            App().Dispatch([this] { Store.MarkProgramRunBefore(); });
        }
    }

    // On or Off, and the automatic rates, take effect as they are read: what they run
    // sees only the options read before them (all zero), as the window sees it.
    Store.LoadOptions(Config, [this](const SettingKey& key) {
        if (key.Where == SettingKey::Field(&Settings::SwitchedOn)) {
            if (Config.SwitchedOn) {
                Override.TurnOn();
            } else {
                Override.TurnOff();
            }
        } else if (key.Where == SettingKey::Field(&Settings::FastestFrequency)) {
            FastestCheckBox.SetChecked(Config.FastestFrequency);
        }
    });
    Override.SettingsChanged();

    if (!FastestCheckBox.Checked()) {
        for (std::size_t index = 0; index < Table.Count(); ++index) {
            Table.SetRate(index,
                          static_cast<std::uint32_t>(Store.ReadFrequency(Table.Row(index).Key)));
        }
        ShowSetAtColumn();
        for (const auto& display : Others.Entries()) {
            LoadFrequencies(*display);
        }
    }

    // Stays false when the user's Run value is not text.
    Config.RunOnBoot = false;
    Config.RunOnBoot = Store.ReadRunOnBoot();
}

void TMainForm::SaveSettings() {
    // A second start may show the window while a start-up dialog is still open.
    if (!SettingsLoaded) {
        return;
    }
    if (Config.RunOnBoot || Config.OptimizeDesktopMode) {
        if (App().MessageDlg(kBootWarning, MsgDlgType::Warning, MsgDlgButtons::YesNo) ==
            ModalResult::No) {
            Config.RunOnBoot = false;
            Config.OptimizeDesktopMode = false;
        }
    }

    std::string remembered = MainStatusBar.SimpleText();
    if (remembered == kStatusMachineRunValueStays) {
        remembered = statusUnderNote_;
    }
    std::string afterwards = remembered;
    SetStatus(kStatusSaving);
    MainStatusBar.Repaint();

    try {
        Config.SwitchedOn = Override.SwitchedOn();
        Store.SaveOptions(Config);
        std::vector<std::pair<std::string, std::string>> frequencies;
        if (!FastestCheckBox.Checked()) {
            for (std::size_t index = 0; index < Table.Count(); ++index) {
                frequencies.emplace_back(Table.Row(index).Key, Table.Row(index).SetAt);
            }
        }
        Store.SaveFrequencies(frequencies);
        // The displays attached now; a monitor unplugged keeps its section as it is.
        for (const auto& display : Others.Entries()) {
            if (!display->Attached) {
                continue;
            }
            frequencies.clear();
            if (!FastestCheckBox.Checked()) {
                for (std::size_t index = 0; index < display->Table.Count(); ++index) {
                    frequencies.emplace_back(display->Table.Row(index).Key,
                                             display->Table.Row(index).SetAt);
                }
            }
            Store.SaveFrequencies(frequencies, OtherDisplays::Identity(display->Info),
                                  display->Info.FriendlyName);
        }
        if (Store.SaveRunOnBoot(Config.RunOnBoot) ==
            SettingsStore::RunValueOutcome::MachineValueStays) {
            statusUnderNote_ = remembered;
            afterwards = kStatusMachineRunValueStays;
        }
    } catch (const ProgramError& error) {
        // The save stops at the failed write; the window stays open, and the status
        // line must not go on claiming that a save is running.
        App().ShowException(error);
        SetStatus(remembered);
        return;
    }

    Hide();
    SetStatus(afterwards);
}

} // namespace tvm
