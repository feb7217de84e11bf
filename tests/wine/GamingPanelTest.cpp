// The program over the real display of the gaming panel (TAVELMORIND_XDUMMY=gaming),
// whose 1280x720 goes to 360 Hz: a rate that only survives when every frequency is
// taken whole. The rest of the platform is simulated, as in ProgramWindowsTest.
#include "DisplayTest.h"
#include "DummyDisplay.h"
#include "TestShell.h"

#include "app/Program.h"
#include "platform/sim/IniFileProfile.h"
#include "platform/sim/MemoryRunAtLogon.h"
#include "platform/sim/ScriptedDialogs.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/VirtualClock.h"
#include "ui/UnitTimer.h"

#include <fstream>

namespace tvm::test {
namespace {

// The real display, counting the program's own mode sets.
class CountingDisplay : public DisplayService {
public:
    explicit CountingDisplay(Win32Display& display) : display_(display) {
        display_.SetChangeListener([this] { NotifyChange(); });
    }
    bool EnumerateMode(std::uint32_t index, DisplayMode& mode) override {
        return display_.EnumerateMode(index, mode);
    }
    std::uint32_t CurrentRefresh() override { return display_.CurrentRefresh(); }
    std::uint32_t CurrentDepth() override { return display_.CurrentDepth(); }
    std::uint32_t CurrentWidth() override { return display_.CurrentWidth(); }
    std::uint32_t CurrentHeight() override { return display_.CurrentHeight(); }
    std::int32_t ChangeMode(const DisplayMode& mode, std::uint32_t flags) override {
        ++Changes;
        return display_.ChangeMode(mode, flags);
    }
    int Changes = 0;

private:
    Win32Display& display_;
};

class GamingPanelProgram : public DisplayTest {
protected:
    void SetUp() override {
        if (!GamingPanel()) {
            GTEST_SKIP() << "the X server shows the CRT; run with TAVELMORIND_XDUMMY=gaming";
        }
        DisplayTest::SetUp();
    }
    void TearDown() override {
        // Putting the mode back must not be overridden.
        real_.SetChangeListener({});
        DisplayTest::TearDown();
        std::filesystem::remove(ini_.Path());
    }
    TMainForm& Start() {
        std::ofstream(ini_.Path(), std::ios::binary)
            << "[Init]\r\nProgram Run Before=1\r\n[Main Options]\r\nSwitched On=1\r\n"
               "[Advanced Options]\r\nCPU Enforce Modes=0\r\n";
        EXPECT_TRUE(program_.Start());
        return *program_.MainForm;
    }
    int RowOf(const TMainForm& main, const std::string& key) {
        for (int row = 1; row < main.MainStringGrid.RowCount(); ++row) {
            if (main.MainStringGrid.Cell(0, row) == key) {
                return row;
            }
        }
        ADD_FAILURE() << "no row " << key;
        return 1;
    }

    // The real display hears WM_DISPLAYCHANGE through a shell window of its own; the
    // program's windows are simulated.
    Win32MessageLoop loop_;
    TestShell shell_{loop_};
    Win32Display& real_ = shell_.Display;
    CountingDisplay display_{real_};
    IniFileProfile ini_{std::filesystem::temp_directory_path() / "tavelmorind-gaming-test.ini",
                        "Tavelmorind.ini"};
    ScriptedDialogs dialogs_;
    VirtualClock clock_;
    MemoryRunAtLogon runKey_{"C:\\Tavelmorind.exe"};
    SimTray tray_;
    SimSystem system_{clock_};
    SimPower power_;
    SimSingleInstance instance_;
    SimWindowSystem windows_;
    Platform platform_{dialogs_, clock_,    MainServices{display_, ini_, runKey_, tray_, system_},
                       power_,   instance_, windows_};
    Program program_{platform_};
};

TEST_F(GamingPanelProgram, A360HzModeIsShownTakenAsFastestAndPutBackWhole) {
    TMainForm& main = Start();
    const int row720 = RowOf(main, "1280x720 - 32 BPP");
    EXPECT_EQ(main.MainStringGrid.Cell(1, row720), "360, 240, 144, 60");
    EXPECT_EQ(main.MainStringGrid.Cell(2, row720), "360");

    // A game switches to 60 Hz; Wine tells the program inside the game's call.
    const auto game = FindMode(real_, 1280, 720, 32, 60);
    ASSERT_TRUE(game.has_value());
    ASSERT_EQ(real_.ChangeMode(*game, ChangeFullscreen), DispChangeSuccessful);
    EXPECT_EQ(display_.Changes, 1) << "one mode set of the program's own";
    EXPECT_EQ(real_.CurrentRefresh(), 360u) << "GetDeviceCaps(VREFRESH) in full";
    if (const auto x = XMode()) {
        EXPECT_EQ(RoundRate(x->Rate), 360u);
    }
    EXPECT_TRUE(main.OnRadioButton.Checked());

    // A manual switch that the user rejects goes back to 360 Hz.
    dialogs_.Answer(ModalResult::Yes);
    main.MainStringGrid.SelectRow(RowOf(main, "1920x1080 - 32 BPP"));
    main.Button2Click();
    ASSERT_TRUE(program_.TimerForm->Visible());
    EXPECT_EQ(real_.CurrentWidth(), 1920u);
    program_.TimerForm->BitBtnNo.Click();
    EXPECT_EQ(real_.CurrentWidth(), 1280u);
    EXPECT_EQ(real_.CurrentRefresh(), 360u);
    if (const auto x = XMode()) {
        EXPECT_EQ(x->Width, 1280u);
        EXPECT_EQ(RoundRate(x->Rate), 360u);
    }
    EXPECT_EQ(display_.Changes, 3);
}

} // namespace
} // namespace tvm::test
