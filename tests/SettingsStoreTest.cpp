#include "SimWorld.h"

#include <gtest/gtest.h>

namespace tvm::test {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kGreeting =
    "Welcome!  At this time, please make sure you are using your correct Monitor drivers "
    "(preferably NOT the Plug and Play ones), and your best Display drivers.  Click Cancel if "
    "you have not done so.";

// Refuses every write from the `failFrom`-th on (counting erases too), like a disk
// that filled up or a file made read-only halfway through a save.
class FaultyProfile : public Profile {
public:
    FaultyProfile(Profile& inner, int failFrom) : inner_(inner), failFrom_(failFrom) {}
    std::string ReadString(const std::string& s, const std::string& k,
                           const std::string& f) override {
        return inner_.ReadString(s, k, f);
    }
    bool WriteString(const std::string& s, const std::string& k, const std::string& v) override {
        return ++writes_ < failFrom_ && inner_.WriteString(s, k, v);
    }
    bool EraseSection(const std::string& s) override {
        return ++writes_ < failFrom_ && inner_.EraseSection(s);
    }
    std::string FileName() const override { return inner_.FileName(); }

private:
    Profile& inner_;
    int failFrom_;
    int writes_ = 0;
};

struct SettingsStore : ::testing::Test {
    SimWorld world{"crt.modes"};
};

TEST_F(SettingsStore, FirstRunGreetsUsesDefaultsAndWritesTheMarkerOnOk) {
    TMainForm& main = world.CreateMain();
    const auto& shown = world.Dialogs.History();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].Text, kGreeting);
    EXPECT_EQ(shown[0].Title, "Confirm");
    EXPECT_EQ(shown[0].Buttons, MsgDlgButtons::OKCancel);
    EXPECT_EQ(shown[1].Title, "Information");
    EXPECT_EQ(shown[1].Buttons, MsgDlgButtons::OK);
    EXPECT_EQ(shown[1].Text,
              "Open the main window by double-clicking on the Tavelmorind System Tray icon (next "
              "to the clock).  If you are confident you are using all the right drivers, try just "
              "clicking the 'On' button and Saving your settings.");

    EXPECT_TRUE(main.OffRadioButton.Checked());
    EXPECT_TRUE(main.FastestCheckBox.Checked());
    EXPECT_EQ(main.Override.DelayInterval(), 0u);
    EXPECT_EQ(main.Override.RateWindowInterval(), 30000u);
    const Settings& c = world.Config;
    EXPECT_EQ(c.AutoDisableTimeAllowed, 30);
    EXPECT_FALSE(c.RunAtSetFrequency);
    EXPECT_EQ(c.RunAtSetFrequencyLevel, 60);
    EXPECT_TRUE(c.CpuEnforceModes);
    EXPECT_TRUE(c.ShowSystemTrayIcon);
    EXPECT_FALSE(c.OptimizeDesktopMode);
    EXPECT_EQ(c.ModeSwitcher, 0);
    EXPECT_EQ(c.PowerSaveDelay, 3000);
    EXPECT_FALSE(c.RunOnBoot);
    EXPECT_TRUE(world.Tray.Present());
    EXPECT_EQ(world.ReadIni(), "[Init]\r\nProgram Run Before=1\r\n");
    EXPECT_FALSE(world.App.Terminated());
}

TEST_F(SettingsStore, CancelAtTheGreetingEndsTheProgramWithoutAMarker) {
    world.Dialogs.Answer(ModalResult::Cancel);
    TMainForm& main = world.CreateMain();
    EXPECT_TRUE(world.App.Terminated());
    EXPECT_EQ(world.Dialogs.History().size(), 1u);
    EXPECT_FALSE(world.IniExists());
    EXPECT_TRUE(main.StartupComplete) << "start-up runs to its end all the same";
    EXPECT_FALSE(main.Visible());
}

TEST_F(SettingsStore, NothingIsSavedWhileAStartupDialogPrecedesTheLoad) {
    const std::string file = "[Main Options]\r\nSwitched On=1\r\n[Advanced Options]\r\n"
                             "AutoDisable Time Allowed=12\r\nPower Save Delay=5000\r\n"
                             "Show System Tray Icon=1\r\n";
    world.WriteIni(file);
    world.Dialogs.WhileOpen([&] {
        // A second start shows the window while the greeting waits for its answer.
        TMainForm& main = *world.Prog.MainForm;
        main.OnShowMainMessage();
        main.SaveBitBtn.Click();
        main.Save1->Click();
        main.SaveSettings();
    });
    world.Dialogs.Answer(ModalResult::Cancel);
    TMainForm& main = world.CreateMain();
    EXPECT_EQ(world.ReadIni(), file);
    EXPECT_TRUE(main.OnRadioButton.Checked());
    EXPECT_EQ(world.Config.AutoDisableTimeAllowed, 12);
    EXPECT_TRUE(world.Tray.Present());
    main.SaveSettings();
    EXPECT_NE(world.ReadIni().find("Power Save Delay=5000"), std::string::npos) << "loaded: saves";
}

struct EncodedValue {
    const char* Text;
    std::int32_t Expected;
};

TEST_F(SettingsStore, IntegerValuesFollowTheEncodingRules) {
    const EncodedValue cases[] = {
        {"16", 16},
        {"$10", 16},
        {"0x10", 16},
        {"0X1f", 31},
        {"x10", 16},
        {"X10", 16},
        {"  +7", 7},
        {"-7", -7},
        {"12abc", 30},
        {"", 30},
        {"1 2", 30},
        {"yes", 30},
        {"$", 30},
        {"0x", 30},
        {"$123456789", 30},
        {"2147483648", 30},
        {"-2147483648", INT32_MIN},
        {"0xFFFFFFFF", -1},
        {"- 5", 30},
    };
    for (const auto& c : cases) {
        SimWorld w("crt.modes");
        w.CreateMain(std::string(kRunBefore) +
                     "[Advanced Options]\nAutoDisable Time Allowed=" + c.Text + "\n");
        EXPECT_EQ(w.Config.AutoDisableTimeAllowed, c.Expected) << "value '" << c.Text << "'";
    }
}

TEST_F(SettingsStore, BooleansNarrowingAndRangesOnLoad) {
    world.CreateMain(std::string(kRunBefore) +
                     "[Main Options]\nSwitched On=yes\nFastest Frequency=$0\n"
                     "[advanced options]\nshow system tray icon=2\nCPU Enforce Modes=0x0\n"
                     "Mode Switcher=258\nPower Save Delay=-5\nRun at Set Frequency=-1\n"
                     "Battery Limit=on\nBattery Limit Level=50Hz\n");
    const Settings& c = world.Config;
    EXPECT_TRUE(world.Main->OffRadioButton.Checked()) << "'yes' is not a number: default Off";
    EXPECT_FALSE(world.Main->FastestCheckBox.Checked());
    EXPECT_TRUE(c.ShowSystemTrayIcon) << "names match without regard to case";
    EXPECT_FALSE(c.CpuEnforceModes);
    EXPECT_EQ(c.ModeSwitcher, 2) << "low 8 bits kept";
    EXPECT_EQ(c.PowerSaveDelay, 0) << "a negative wait is brought into range";
    EXPECT_TRUE(c.RunAtSetFrequency);
    EXPECT_FALSE(c.BatteryLimit) << "'on' is not a number: default off";
    EXPECT_EQ(c.BatteryLimitLevel, 60);

    SimWorld high("crt.modes");
    high.CreateMain(std::string(kRunBefore) + "[Advanced Options]\nPower Save Delay=99999999\n");
    EXPECT_EQ(high.Config.PowerSaveDelay, 30000);
}

TEST_F(SettingsStore, PerModeRatesApplyOnlyWhenAutomaticIsOff) {
    const std::string frequencies =
        "[Frequencies]\n1024x768 - 32 BPP=70\n640x480 - 8 BPP=-60\n800x600 - 8 BPP=300\n";
    TMainForm& manual = world.CreateMain(std::string(kRunBefore) +
                                         "[Main Options]\nFastest Frequency=0\n" + frequencies);
    const TStringGrid& grid = manual.MainStringGrid;
    EXPECT_EQ(grid.Cell(2, 9), "70");
    EXPECT_EQ(grid.Cell(2, 1), "0") << "a negative rate from the file is never used";
    EXPECT_EQ(grid.Cell(2, 4), "300") << "a rate from the file is taken unchanged";
    EXPECT_EQ(grid.Cell(2, 2), "0") << "missing keys read as 0";

    SimWorld automatic("crt.modes");
    TMainForm& main = automatic.CreateMain(std::string(kRunBefore) + frequencies);
    EXPECT_EQ(main.MainStringGrid.Cell(2, 9), "85");
}

TEST_F(SettingsStore, SaveWritesEveryKeyInOrderAndReloadsTheSame) {
    TMainForm& main = world.CreateMain(kRunBefore);
    main.OnRadioButton.Click();
    main.FastestCheckBox.Click();
    main.MainStringGrid.SelectRow(9);
    main.FreqCombo.Paste("85");
    world.Config.DelayBeforeOverride = 1500;
    world.Config.AutoDisableTimespan = 20000;
    world.Config.AutoDisableTimeAllowed = 12;
    world.Config.RunAtSetFrequency = true;
    world.Config.RunAtSetFrequencyLevel = 72;
    world.Config.CpuEnforceModes = false;
    world.Config.ModeSwitcher = 1;
    world.Config.PowerSaveDelay = 500;
    world.Config.BatteryLimit = true;
    world.Config.BatteryLimitLevel = 48;
    main.Show();
    main.SaveBitBtn.Click();

    std::string expected =
        "[Init]\r\nProgram Run Before=1\r\n[Main Options]\r\nSwitched On=1\r\n"
        "Fastest Frequency=0\r\n[Advanced Options]\r\nDelay before Override=1500\r\n"
        "AutoDisable Timespan=20000\r\nAutoDisable Time Allowed=12\r\n"
        "Run at Set Frequency=1\r\nRun at Set Frequency Level=72\r\nCPU Enforce Modes=0\r\n"
        "Show System Tray Icon=1\r\nOptimize Desktop Mode=0\r\nMode Switcher=1\r\n"
        "Power Save Delay=500\r\nBattery Limit=1\r\nBattery Limit Level=48\r\n"
        "[Frequencies]\r\n";
    for (int row = 1; row < main.MainStringGrid.RowCount(); ++row) {
        expected += main.MainStringGrid.Cell(0, row) + "=" + (row == 9 ? "85" : "0") + "\r\n";
    }
    EXPECT_EQ(world.ReadIni(), expected);
    EXPECT_FALSE(main.Visible()) << "saving hides the window";
    EXPECT_EQ(main.MainStatusBar.SimpleText(), "Ready");
    EXPECT_EQ(main.MainStatusBar.RepaintCount(), 1);
    EXPECT_FALSE(world.RunKey.Contains("Tavelmorind"));

    SimWorld again("crt.modes");
    again.WriteIni(world.ReadIni());
    TMainForm& reloaded = again.CreateMain();
    EXPECT_TRUE(reloaded.OnRadioButton.Checked());
    EXPECT_FALSE(reloaded.FastestCheckBox.Checked());
    EXPECT_EQ(reloaded.MainStringGrid.Cell(2, 9), "85");
    EXPECT_EQ(reloaded.Override.DelayInterval(), 1500u);
    EXPECT_EQ(reloaded.Override.RateWindowInterval(), 20000u);
    const Settings& c = again.Config;
    EXPECT_EQ(c.AutoDisableTimeAllowed, 12);
    EXPECT_TRUE(c.RunAtSetFrequency);
    EXPECT_EQ(c.RunAtSetFrequencyLevel, 72);
    EXPECT_FALSE(c.CpuEnforceModes);
    EXPECT_EQ(c.ModeSwitcher, 1);
    EXPECT_EQ(c.PowerSaveDelay, 500);
    EXPECT_TRUE(c.BatteryLimit);
    EXPECT_EQ(c.BatteryLimitLevel, 48);

    reloaded.FastestCheckBox.Click();
    reloaded.SaveSettings();
    EXPECT_EQ(again.ReadIni().find("[Frequencies]"), std::string::npos)
        << "automatic mode removes the section";
    EXPECT_NE(again.ReadIni().find("Fastest Frequency=1"), std::string::npos);
}

TEST_F(SettingsStore, IntervalsOf2To31MsOrMoreSaveAsTheNextLoadReadsThem) {
    TMainForm& main = world.CreateMain(std::string(kRunBefore) +
                                       "[Advanced Options]\nDelay before Override=0xFFFFFFFF\n"
                                       "AutoDisable Timespan=$80000000\n");
    ASSERT_EQ(main.Override.DelayInterval(), 4294967295u);
    ASSERT_EQ(main.Override.RateWindowInterval(), 2147483648u);
    main.SaveSettings();
    SimWorld again("crt.modes");
    again.WriteIni(world.ReadIni());
    TMainForm& reloaded = again.CreateMain();
    EXPECT_EQ(reloaded.Override.DelayInterval(), 4294967295u);
    EXPECT_EQ(reloaded.Override.RateWindowInterval(), 2147483648u);
}

TEST_F(SettingsStore, BootWarningNoClearsBothOptionsAndDeletesTheRunValue) {
    world.RunKey.StoreText("Tavelmorind", kExePath);
    TMainForm& main =
        world.CreateMain(std::string(kRunBefore) + "[Advanced Options]\nOptimize Desktop Mode=1\n");
    EXPECT_TRUE(world.Config.RunOnBoot);
    world.Dialogs.Answer(ModalResult::No);
    main.SaveSettings();
    EXPECT_EQ(world.Dialogs.History().back().Title, "Warning");
    EXPECT_FALSE(world.Config.RunOnBoot);
    EXPECT_FALSE(world.Config.OptimizeDesktopMode);
    EXPECT_NE(world.ReadIni().find("Optimize Desktop Mode=0"), std::string::npos);
    EXPECT_FALSE(world.RunKey.Contains("Tavelmorind"));
}

TEST_F(SettingsStore, BootWarningClosedWithoutAnAnswerKeepsBothOptions) {
    world.RunKey.StoreText("Tavelmorind", kExePath);
    TMainForm& main =
        world.CreateMain(std::string(kRunBefore) + "[Advanced Options]\nOptimize Desktop Mode=1\n");
    world.Dialogs.Answer(ModalResult::None); // the close box
    main.SaveSettings();
    EXPECT_TRUE(world.Config.RunOnBoot);
    EXPECT_TRUE(world.Config.OptimizeDesktopMode);
    EXPECT_NE(world.ReadIni().find("Optimize Desktop Mode=1"), std::string::npos);
    EXPECT_TRUE(world.RunKey.Contains("Tavelmorind"));
}

TEST_F(SettingsStore, RunValueIsQuotedWhenThePathHasASpaceAndBothFormsReadBack) {
    TMainForm& main = world.CreateMain(kRunBefore);
    world.Config.RunOnBoot = true;
    main.SaveSettings(); // the warning is answered Yes
    EXPECT_EQ(world.RunKey.StoredText("Tavelmorind"),
              "\"C:\\Program Files\\Tavelmorind\\Tavelmorind.exe\"");

    SimWorld quoted("crt.modes");
    quoted.RunKey.StoreText("Tavelmorind", *world.RunKey.StoredText("Tavelmorind"));
    quoted.CreateMain(kRunBefore);
    EXPECT_TRUE(quoted.Config.RunOnBoot);

    SimWorld bare("crt.modes");
    bare.RunKey.StoreText("Tavelmorind", kExePath);
    bare.CreateMain(kRunBefore);
    EXPECT_TRUE(bare.Config.RunOnBoot);

    SimWorld other("crt.modes");
    other.RunKey.StoreText("Tavelmorind", "c:\\program files\\tavelmorind\\tavelmorind.exe");
    other.CreateMain(kRunBefore);
    EXPECT_FALSE(other.Config.RunOnBoot) << "the comparison is exact";

    SimWorld plain("crt.modes");
    plain.RunKey.SetExecutablePath("C:\\Tools\\Tavelmorind.exe");
    TMainForm& m = plain.CreateMain(kRunBefore);
    plain.Config.RunOnBoot = true;
    m.SaveSettings();
    EXPECT_EQ(plain.RunKey.StoredText("Tavelmorind"), "C:\\Tools\\Tavelmorind.exe");
}

TEST_F(SettingsStore, RunKeyWithoutAccessReadsFalseAndFailsTheSaveWithoutFullStop) {
    world.RunKey.StoreText("Tavelmorind", kExePath);
    world.RunKey.SetNoAccess(true);
    TMainForm& main = world.CreateMain(kRunBefore);
    EXPECT_FALSE(world.Config.RunOnBoot) << "a key that cannot be opened";

    main.Show();
    main.SaveSettings(); // RunOnBoot off: the delete fails silently
    EXPECT_FALSE(main.Visible());
    EXPECT_TRUE(world.Dialogs.Errors().empty());

    world.Config.RunOnBoot = true;
    main.Show();
    main.SaveBitBtn.Click();
    EXPECT_EQ(world.Dialogs.Errors(), Strings{"Failed to set data for 'Tavelmorind'"});
    EXPECT_TRUE(main.Visible());
    EXPECT_EQ(main.MainStatusBar.SimpleText(),
              "Tavelmorind is currently disabled; click the 'On' button to enable!");
    EXPECT_NE(world.ReadIni().find("Power Save Delay=3000"), std::string::npos)
        << "the file was written before the Run value";
}

TEST_F(SettingsStore, RunValueOfTheWrongTypeIsReportedAndStartupGoesOn) {
    world.RunKey.StoreWrongType("Tavelmorind");
    TMainForm& main = world.CreateMain(std::string(kRunBefore) + "[Main Options]\nSwitched On=1\n");
    EXPECT_EQ(world.Dialogs.Errors(), Strings{"Invalid data type for 'Tavelmorind'"});
    EXPECT_FALSE(world.Config.RunOnBoot);
    EXPECT_TRUE(main.StartupComplete);
    EXPECT_TRUE(world.Tray.Present());
    EXPECT_EQ(world.Tray.Shown().Tip, "Tavelmorind - Enabled");
}

TEST_F(SettingsStore, MarkerThatCannotBeWrittenIsReportedAndLoadingGoesOn) {
    world.WriteIni("");
    FaultyProfile refusing(world.Ini, 1);
    LoneMainWindow lone(world, refusing);
    TMainForm& main = lone.Main;
    main.FormCreate();
    EXPECT_EQ(world.Dialogs.Errors(), Strings{"Unable to write to Tavelmorind.ini."});
    EXPECT_TRUE(world.Config.ShowSystemTrayIcon) << "the other settings still load";
    EXPECT_TRUE(world.Tray.Present());
    EXPECT_TRUE(main.StartupComplete);
}

TEST_F(SettingsStore, FailedWriteStopsTheSaveKeepsWhatWasOnDiskAndRestoresTheStatus) {
    TMainForm& main = world.CreateMain(kRunBefore);
    main.FastestCheckBox.Click();
    main.SaveSettings();
    const std::string before = world.ReadIni();

    for (int failAt : {1, 5, 15, 16}) {
        world.Dialogs.Clear();
        FaultyProfile faulty(world.Ini, failAt);
        LoneMainWindow lone(world, faulty);
        TMainForm& failing = lone.Main;
        failing.BuildModeTable();
        failing.SettingsLoaded = true; // the settings fields hold what `main` loaded
        failing.FastestCheckBox.SetChecked(false);
        world.Config.RunOnBoot = true; // must not be written after a failed file write
        failing.OnRadioButton.SetChecked(true);
        failing.Show();
        failing.SaveBitBtn.Click();
        world.Config.RunOnBoot = false;
        EXPECT_EQ(world.Dialogs.Errors(), Strings{"Unable to write to Tavelmorind.ini."})
            << "failing at write " << failAt;
        EXPECT_TRUE(failing.Visible());
        EXPECT_EQ(failing.MainStatusBar.SimpleText(), "Ready") << "not 'Please wait...'";
        EXPECT_FALSE(world.RunKey.Contains("Tavelmorind"));
        const std::string after = world.ReadIni();
        // Every line that was there before is still there, except values rewritten
        // before the failure (Switched On is the first write).
        EXPECT_NE(after.find("[Init]\r\nProgram Run Before=1"), std::string::npos);
        if (failAt > 15) {
            EXPECT_EQ(after.find("[Frequencies]"), std::string::npos) << "erased, then refused";
        } else {
            EXPECT_NE(after.find("[Frequencies]\r\n640x480 - 8 BPP=0"), std::string::npos);
        }
    }
    EXPECT_NE(before.find("Fastest Frequency=0"), std::string::npos);
}

} // namespace
} // namespace tvm::test
