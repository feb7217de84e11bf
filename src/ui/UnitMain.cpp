#include "ui/UnitMain.h"

namespace tvm {

TMainForm::TMainForm(TApplication& app, Settings& settings, DisplayService& display,
                     TrayService& tray, SystemService& system, const MainEngines& engines)
    : TForm(app), MainMenu1(app), PopupMenu1(app), TrayIcon(tray), Config(settings),
      Display(display), Tray(tray), System(system), Table(engines.Table),
      Override(engines.Override), Switcher(engines.Switcher), Store(engines.Store) {
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
    TabOrder = {&CloseBitBtn,    &SaveBitBtn,      &Button1,   &Button2,        &OnRadioButton,
                &OffRadioButton, &FastestCheckBox, &FreqCombo, &MainStringGrid, &RadioGroup1};
}

void TMainForm::CreateMenus() {
    File1 = &MainMenu1.Add("&File");
    Save1 = &File1->Add("&Save");
    Save1->OnClick = [this] { Save1Click(); };
    Close1 = &File1->Add("&Close");
    Close1->OnClick = [this] { Close1Click(); };
    File1->AddSeparator();
    Exit1 = &File1->Add("E&xit");
    Exit1->OnClick = [this] { ExitTavelmorind1Click(); };

    Tools1 = &MainMenu1.Add("&Tools");
    AdvancedSettings1 = &Tools1->Add("&Advanced Settings...");
    AdvancedSettings1->OnClick = [this] { AdvancedSettings1Click(); };
    Tools1->AddSeparator();
    MonitorFeatures1 = &Tools1->Add("&Monitor Features");
    ActivateScreenSaver2 = &MonitorFeatures1->Add("Activate &ScreenSaver");
    MonitorFeatures1->AddSeparator();
    DPMSStandby2 = &MonitorFeatures1->Add("DPMS S&tandby");
    DPMSOff2 = &MonitorFeatures1->Add("DPMS &Off");
    MonitorFeatures1->AddSeparator();
    BlankScreen2 = &MonitorFeatures1->Add("&Blank Screen");
    MonitorFeatures1->AddSeparator();
    LockingFeatures2 = &MonitorFeatures1->Add("&Locking Features");
    LockPCActivateScreenSaver2 = &LockingFeatures2->Add("&Lock PC && Activate ScreenSaver");
    LockingFeatures2->AddSeparator();
    LockPCDPMSOff2 = &LockingFeatures2->Add("L&ock PC && DPMS Off");
    LockPCDPMSStandby2 = &LockingFeatures2->Add("Lo&ck PC && DPMS Standby");

    Help1 = &MainMenu1.Add("&Help");
    About1 = &Help1->Add("&About...");
    About1->OnClick = [this] { About1Click(); };

    OpenWindow1 = &PopupMenu1.Add("&Tavelmorind Configuration");
    OpenWindow1->Default = true;
    OpenWindow1->Hint = "Pops up the main Tavelmorind window";
    OpenWindow1->OnClick = [this] { OpenWindow1Click(); };
    AdvancedSettings2 = &PopupMenu1.Add("&Advanced Settings");
    AdvancedSettings2->OnClick = [this] { AdvancedSettings2Click(); };
    Enabled1 = &PopupMenu1.Add("&Enabled");
    Enabled1->Checked = true;
    Enabled1->OnClick = [this] { Enabled1Click(); };
    PopupMenu1.AddSeparator();
    DisplayProperties1 = &PopupMenu1.Add("&Display Properties");
    DisplayProperties1->OnClick = [this] { DisplayProperties1Click(); };
    ChangeScreenMode1 = &PopupMenu1.Add("&Change Screen Mode");
    PopupMenu1.AddSeparator();
    Monitor1 = &PopupMenu1.Add("&Monitor Features");
    ActivateScreenSaver1 = &Monitor1->Add("Activate &ScreenSaver");
    Monitor1->AddSeparator();
    DPMSStandby1 = &Monitor1->Add("DPMS S&tandby");
    DPMSOff1 = &Monitor1->Add("DPMS &Off");
    Monitor1->AddSeparator();
    BlankScreen1 = &Monitor1->Add("&Blank Screen");
    Monitor1->AddSeparator();
    LockingFeatures1 = &Monitor1->Add("&Locking Features");
    LockPCActivateScreenSaver1 = &LockingFeatures1->Add("L&ock PC && Activate ScreenSaver");
    LockingFeatures1->AddSeparator();
    LockPCDPMSStandby1 = &LockingFeatures1->Add("Lo&ck PC && DPMS Standby");
    LockPCDPMSOff1 = &LockingFeatures1->Add("Loc&k PC && DPMS Off");
    PopupMenu1.AddSeparator();
    ExitTavelmorind1 = &PopupMenu1.Add("E&xit Tavelmorind");
    ExitTavelmorind1->Hint = "Quits Tavelmorind";
    ExitTavelmorind1->OnClick = [this] { ExitTavelmorind1Click(); };
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
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
    step([this] { BuildModeTable(); });
    step([this] { ApplyFastestSetting(); });
    TableReady = true;
    step([this] { LoadSettings(); });
    // Also after a load that stopped at the Run value: the file has been read by then.
    SettingsLoaded = true;
    step([this] { FillChoiceList(1); });
    step([this] { ApplyNoDetectionFallback(); });
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

} // namespace tvm
