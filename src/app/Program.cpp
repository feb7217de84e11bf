#include "app/Program.h"

namespace tvm {

Program::Program(Platform& platform)
    : primaryOnly_(platform.Main.Display), App(platform.Dialogs, platform.Timers),
      Table(platform.Main.Display), Override(platform.Main.Display, Table, Config, App),
      Others(platform.Displays != nullptr ? *platform.Displays : primaryOnly_, Override),
      Switcher(platform.Main.Display, Table, Config, Override),
      Store(platform.Main.Ini, platform.Main.RunKey), platform_(platform) {
    App.SetTitle("Tavelmorind");
    Switcher.SetWindow(this);
}

bool Program::Start() {
    if (platform_.Instance.AnotherCopyRunning() && platform_.Instance.AskRunningCopyToShow()) {
        return false;
    }

    const MainServices& services = platform_.Main;
    MainForm =
        std::make_unique<TMainForm>(App, Config, services.Display, services.Tray, services.System,
                                    MainEngines{Table, Override, Switcher, Store, Others});
    Override.SetListener(MainForm.get());
    MainForm->OpenAdvanced = [this] {
        if (AdvanceForm) {
            AdvanceForm->Show();
        }
    };
    MainForm->OpenAbout = [this] {
        if (AboutForm) {
            AboutForm->Show();
        }
    };
    platform_.Windows.RealizeMain(*MainForm, *this);
    MainForm->FormCreate();

    AdvanceForm =
        std::make_unique<TAdvanceForm>(App, Config, Override, Table, platform_.Main.System);
    AdvanceForm->TrayChoiceChanged = [this] { MainForm->UpdateTrayIcon(); };
    platform_.Windows.Realize(*AdvanceForm);

    AboutForm = std::make_unique<TAboutForm>(App, platform_.Main.System);
    platform_.Windows.Realize(*AboutForm);

    TimerForm =
        std::make_unique<TTimerForm>(App, Switcher, platform_.Main.Display, platform_.Main.System);
    platform_.Windows.Realize(*TimerForm);

    BlankForm = std::make_unique<TBlankForm>(App, platform_.Main.Display, platform_.Power,
                                             platform_.Main.System);
    platform_.Windows.Realize(*BlankForm);
    Monitors = std::make_unique<MonitorCommands>(Config, platform_.Power, platform_.Main.System,
                                                 *BlankForm);
    WireMonitorCommands();

    platform_.Windows.HideApplicationWindow();
    return true;
}

void Program::WireMonitorCommands() {
    TMainForm& m = *MainForm;
    const struct {
        TMenuItem* Tray;
        TMenuItem* Main;
        void (MonitorCommands::*Handler)();
    } commands[] = {
        {m.ActivateScreenSaver1, m.ActivateScreenSaver2,
         &MonitorCommands::ActivateScreenSaver1Click},
        {m.BlankScreen1, m.BlankScreen2, &MonitorCommands::BlankScreen1Click},
        {m.DPMSStandby1, m.DPMSStandby2, &MonitorCommands::DPMSStandby1Click},
        {m.DPMSOff1, m.DPMSOff2, &MonitorCommands::DPMSOff1Click},
        {m.LockPCActivateScreenSaver1, m.LockPCActivateScreenSaver2,
         &MonitorCommands::LockPCActivateScreenSaver1Click},
        {m.LockPCDPMSStandby1, m.LockPCDPMSStandby2, &MonitorCommands::LockPCDPMSStandby1Click},
        {m.LockPCDPMSOff1, m.LockPCDPMSOff2, &MonitorCommands::LockPCDPMSOff1Click},
    };
    for (const auto& c : commands) {
        auto run = [monitors = Monitors.get(), handler = c.Handler] { (monitors->*handler)(); };
        c.Tray->OnClick = run;
        c.Main->OnClick = run;
    }
}

void Program::ConfirmModeSwitch() {
    if (TimerForm) {
        TimerForm->Show();
    }
}

void Program::EnableModeSwitching(bool enabled) {
    MainForm->EnableModeSwitching(enabled);
}

void Program::TrayIconCallback(std::uint32_t mouseMessage) {
    MainForm->TrayIconCallback(mouseMessage);
}

void Program::OnTaskbarCreated() {
    MainForm->OnTaskbarCreated();
}

void Program::OnShowMainMessage() {
    MainForm->OnShowMainMessage();
}

void Program::OnSystemEvent(SystemEvent event) {
    MainForm->OnSystemEvent(event);
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
    // Before the tray icon and the windows go, which takes seconds under Wine: a start
    // meanwhile is the next program, not a request to this one.
    platform_.Instance.Release();
    Finish();
    return 0;
}

} // namespace tvm
