// The main window as the shell of the program: the tray icon's callbacks, the tray
// menu, the other windows it opens.
#include "ui/UnitMain.h"

namespace tvm {

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

} // namespace tvm
