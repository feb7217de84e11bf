#include "app/Program.h"

namespace tvm {

Program::Program(Platform& platform) : App(platform.Dialogs, platform.Timers), platform_(platform) {
    App.SetTitle("Tavelmorind");
}

bool Program::Start() {
    if (platform_.Instance.AnotherCopyRunning()) {
        platform_.Instance.AskRunningCopyToShow();
        return false;
    }

    MainForm = std::make_unique<TMainForm>(App, Config, platform_.Main);
    platform_.Windows.RealizeMain(*MainForm);
    MainForm->FormCreate();

    AdvanceForm = std::make_unique<TForm>(App);
    AdvanceForm->SetCaption("Advanced Settings");
    platform_.Windows.Realize(*AdvanceForm);
    MainForm->AdvanceForm = AdvanceForm.get();

    AboutForm = std::make_unique<TAboutForm>(App, platform_.Main.System);
    platform_.Windows.Realize(*AboutForm);
    MainForm->AboutForm = AboutForm.get();

    TimerForm = std::make_unique<TTimerForm>(App, *MainForm, platform_.Main.Display,
                                             platform_.Main.System);
    platform_.Windows.Realize(*TimerForm);
    MainForm->TimerForm = TimerForm.get();

    BlankForm = std::make_unique<TForm>(App);
    BlankForm->SetCaption("BlankForm");
    platform_.Windows.Realize(*BlankForm);

    platform_.Windows.HideApplicationWindow();
    return true;
}

void Program::Finish() {
    Config.ShowSystemTrayIcon = false;
    MainForm->UpdateTrayIcon();
}

int Program::Run() {
    if (!Start()) {
        return 0;
    }
    platform_.Windows.RunMessageLoop(App);
    Finish();
    return 0;
}

} // namespace tvm
