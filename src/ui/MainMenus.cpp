// The window's menus and its face in the shell: the main menu, the tray menu (also the
// window's context menu), the tray icon, and what the shell says to the program.
#include "ui/UnitMain.h"

namespace tvm {

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

void TMainForm::TrayIconCallback(std::uint32_t mouseMessage) {
    if (!StartupComplete) {
        return;
    }
    if (mouseMessage == WmLButtonDblClk) {
        OpenWindow1Click();
    } else if (mouseMessage == WmRButtonDown) {
        ShowTrayMenu();
    }
}

void TMainForm::ShowTrayMenu() {
    Tray.ShowMenu(PopupMenu1);
}

void TMainForm::OnTaskbarCreated() {
    // The shell lost every icon when it restarted; without ours the user has no way
    // back into the running program.
    TrayIcon.OnTaskbarCreated();
}

void TMainForm::OnShowMainMessage() {
    // An ending copy shows nothing: the start that asks then waits for it to end.
    if (App().Terminated()) {
        return;
    }
    Show();
}

void TMainForm::OpenWindow1Click() {
    Show();
}

void TMainForm::Button1Click() {
    if (OpenAdvanced) {
        OpenAdvanced();
    }
}

void TMainForm::AdvancedSettings2Click() {
    Button1Click();
}

void TMainForm::About1Click() {
    if (OpenAbout) {
        OpenAbout();
    }
}

void TMainForm::DisplayProperties1Click() {
    System.WinExec("rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,3",
                   SystemService::SwShowNormal);
}

void TMainForm::SetTrayState(TrayPicture picture) {
    TrayIcon.SetState(picture, App().Title() + (picture == TrayPicture::Enabled
                                                    ? " - Enabled" + Override.BatteryNote()
                                                    : std::string(" - Disabled")));
    // While starting, the icon keeps saying so; the last step of start-up shows the
    // state reached.
    if (StartupComplete) {
        TrayIcon.Reconcile();
    }
}

void TMainForm::UpdateTrayIcon() {
    TrayIcon.SetWanted(Config.ShowSystemTrayIcon);
}

} // namespace tvm
