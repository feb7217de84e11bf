// A desktop of two and three displays: each has its own table and is overridden alone.
#include "SimWorld.h"

#include <gtest/gtest.h>

namespace tvm::test {
namespace {

constexpr const char* kPanelModes = "1280 720 32 60,144,240 *\n1920 1080 32 60,144\n";
constexpr const char* kPanel = "MONITOR\\GAMING#4&1a2b";
constexpr const char* kOffice = "MONITOR\\OFFICE#4&3c4d";

SimDisplay Panel() {
    return SimWorld::Load(kPanelModes);
}

struct MultiDisplay : ::testing::Test {
    SimWorld world{"crt.modes"};
    SimDisplay* panel = nullptr;

    TMainForm& Start(const std::string& ini) {
        panel = &world.Displays.Attach(Panel(), kPanel, "Gaming Panel");
        return world.CreateMain(std::string(kRunBefore) + ini);
    }
    OtherDisplays::Entry& Entry(std::size_t i) { return *world.Prog.Others.Entries()[i]; }
};

TEST_F(MultiDisplay, AGameOnTheSecondDisplayIsUndoneThereAlone) {
    for (const bool poll : {false, true}) {
        SCOPED_TRACE(poll ? "poll on" : "poll off");
        SimWorld w("crt.modes");
        SimDisplay& second = w.Displays.Attach(Panel(), kPanel, "Gaming Panel");
        w.CreateMain(std::string(kRunBefore) + "[Main Options]\nSwitched On=1\n" +
                     "[Advanced Options]\nCPU Enforce Modes=" + (poll ? "1" : "0") + "\n");
        w.Clock.Advance(5);
        w.Display.SwitchTo(800, 600, 32, 85, false); // the primary at its Set At
        w.Clock.Advance(5);
        const auto primaryChanges = w.Display.Changes().size();
        second.SwitchTo(1920, 1080, 32, 60);
        w.Clock.Advance(5);
        EXPECT_EQ(second.CurrentFrequency(), 144u) << "the fastest of 1920x1080";
        EXPECT_EQ(w.Display.Changes().size(), primaryChanges) << "the primary is not touched";
    }
}

TEST_F(MultiDisplay, OffChangesNoDisplay) {
    Start("[Main Options]\nSwitched On=0\n");
    panel->SwitchTo(1920, 1080, 32, 60);
    world.Clock.Advance(100);
    EXPECT_EQ(panel->CurrentFrequency(), 60u);
    EXPECT_EQ(panel->Changes().size(), 1u);
}

TEST_F(MultiDisplay, EachDisplayKeepsItsValuesInASectionOfItsOwn) {
    // An unplugged monitor's section, and one that is damaged, stay as they are.
    const std::string kept = "[Frequencies MONITOR\\TRAVEL#9]\r\nMonitor=Travel\r\n"
                             "1024x768 - 32 BPP=70\r\n[Frequencies MONITOR\\BROKEN]\r\nbroken\r\n"
                             "=5\r\n";
    TMainForm& main = Start("[Main Options]\nFastest Frequency=0\n"
                            "[Frequencies]\n1024x768 - 32 BPP=75\n"
                            "[Frequencies MONITOR\\GAMING#4&1a2b]\n1920x1080 - 32 BPP=60\n" +
                            std::string("1280x720 - 32 BPP=144\n") + kept);
    EXPECT_EQ(main.Table.Row(*main.Table.Find("1024x768 - 32 BPP")).SetAt, "75");
    ModeTable& table = Entry(0).Table;
    EXPECT_EQ(table.Row(*table.Find("1280x720 - 32 BPP")).SetAt, "144");
    EXPECT_EQ(table.Row(*table.Find("1920x1080 - 32 BPP")).SetAt, "60");

    table.SetSetAt(*table.Find("1920x1080 - 32 BPP"), "144");
    main.SaveSettings();
    const std::string file = world.ReadIni();
    EXPECT_NE(file.find("[Frequencies]\r\n"), std::string::npos);
    EXPECT_NE(file.find("[Frequencies MONITOR\\GAMING#4&1a2b]\r\nMonitor=Gaming Panel\r\n"
                        "1280x720 - 32 BPP=144\r\n1920x1080 - 32 BPP=144\r\n"),
              std::string::npos)
        << file;
    EXPECT_NE(file.find(kept), std::string::npos) << "byte for byte";

    // One display, and an older file with "[Frequencies]" alone: the primary's values.
    SimWorld single("crt.modes");
    TMainForm& one =
        single.CreateMain(std::string(kRunBefore) + "[Main Options]\nFastest Frequency=0\n"
                                                    "[Frequencies]\n1024x768 - 32 BPP=75\n");
    EXPECT_EQ(one.Table.Row(*one.Table.Find("1024x768 - 32 BPP")).SetAt, "75");
    EXPECT_TRUE(single.Prog.Others.Entries().empty());
}

TEST_F(MultiDisplay, ADisplayThatAppearsGetsItsValuesAndOneThatGoesKeepsThem) {
    world.CreateMain(std::string(kRunBefore) +
                     "[Main Options]\nSwitched On=1\nFastest Frequency=0\n" +
                     "[Advanced Options]\nCPU Enforce Modes=0\n" +
                     "[Frequencies MONITOR\\OFFICE#4&3c4d]\n1280x720 - 32 BPP=144\n");
    ASSERT_TRUE(world.Prog.Others.Entries().empty());
    // Docked: Windows announces the new desktop.
    SimDisplay& office = world.Displays.Attach(Panel(), kOffice, "Office");
    office.SwitchTo(1280, 720, 32, 60);
    ASSERT_EQ(world.Prog.Others.Entries().size(), 1u);
    EXPECT_EQ(office.CurrentFrequency(), 144u) << "its saved value, applied at once";

    world.Displays.Detach("\\\\.\\DISPLAY2");
    world.Display.AnnounceChange();
    EXPECT_FALSE(Entry(0).Attached);
    world.Prog.MainForm->SaveSettings();
    EXPECT_NE(
        world.ReadIni().find("[Frequencies MONITOR\\OFFICE#4&3c4d]\r\n1280x720 - 32 BPP=144\r\n"),
        std::string::npos)
        << "unplugged: its section untouched";
}

TEST_F(MultiDisplay, ThreeDisplaysEachOverriddenAndARefusingDriverLeavesTheOthers) {
    Start("[Main Options]\nSwitched On=1\n[Advanced Options]\nCPU Enforce Modes=1\n");
    SimDisplay& third = world.Displays.Attach(Panel(), kOffice, "Office");
    world.Display.AnnounceChange();
    world.Clock.Advance(5);
    EXPECT_EQ(third.CurrentFrequency(), 240u);
    panel->SwitchTo(1920, 1080, 32, 60, false);
    panel->RefuseChanges(DispChangeFailed);
    third.SwitchTo(1920, 1080, 32, 60);
    world.Clock.Advance(5);
    EXPECT_EQ(panel->CurrentFrequency(), 60u);
    EXPECT_EQ(third.CurrentFrequency(), 144u);
    EXPECT_EQ(world.Display.CurrentFrequency(), 85u);
}

TEST_F(MultiDisplay, ThePickerShowsEachDisplaysTableAndTheSwitchActsOnIt) {
    TMainForm& main = Start("[Main Options]\nSwitched On=1\nFastest Frequency=0\n"
                            "[Advanced Options]\nCPU Enforce Modes=0\n");
    EXPECT_TRUE(main.DisplayCombo.Visible());
    EXPECT_EQ(
        main.DisplayCombo.Items(),
        (std::vector<std::string>{"1. Generic PnP Monitor (main display)", "2. Gaming Panel"}));
    EXPECT_EQ(main.MainStringGrid.Top(), 112) << "a row of its own above the grid";
    EXPECT_EQ(main.MinHeight, 387 + 24);
    EXPECT_EQ(main.Button2.Top(), 280 + 24);

    main.DisplayCombo.SelectItem(1);
    EXPECT_EQ(main.MainStringGrid.RowCount(), 3);
    EXPECT_EQ(main.MainStringGrid.Cell(0, 2), "1920x1080 - 32 BPP");
    main.MainStringGrid.SelectRow(2);
    main.FreqCombo.Paste("144");
    EXPECT_EQ(Entry(0).Table.Row(1).SetAt, "144") << "the second display's Set At";
    EXPECT_EQ(main.Table.Row(1).SetAt, "0") << "the primary's unchanged";

    main.Button2.Click();
    EXPECT_EQ(panel->CurrentModeKey(), "1920x1080 - 32 BPP");
    EXPECT_EQ(panel->CurrentFrequency(), 144u);
    EXPECT_EQ(world.Display.CurrentModeKey(), "800x600 - 32 BPP") << "the primary stays";
    world.Prog.TimerForm->BitBtnNo.Click();
    EXPECT_EQ(panel->CurrentModeKey(), "1280x720 - 32 BPP") << "reverted on the display switched";
    EXPECT_FALSE(main.OnRadioButton.Checked());
}

TEST_F(MultiDisplay, TheTrayHasASubmenuPerDisplayEachWithItsModeChecked) {
    TMainForm& main = Start("");
    ASSERT_EQ(main.ChangeScreenMode1->Count(), 2u);
    TMenuItem& first = (*main.ChangeScreenMode1)[0];
    TMenuItem& second = (*main.ChangeScreenMode1)[1];
    EXPECT_EQ(first.Caption(), "1. Generic PnP Monitor (main display)");
    EXPECT_EQ(second.Caption(), "2. Gaming Panel");
    main.PopupMenu1.Popup();
    EXPECT_TRUE(first.Find("800x600 - 32 BPP")->Checked);
    EXPECT_TRUE(second.Find("1280x720 - 32 BPP")->Checked);
    EXPECT_FALSE(second.Find("1920x1080 - 32 BPP")->Checked);

    second.Find("1920x1080 - 32 BPP")->Click();
    EXPECT_EQ(panel->CurrentModeKey(), "1920x1080 - 32 BPP");
    EXPECT_EQ(world.Display.CurrentModeKey(), "800x600 - 32 BPP");

    // One display again: the modes themselves, and no picker.
    world.Displays.Detach("\\\\.\\DISPLAY2");
    world.Display.AnnounceChange();
    EXPECT_FALSE(main.DisplayCombo.Visible());
    EXPECT_EQ(main.MainStringGrid.Top(), 88);
    EXPECT_EQ((*main.ChangeScreenMode1)[0].Caption(), "640x480 - 8 BPP");
}

TEST_F(MultiDisplay, LockingStaysWhileAnyDisplayReportsItsRates) {
    SimWorld w("640 480 32 0 *\n800 600 32 0\n");
    w.Displays.Attach(Panel(), kPanel, "Gaming Panel");
    TMainForm& main = w.CreateMain(kRunBefore);
    EXPECT_EQ(main.MainStringGrid.Cell(1, 1), "(Cannot autodetect on this operating system)");
    EXPECT_FALSE(main.FastestCheckBox.Enabled());
    EXPECT_TRUE(main.LockingFeatures1->Enabled) << "the panel reports its rates";
}

} // namespace
} // namespace tvm::test
