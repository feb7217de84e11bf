#include "SimWorld.h"

#include <gtest/gtest.h>

namespace tvm::test {
namespace {

using Items = std::vector<std::string>;

std::vector<std::string> Column(const TStringGrid& grid, int column) {
    std::vector<std::string> cells;
    for (int row = 1; row < grid.RowCount(); ++row) {
        cells.push_back(grid.Cell(column, row));
    }
    return cells;
}

TEST(ModeKeys, KeyIsSizeAndDepthAndLabelIsTheWholeRate) {
    EXPECT_EQ(MakeModeKey(1280, 1024, 32), "1280x1024 - 32 BPP");
    EXPECT_EQ(MakeModeKey(640, 480, 8), "640x480 - 8 BPP");
    EXPECT_EQ(MakeFrequencyLabel(0), "Default frequency (setting 0)");
    EXPECT_EQ(MakeFrequencyLabel(1), "Default frequency (setting 1)");
    EXPECT_EQ(MakeFrequencyLabel(75), "75");
    EXPECT_EQ(MakeFrequencyLabel(256), "256");
    EXPECT_EQ(MakeFrequencyLabel(257), "257");
    EXPECT_EQ(MakeFrequencyLabel(300), "300");
}

TEST(ModeTable, CrtDriverGivesOneRowPerKeyInFirstSeenOrderWithFastestRates) {
    SimWorld world("crt.modes");
    TMainForm& main = world.CreateMain(kRunBefore);
    const TStringGrid& grid = main.MainStringGrid;

    EXPECT_EQ(grid.Cell(0, 0), "Screen Mode");
    EXPECT_EQ(grid.Cell(1, 0), "Detected Safe Frequencies (Hz)");
    EXPECT_EQ(grid.Cell(2, 0), "Set At");
    EXPECT_EQ(grid.ColWidth(0), 110);
    EXPECT_EQ(grid.ColWidth(1), 443 - 210);
    EXPECT_EQ(grid.ColWidth(2), 50);

    EXPECT_EQ(Column(grid, 0), (Items{"640x480 - 8 BPP", "640x480 - 16 BPP", "640x480 - 32 BPP",
                                      "800x600 - 8 BPP", "800x600 - 16 BPP", "800x600 - 32 BPP",
                                      "1024x768 - 8 BPP", "1024x768 - 16 BPP", "1024x768 - 32 BPP",
                                      "1280x1024 - 16 BPP", "1280x1024 - 32 BPP"}));
    EXPECT_EQ(grid.Cell(1, 5), "56, 60, 72, 75, 85");
    EXPECT_EQ(Column(grid, 2),
              (Items{"100", "100", "100", "85", "85", "85", "85", "85", "85", "75", "75"}));
    EXPECT_EQ(main.Table.FastestTable.size(), 12u) << "one entry per row and a spare";
    EXPECT_EQ(main.Table.FastestTable.back(), 0);
    EXPECT_EQ(main.Table.FrequencySet, (Items{"100", "56", "60", "70", "72", "75", "85"}));
    EXPECT_TRUE(main.Table.AnyFrequencyDetected);

    EXPECT_EQ(main.InstrLabel.Caption(), "Automatic settings are enabled.");
    EXPECT_FALSE(main.FreqCombo.Enabled());
    EXPECT_FALSE(main.FreqLabel.Enabled());

    ASSERT_EQ(main.ChangeScreenMode1->Count(), 11u);
    EXPECT_EQ((*main.ChangeScreenMode1)[10].Caption(), "1280x1024 - 32 BPP");
    EXPECT_TRUE((*main.ChangeScreenMode1)[0].RadioItem);
    EXPECT_TRUE(main.LockingFeatures1->Enabled);

    // The choice list of row 1 was filled at start-up: automatic Set At 100.
    EXPECT_EQ(main.FreqCombo.Items(), (Items{"0", "100", "60", "72", "75", "85"}));
    EXPECT_EQ(main.FreqCombo.Text(), "100");
    EXPECT_EQ(main.ComboRow, 1);
}

TEST(ModeTable, DefaultFrequenciesLabelAndNeverCountAsFastest) {
    SimWorld world("800 600 16 60,72,75\n"
                   "640 480 16 0\n"
                   "1024 768 16 0,60\n"
                   "1024 768 32 1,1,60,75,60\n"
                   "1280 1024 32 300,60\n");
    TMainForm& main = world.CreateMain(kRunBefore);
    const TStringGrid& grid = main.MainStringGrid;

    EXPECT_EQ(
        Column(grid, 1),
        (Items{"60, 72, 75", "Default frequency (setting 0)", "Default frequency (setting 0), 60",
               "Default frequency (setting 1), Default frequency (setting 1), 60, 75, 60",
               "300, 60"}));
    EXPECT_EQ(Column(grid, 2), (Items{"75", "0", "60", "75", "300"}));
    EXPECT_EQ(main.Table.FrequencySet, (Items{"1", "300", "60", "72", "75"}));
}

TEST(ModeTable, GamingPanelRowsReadAndTakeTheirRatesPast255) {
    SimWorld world("gaming.modes");
    TMainForm& main = world.CreateMain(kRunBefore);
    ASSERT_EQ(main.MainStringGrid.Cell(0, 2), "1280x720 - 32 BPP");
    EXPECT_EQ(main.MainStringGrid.Cell(1, 2), "360, 240, 144, 60");
    EXPECT_EQ(main.Table.FastestTable[1], 360u);
    EXPECT_EQ(Column(main.MainStringGrid, 2), (Items{"240", "360", "60"}));
    EXPECT_EQ(main.Table.FrequencySet, (Items{"144", "240", "360", "60"}));
}

TEST(ModeTable, ManualModeZeroesSetAtAndTypingStoresWhatTheBoxHolds) {
    SimWorld world("crt.modes");
    TMainForm& main = world.CreateMain(kRunBefore);
    main.FastestCheckBox.Click();

    EXPECT_EQ(Column(main.MainStringGrid, 2), Items(11, "0"));
    EXPECT_EQ(main.InstrLabel.Caption(),
              "Click on a mode, then specify a frequency for that mode.");
    EXPECT_TRUE(main.FreqCombo.Enabled());
    EXPECT_TRUE(main.FreqLabel.Enabled());
    EXPECT_EQ(main.FreqCombo.Items(), (Items{"0", "100", "60", "72", "75", "85"}))
        << "switching to manual does not refill the choice list";

    main.MainStringGrid.SelectRow(3);
    main.FreqCombo.TypeText("\b");
    EXPECT_EQ(main.MainStringGrid.Cell(2, 3), "0") << "an empty text changes nothing";
    main.FreqCombo.TypeText("8");
    EXPECT_EQ(main.MainStringGrid.Cell(2, 3), "8");
    main.FreqCombo.TypeText("5");
    EXPECT_EQ(main.MainStringGrid.Cell(2, 3), "85");
    main.FreqCombo.TypeText("\b\b3");
    EXPECT_EQ(main.MainStringGrid.Cell(2, 3), "3");
    main.FreqCombo.TypeText("6");
    EXPECT_EQ(main.MainStringGrid.Cell(2, 3), "36");
    main.FreqCombo.TypeText("0");
    EXPECT_EQ(main.MainStringGrid.Cell(2, 3), "360") << "a rate past 255 is stored whole";
    main.FreqCombo.TypeText("5\r");
    EXPECT_EQ(main.FreqCombo.Text(), "360") << "three characters at most; Enter is swallowed";
    main.FreqCombo.TypeText("\b\bx- ");
    EXPECT_EQ(main.FreqCombo.Text(), "3") << "only digits and control keys pass";
    EXPECT_EQ(main.MainStringGrid.Cell(2, 3), "3");

    main.FastestCheckBox.Click();
    EXPECT_EQ(main.MainStringGrid.Cell(2, 3), "100") << "automatic overwrites hand-made values";
    EXPECT_TRUE(world.Dialogs.History().empty());
}

TEST(ModeTable, PastedTextThatIsNotAStorableRateLeavesTheCell) {
    SimWorld world("crt.modes");
    TMainForm& main = world.CreateMain(kRunBefore);
    main.FastestCheckBox.Click();
    main.MainStringGrid.SelectRow(2);
    main.FreqCombo.Paste("085");
    EXPECT_EQ(main.MainStringGrid.Cell(2, 2), "085") << "stored unchanged, leading zero kept";

    main.FreqCombo.Paste("abc");
    EXPECT_EQ(main.MainStringGrid.Cell(2, 2), "085");
    ASSERT_EQ(world.Dialogs.Errors(), Items{"'abc' is not a valid integer value."});
    EXPECT_EQ(world.Dialogs.History()[0].Title, "Tavelmorind");

    main.FreqCombo.Paste("-5");
    EXPECT_EQ(main.MainStringGrid.Cell(2, 2), "085") << "a negative rate is never stored";
    main.FreqCombo.Paste("256");
    EXPECT_EQ(main.MainStringGrid.Cell(2, 2), "256");
    main.FreqCombo.Paste("$4B");
    EXPECT_EQ(main.MainStringGrid.Cell(2, 2), "$4B") << "a hexadecimal 75 is a number";
    main.FreqCombo.Paste("1000");
    EXPECT_EQ(main.MainStringGrid.Cell(2, 2), "100") << "the box keeps three characters";
    EXPECT_EQ(world.Dialogs.Errors().size(), 1u);
}

TEST(ModeTable, ChoiceListPutsSetAtSecondAndRefillsOnlyForAnotherRow) {
    SimWorld world("1024 768 32 60,70,75,70 *\n"
                   "800 600 32 60,70,75\n");
    TMainForm& main = world.CreateMain(kRunBefore);
    EXPECT_EQ(main.FreqCombo.Items(), (Items{"0", "75", "60", "70", "70"}))
        << "a rate the driver lists twice appears twice";
    EXPECT_EQ(main.FreqCombo.ItemIndex(), 1);
    EXPECT_EQ(main.FreqCombo.Text(), "75");

    main.FastestCheckBox.Click();
    main.MainStringGrid.SelectRow(2);
    EXPECT_EQ(main.FreqCombo.Items(), (Items{"0", "60", "70", "75"}));
    EXPECT_EQ(main.FreqCombo.ItemIndex(), 0);
    EXPECT_EQ(main.ComboRow, 2);

    main.FreqCombo.SelectItem(3);
    EXPECT_EQ(main.MainStringGrid.Cell(2, 2), "75");
    const auto enumerations = world.Display.EnumerateCalls();
    main.MainStringGrid.SelectRow(2);
    EXPECT_EQ(world.Display.EnumerateCalls(), enumerations) << "same row: no refill";
    EXPECT_EQ(main.FreqCombo.Text(), "75");
}

TEST(ModeTable, DefaultSettingOneCountsAsDetectedButNeverAsFastest) {
    SimWorld world("default-only.modes");
    TMainForm& main = world.CreateMain(kRunBefore);
    EXPECT_TRUE(main.Table.AnyFrequencyDetected);
    EXPECT_EQ(Column(main.MainStringGrid, 2), Items(3, "0"));
    EXPECT_TRUE(main.FastestCheckBox.Enabled());
    EXPECT_EQ(main.Table.FrequencySet, Items{"1"});
}

TEST(ModeTable, NoDetectedFrequencyFallsBackAndLocksTheLockingFeatures) {
    SimWorld world("zero-only.modes");
    TMainForm& main = world.CreateMain(kRunBefore);
    EXPECT_FALSE(main.Table.AnyFrequencyDetected);
    EXPECT_EQ(Column(main.MainStringGrid, 1),
              Items(3, "(Cannot autodetect on this operating system)"));
    EXPECT_EQ(Column(main.MainStringGrid, 2), Items(3, "0"));
    EXPECT_FALSE(main.FastestCheckBox.Checked());
    EXPECT_FALSE(main.FastestCheckBox.Enabled());
    EXPECT_EQ(main.InstrLabel.Caption(),
              "Click on a mode, then specify a frequency for that mode.");
    EXPECT_FALSE(main.LockingFeatures1->Enabled);
    EXPECT_FALSE(main.LockingFeatures2->Enabled);
    main.FastestCheckBox.Click();
    EXPECT_FALSE(main.FastestCheckBox.Checked()) << "automatic mode cannot be switched on";
}

TEST(ModeTable, EmptyEnumerationLeavesAnEmptyTableAndDisablesNothing) {
    SimWorld world("crt.modes");
    world.Display = SimDisplay{};
    TMainForm& main = world.CreateMain(kRunBefore);
    EXPECT_EQ(main.MainStringGrid.RowCount(), 1);
    EXPECT_TRUE(main.FastestCheckBox.Enabled());
    EXPECT_TRUE(main.LockingFeatures1->Enabled);
    EXPECT_EQ(main.ChangeScreenMode1->Count(), 0u);
}

TEST(SimulatedDriver, BadModeListNamesFileAndLine) {
    try {
        SimDisplay::FromFile(DataFile("bad-frequency.modes"));
        FAIL() << "a damaged mode list must be refused";
    } catch (const ModeListError& error) {
        EXPECT_NE(std::string(error.what()).find("bad-frequency.modes:3: '7x2'"), std::string::npos)
            << error.what();
    }
    EXPECT_THROW(SimDisplay::ParseModeList("640 480\n", "x"), ModeListError);
    EXPECT_THROW(SimDisplay::ParseModeList("640 480 16 60 +\n", "x"), ModeListError);
    EXPECT_THROW(SimDisplay::ParseModeList("640 480 16 ,\n", "x"), ModeListError);
    EXPECT_THROW(SimDisplay::FromFile(DataFile("no-such.modes")), ModeListError);
}

TEST(SimulatedDriver, ChangeNotifiesInsideTheCallAndChecksTheRequest) {
    SimWorld world("crt.modes");
    SimDisplay& display = world.Display;
    int notified = 0;
    display.SetChangeListener([&] {
        ++notified;
        EXPECT_EQ(display.CurrentRefresh(), 75) << "the change is in place when it is announced";
    });
    DisplayMode mode;
    ASSERT_TRUE(display.EnumerateMode(0, mode));
    const auto native = mode.Native;
    mode.PelsWidth = 1024;
    mode.PelsHeight = 768;
    mode.BitsPerPel = 32;
    mode.DisplayFrequency = 75;
    EXPECT_EQ(display.ChangeMode(mode, ChangeFullscreen), DispChangeSuccessful);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(display.CurrentModeKey(), "1024x768 - 32 BPP");
    EXPECT_EQ(mode.Native, native);

    mode.DisplayFrequency = 100; // not offered at this size
    EXPECT_EQ(display.ChangeMode(mode, 0), DispChangeBadMode);
    EXPECT_EQ(display.ChangeMode(DisplayMode{}, 0), DispChangeBadParam)
        << "a record that did not come from the driver";
    display.RefuseChanges(DispChangeFailed);
    mode.DisplayFrequency = 60;
    EXPECT_EQ(display.ChangeMode(mode, 0), DispChangeFailed);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(display.CurrentRefresh(), 75);
}

} // namespace
} // namespace tvm::test
