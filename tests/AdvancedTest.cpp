#include "SimWorld.h"

#include <gtest/gtest.h>

namespace tvm::test {
namespace {

struct Advanced : ::testing::Test {
    SimWorld world{"crt.modes"};
    TAdvanceForm* dialog = nullptr;
    TMainForm* main = nullptr;

    void Start(const std::string& advanced = "") {
        main = &world.CreateMain(std::string(kRunBefore) + "[Main Options]\nSwitched On=1\n" +
                                 "[Advanced Options]\n" + advanced);
        dialog = world.Prog.AdvanceForm.get();
    }
};

TEST_F(Advanced, ShowFillsFromTheSettingsClampedToTheFields) {
    Start("Delay before Override=50000\nAutoDisable Time Allowed=7\nMode Switcher=2\n"
          "Run at Set Frequency=1\nRun at Set Frequency Level=72\nCPU Enforce Modes=0\n");
    main->Button1.Click();
    ASSERT_TRUE(dialog->Visible());
    EXPECT_EQ(dialog->SpinEdit1.Text(), "30000") << "50000 shows as the field's maximum";
    EXPECT_EQ(dialog->SpinEdit2.Value(), 30000);
    EXPECT_EQ(dialog->SpinEdit3.Value(), 7);
    EXPECT_EQ(dialog->SpinEdit4.Value(), 3000);
    EXPECT_EQ(dialog->ComboBox1.Text(), "72");
    EXPECT_EQ(dialog->ComboBox1.Items(), main->Table.FrequencySet);
    EXPECT_TRUE(dialog->CheckBox1.Checked());
    EXPECT_TRUE(dialog->ComboBox1.Enabled());
    EXPECT_FALSE(dialog->CheckBox3.Checked());
    EXPECT_TRUE(dialog->SpinEdit1.Enabled()) << "the pause counts only without polling";
    EXPECT_TRUE(dialog->CheckBox5.Checked());
    EXPECT_TRUE(dialog->RadioButton3.Checked());

    dialog->BitBtnClose.Click();
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(main->Override.DelayInterval(), 30000u) << "applied clamped";
}

TEST_F(Advanced, DefaultsThenCloseAppliesEveryDefault) {
    Start("Delay before Override=500\nAutoDisable Timespan=5000\nAutoDisable Time Allowed=3\n"
          "Run at Set Frequency=1\nRun at Set Frequency Level=85\nCPU Enforce Modes=0\n"
          "Show System Tray Icon=0\nOptimize Desktop Mode=1\nMode Switcher=1\n"
          "Power Save Delay=100\nBattery Limit=1\nBattery Limit Level=40\n");
    world.Config.RunOnBoot = true;
    main->AdvancedSettings2->Click();
    dialog->DefaultBitBtn.Click();
    EXPECT_TRUE(world.Tray.Present()) << "the tray check box takes effect at once";
    EXPECT_EQ(main->Override.DelayInterval(), 500u) << "Defaults only sets the controls";
    dialog->BitBtnClose.Click();

    const Settings& c = world.Config;
    EXPECT_EQ(main->Override.DelayInterval(), 0u);
    EXPECT_EQ(main->Override.RateWindowInterval(), 30000u);
    EXPECT_EQ(c.AutoDisableTimeAllowed, 30);
    EXPECT_EQ(c.PowerSaveDelay, 3000);
    EXPECT_EQ(c.RunAtSetFrequencyLevel, 60);
    EXPECT_FALSE(c.RunAtSetFrequency);
    EXPECT_FALSE(c.RunOnBoot);
    EXPECT_TRUE(c.CpuEnforceModes);
    EXPECT_FALSE(c.OptimizeDesktopMode);
    EXPECT_TRUE(c.ShowSystemTrayIcon);
    EXPECT_EQ(c.ModeSwitcher, 0);
    EXPECT_FALSE(c.BatteryLimit);
    EXPECT_EQ(c.BatteryLimitLevel, 60);
    EXPECT_TRUE(main->Override.Polling()) << "Close restarts the enforcement poll";

    main->SaveSettings();
    const std::string ini = world.ReadIni();
    for (const char* line :
         {"Delay before Override=0", "AutoDisable Timespan=30000", "AutoDisable Time Allowed=30",
          "CPU Enforce Modes=1", "Show System Tray Icon=1", "Mode Switcher=0",
          "Power Save Delay=3000", "Battery Limit=0", "Battery Limit Level=60"}) {
        EXPECT_NE(ini.find(line), std::string::npos) << line;
    }
}

TEST_F(Advanced, TypedValuesAreClampedAndAnEmptyLevelKeepsTheOldOne) {
    Start("Run at Set Frequency Level=75\n");
    main->Button1.Click();
    dialog->SpinEdit3.TypeText("999");
    dialog->SpinEdit2.TypeText("50");
    dialog->SpinEdit4.TypeText("abc");
    dialog->CheckBox1.Click();
    dialog->ComboBox1.TypeText("\b\bx");
    EXPECT_EQ(dialog->ComboBox1.Text(), "") << "only digits pass";
    dialog->BitBtnClose.Click();
    EXPECT_EQ(world.Config.AutoDisableTimeAllowed, 100);
    EXPECT_EQ(main->Override.RateWindowInterval(), 1000u);
    EXPECT_EQ(world.Config.PowerSaveDelay, 0) << "not a number reads as the minimum";
    EXPECT_EQ(world.Config.RunAtSetFrequencyLevel, 75);
    EXPECT_TRUE(world.Config.RunAtSetFrequency);
}

TEST_F(Advanced, SpinFieldsTakeDigitsAndASignOnly) {
    Start("CPU Enforce Modes=0\n");
    main->Button1.Click();
    dialog->SpinEdit1.TypeText("1500ms");
    dialog->SpinEdit3.TypeText("2O"); // a letter O
    dialog->SpinEdit4.TypeText("-5");
    EXPECT_EQ(dialog->SpinEdit1.Text(), "1500");
    char letter = 'x';
    char backspace = '\b';
    TSpinEdit::FilterKey(letter);
    TSpinEdit::FilterKey(backspace);
    EXPECT_EQ(letter, 0);
    EXPECT_EQ(backspace, '\b');
    dialog->BitBtnClose.Click();
    EXPECT_EQ(main->Override.DelayInterval(), 1500u);
    EXPECT_EQ(world.Config.AutoDisableTimeAllowed, 2);
    EXPECT_EQ(world.Config.PowerSaveDelay, 0) << "a sign is taken, and clamped";
}

TEST_F(Advanced, ReopeningKeepsEditsAndTheCloseBoxAppliesNothingButTheTray) {
    Start();
    main->Button1.Click();
    dialog->SpinEdit3.SetValue(50);
    dialog->CheckBox3.Click();
    EXPECT_TRUE(dialog->SpinEdit1.Enabled());
    dialog->CheckBox3.Click();
    EXPECT_FALSE(dialog->SpinEdit1.Enabled()) << "polling disables the pause";
    main->AdvancedSettings1->Click();
    EXPECT_EQ(dialog->SpinEdit3.Value(), 50) << "shown already: the edit stays";

    dialog->CheckBox5.Click();
    EXPECT_FALSE(world.Tray.Present()) << "the icon goes at once";
    dialog->Close();
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(world.Config.AutoDisableTimeAllowed, 30) << "the close box applies nothing";
    EXPECT_FALSE(world.Config.ShowSystemTrayIcon);
    EXPECT_FALSE(world.Tray.Present());

    main->Button1.Click();
    EXPECT_EQ(dialog->SpinEdit3.Value(), 30) << "hidden to shown: filled afresh";
}

TEST_F(Advanced, APendingOverrideWhoseDelayIsClosedToZeroRunsAndTheRateWindowGoesOn) {
    Start("Delay before Override=20000\nCPU Enforce Modes=0\nAutoDisable Timespan=5000\n");
    world.Display.SwitchTo(1024, 768, 32, 60);
    main->Button1.Click();
    dialog->DefaultBitBtn.Click();
    dialog->CheckBox3.Click(); // polling stays off
    dialog->BitBtnClose.Click();
    EXPECT_EQ(world.Display.CurrentFrequency(), 85u) << "the pending override ran";
    EXPECT_FALSE(main->Override.OverridePending());

    // 32 changes over two windows of 30000 ms: none of them trips the limit.
    for (int i = 0; i < 32; ++i) {
        world.Display.SwitchTo(i % 2 ? 640 : 1024, i % 2 ? 480 : 768, 32, i % 2 ? 100 : 85);
        if (i == 15) {
            world.Clock.Advance(30000);
        }
    }
    EXPECT_TRUE(main->OnRadioButton.Checked());
    world.Display.SwitchTo(1024, 768, 32, 60);
    EXPECT_EQ(world.Display.CurrentFrequency(), 85u) << "every later change overrides at once";
}

TEST_F(Advanced, ALabelsAccessKeyGoesToItsFieldOnlyWhileTheFieldCanTakeTheFocus) {
    Start("CPU Enforce Modes=1\n");
    main->Button1.Click();
    EXPECT_EQ(dialog->Label3.AccessKeyTarget(), nullptr) << "the pause field is disabled";
    EXPECT_EQ(dialog->Label9.AccessKeyTarget(), nullptr) << "so is the frequency";
    EXPECT_EQ(dialog->Label4.AccessKeyTarget(), &dialog->SpinEdit3);
    dialog->CheckBox3.Click();
    dialog->CheckBox1.Click();
    EXPECT_EQ(dialog->Label3.AccessKeyTarget(), &dialog->SpinEdit1);
    EXPECT_EQ(dialog->Label9.AccessKeyTarget(), &dialog->ComboBox1);
}

TEST_F(Advanced, ClosingWhileOnWithPollingAppliesANewSetAtAtOnce) {
    Start();
    world.Clock.Advance(5);
    ASSERT_EQ(world.Display.CurrentFrequency(), 85u);
    main->FastestCheckBox.Click();
    main->MainStringGrid.SelectRow(6);
    main->FreqCombo.Paste("72");
    main->Button1.Click();
    dialog->BitBtnClose.Click();
    EXPECT_EQ(world.Display.CurrentFrequency(), 72u);
}

} // namespace
} // namespace tvm::test
