#include "SimWorld.h"

#include <gtest/gtest.h>

namespace tvm::test {
namespace {

using Strings = std::vector<std::string>;
using Op = SimTray::Op;

std::vector<Op> Operations(const SimTray& tray) {
    std::vector<Op> ops;
    for (const auto& r : tray.Requests()) {
        ops.push_back(r.Operation);
    }
    return ops;
}

TEST(Startup, CreatesTheFiveWindowsInOrderAndShowsOnlyTheTrayIcon) {
    SimWorld world("crt.modes");
    world.WriteIni(kRunBefore);
    world.Prog.Run();
    EXPECT_EQ(world.Windows.Realized, (Strings{"Tavelmorind Configuration", "Advanced Settings",
                                               "About", "Confirm Display Settings", "BlankForm"}));
    EXPECT_TRUE(world.Windows.ApplicationWindowHidden);
    EXPECT_FALSE(world.Prog.MainForm->Visible());
    EXPECT_TRUE(world.Prog.MainForm->StartupComplete);
    EXPECT_GE(world.System.Trims(), 1);

    // Added while starting, the disabled state pushed at the end, removed after the loop.
    ASSERT_EQ(Operations(world.Tray), (std::vector<Op>{Op::Add, Op::Modify, Op::Delete}));
    const auto& first = world.Tray.Requests()[0].Data;
    EXPECT_EQ(first.Picture, TrayPicture::Starting);
    EXPECT_EQ(first.Tip, "Tavelmorind - Starting Up...");
    EXPECT_EQ(world.Tray.Requests()[1].Data.Tip, "Tavelmorind - Disabled");
    EXPECT_FALSE(world.Tray.Present());
}

TEST(Startup, SecondCopyAsksTheFirstToShowAndCreatesNothing) {
    SimWorld world("crt.modes");
    world.Instance.AnotherCopy = true;
    world.Prog.Run();
    EXPECT_EQ(world.Instance.Asks, 1);
    EXPECT_TRUE(world.Windows.Realized.empty());
    EXPECT_TRUE(world.Tray.Requests().empty());
    EXPECT_TRUE(world.Dialogs.History().empty()) << "not even the greeting";
    EXPECT_FALSE(world.IniExists());
}

TEST(Startup, AStartThatFindsAnEndingCopyGoesOnAsTheProgram) {
    SimWorld world("crt.modes");
    world.WriteIni(kRunBefore);
    world.Instance.AnotherCopy = true;
    world.Instance.CopyEnding = true;
    world.Prog.Run();
    EXPECT_EQ(world.Instance.Asks, 1);
    EXPECT_FALSE(world.Windows.Realized.empty()) << "started normally";
    EXPECT_TRUE(world.Instance.Released) << "and lets go of the name when it ends";

    // Ending, it shows nothing for a start meanwhile, which then waits for it.
    TMainForm& main = *world.Prog.MainForm;
    world.App.Terminate();
    main.OnShowMainMessage();
    EXPECT_FALSE(main.Visible());
}

TEST(Startup, CancelAtTheGreetingEndsAtTheLoopAndRemovesTheIcon) {
    SimWorld world("crt.modes");
    world.Dialogs.Answer(ModalResult::Cancel);
    world.Prog.Run();
    EXPECT_TRUE(world.Windows.LoopRanTerminated);
    EXPECT_FALSE(world.Tray.Present());
}

TEST(Startup, TrayIconSettingOffShowsTheIconOnlyWhileStarting) {
    SimWorld world("crt.modes");
    TMainForm& main =
        world.CreateMain(std::string(kRunBefore) + "[Advanced Options]\nShow System Tray Icon=0\n");
    EXPECT_EQ(Operations(world.Tray), (std::vector<Op>{Op::Add, Op::Delete}));
    EXPECT_FALSE(main.TrayIcon.Shown());

    main.OnRadioButton.Click();
    EXPECT_EQ(world.Tray.Requests().size(), 2u) << "a hidden icon is not touched";
    world.Config.ShowSystemTrayIcon = true;
    main.UpdateTrayIcon();
    EXPECT_EQ(world.Tray.Shown().Tip, "Tavelmorind - Enabled") << "the last state";
    EXPECT_EQ(world.Tray.Shown().Picture, TrayPicture::Enabled);
}

TEST(Startup, ErrorDuringStartupIsShownAndStartupStillCompletes) {
    SimWorld world("crt.modes");
    world.RunKey.StoreWrongType("Tavelmorind");
    TMainForm& main = world.CreateMain(kRunBefore);
    EXPECT_EQ(world.Dialogs.Errors(), Strings{"Invalid data type for 'Tavelmorind'"});
    EXPECT_TRUE(main.StartupComplete);
    main.TrayIconCallback(TMainForm::WmLButtonDblClk);
    EXPECT_TRUE(main.Visible()) << "the tray answers";
}

TEST(TrayIcon, CallbacksWaitForStartupThenOpenTheWindowOrTheMenu) {
    SimWorld world("crt.modes");
    world.WriteIni(kRunBefore);
    LoneMainWindow lone(world, world.Ini);
    TMainForm& main = lone.Main;
    main.TrayIconCallback(TMainForm::WmLButtonDblClk);
    main.TrayIconCallback(TMainForm::WmRButtonDown);
    EXPECT_FALSE(main.Visible());
    EXPECT_EQ(world.Tray.MenusShown(), 0);

    main.FormCreate();
    main.TrayIconCallback(TMainForm::WmRButtonDown);
    EXPECT_EQ(world.Tray.MenusShown(), 1);
    main.TrayIconCallback(TMainForm::WmLButtonDblClk);
    main.TrayIconCallback(TMainForm::WmLButtonDblClk);
    EXPECT_TRUE(main.Visible());
    main.TrayIconCallback(513); // a plain click does nothing
    EXPECT_EQ(world.Tray.MenusShown(), 1);
}

TEST(TrayIcon, RecreatedNotificationAreaGetsTheIconBackWhenItIsWanted) {
    SimWorld world("crt.modes");
    TMainForm& main = world.CreateMain(kRunBefore);
    const auto before = world.Tray.Requests().size();
    main.OnTaskbarCreated();
    ASSERT_EQ(world.Tray.Requests().size(), before + 1);
    EXPECT_EQ(world.Tray.Requests().back().Operation, Op::Add);
    EXPECT_EQ(world.Tray.Requests().back().Data.Tip, "Tavelmorind - Disabled");

    world.Config.ShowSystemTrayIcon = false;
    main.UpdateTrayIcon();
    main.OnTaskbarCreated();
    EXPECT_EQ(world.Tray.Requests().back().Operation, Op::Delete);
}

TEST(TrayIcon, AnIconTheShellRefusedIsNotTakenForShownAndIsAskedForAgain) {
    SimWorld world("crt.modes");
    world.Tray.RefuseAdds = true; // no notification area yet, early in a log-on
    TMainForm& main = world.CreateMain(kRunBefore);
    EXPECT_FALSE(main.TrayIcon.Shown());
    EXPECT_EQ(Operations(world.Tray), (std::vector<Op>{Op::Add, Op::Add}))
        << "asked again at the end of start-up, and never modified while missing";

    world.Tray.RefuseAdds = false;
    main.OnRadioButton.Click();
    EXPECT_TRUE(main.TrayIcon.Shown());
    ASSERT_TRUE(world.Tray.Present());
    EXPECT_EQ(world.Tray.Shown().Tip, "Tavelmorind - Enabled");
    EXPECT_EQ(world.Tray.Requests().back().Operation, Op::Add);

    world.Prog.Finish();
    EXPECT_EQ(world.Tray.Requests().back().Operation, Op::Delete);
    EXPECT_FALSE(world.Tray.Present());
}

TEST(TrayIcon, ANotificationAreaRecreatedBeforeTheLoadGetsTheStartingIconBack) {
    SimWorld world("crt.modes"); // a first run: the greeting comes before the load
    world.Dialogs.WhileOpen([&world] {
        world.Tray.Restart();
        world.Prog.MainForm->OnTaskbarCreated();
    });
    TMainForm& main = world.CreateMain();
    ASSERT_GE(world.Tray.Requests().size(), 2u);
    EXPECT_EQ(world.Tray.Requests()[1].Operation, Op::Add);
    EXPECT_EQ(world.Tray.Requests()[1].Data.Tip, "Tavelmorind - Starting Up...");
    EXPECT_TRUE(main.TrayIcon.Shown());
    EXPECT_TRUE(world.Tray.Present());
    EXPECT_EQ(world.Tray.Shown().Tip, "Tavelmorind - Disabled") << "and its state after the load";
}

TEST(MainWindow, ClosingHidesAndExitTerminates) {
    SimWorld world("crt.modes");
    TMainForm& main = world.CreateMain(kRunBefore);
    main.OnShowMainMessage();
    EXPECT_TRUE(main.Visible());
    main.Close(); // the close box
    EXPECT_FALSE(main.Visible());
    main.OpenWindow1->Click();
    main.Close1->Click();
    EXPECT_FALSE(main.Visible());
    main.Show();
    main.CloseBitBtn.Click();
    EXPECT_FALSE(main.Visible());
    EXPECT_FALSE(world.App.Terminated());

    const int trims = world.System.Trims();
    main.Show();
    main.Hide();
    EXPECT_EQ(world.System.Trims(), trims + 1) << "hiding trims the working set";

    main.Exit1->Click();
    EXPECT_TRUE(world.App.Terminated());
}

TEST(MainWindow, MenusOpenTheOtherWindowsAndTheDisplayProperties) {
    SimWorld world("crt.modes");
    TMainForm& main = world.CreateMain(kRunBefore);
    main.About1->Click();
    EXPECT_TRUE(world.Prog.AboutForm->Visible());
    world.Prog.AboutForm->CloseBitBtn.Click();
    EXPECT_FALSE(world.Prog.AboutForm->Visible());
    main.Button1.Click();
    EXPECT_TRUE(world.Prog.AdvanceForm->Visible());
    main.DisplayProperties1->Click();
    ASSERT_EQ(world.System.Commands().size(), 1u);
    EXPECT_EQ(world.System.Commands()[0].CommandLine,
              "rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,3");
    EXPECT_EQ(world.System.Commands()[0].Show, 1);
    main.ExitTavelmorind1->Click();
    EXPECT_TRUE(world.App.Terminated());
}

TEST(MainWindow, ResizingWidensTheMiddleColumn) {
    SimWorld world("crt.modes");
    TMainForm& main = world.CreateMain(kRunBefore);
    main.Width = 700;
    main.FormResize();
    EXPECT_EQ(main.MainStringGrid.ColWidth(1), 490);
    EXPECT_EQ(main.MinWidth, 443);
    EXPECT_EQ(main.MinHeight, 387);
}

TEST(MainWindow, TrayMenuHoldsItsItemsInOrder) {
    SimWorld world("crt.modes");
    TMainForm& main = world.CreateMain(kRunBefore);
    Strings captions;
    for (std::size_t i = 0; i < main.PopupMenu1.Count(); ++i) {
        captions.push_back(main.PopupMenu1[i].Caption());
    }
    EXPECT_EQ(captions, (Strings{"&Tavelmorind Configuration", "&Advanced Settings", "&Enabled",
                                 "-", "&Display Properties", "&Change Screen Mode", "-",
                                 "&Monitor Features", "-", "E&xit Tavelmorind"}));
    EXPECT_TRUE(main.OpenWindow1->Default);
    Strings locking;
    for (std::size_t i = 0; i < main.LockingFeatures1->Count(); ++i) {
        locking.push_back((*main.LockingFeatures1)[i].Caption());
    }
    EXPECT_EQ(locking, (Strings{"L&ock PC && Activate ScreenSaver", "-", "Lo&ck PC && DPMS Standby",
                                "Loc&k PC && DPMS Off"}));
}

} // namespace
} // namespace tvm::test
