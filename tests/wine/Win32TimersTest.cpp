#include "PumpFor.h"
#include "TestShell.h"

#include "platform/win32/Win32MessageLoop.h"
#include "platform/win32/Win32Timers.h"
#include "ui/widgets/Application.h"

#include <gtest/gtest.h>

namespace tvm::test {
namespace {

// The timers live on the shell window, as the program's do.
struct Win32TimersTest : ::testing::Test {
    Win32MessageLoop loop;
    TestShell shell{loop};
    TApplication& app = shell.App;
    int ticks = 0;
};

TEST_F(Win32TimersTest, AnEnabledTimerTicksUntilDisabled) {
    TTimer timer(app, 20);
    timer.OnTimer = [&] { ++ticks; };
    timer.SetEnabled(true);
    PumpFor(loop, 300);
    EXPECT_GE(ticks, 3);
    EXPECT_LE(ticks, 16);
    timer.SetEnabled(false);
    const int seen = ticks;
    PumpFor(loop, 100);
    EXPECT_EQ(ticks, seen);
}

TEST_F(Win32TimersTest, AOneMillisecondTimerTicksAtTheSystemsPace) {
    TTimer timer(app, 1);
    timer.OnTimer = [&] { ++ticks; };
    timer.SetEnabled(true);
    PumpFor(loop, 200);
    EXPECT_GE(ticks, 5);
}

TEST_F(Win32TimersTest, ATickLeftQueuedByAStoppedTimerIsDropped) {
    TTimer timer(app, 1000);
    timer.OnTimer = [&] { ++ticks; };
    timer.SetEnabled(true);
    timer.SetEnabled(false);
    for (WPARAM id = 1; id < 4; ++id) {
        PostMessageA(shell.Window(), WM_TIMER, id, 0);
    }
    loop.PumpPending();
    EXPECT_EQ(ticks, 0);
}

TEST_F(Win32TimersTest, ARefusedTimerRaisesNotEnoughTimers) {
    // Without its window SetTimer fails, as it does when the system has no timer left.
    DestroyWindow(shell.Window());
    TTimer timer(app, 100);
    try {
        timer.SetEnabled(true);
        ADD_FAILURE() << "the refusal was lost";
    } catch (const ProgramError& error) {
        EXPECT_STREQ(error.what(), "Not enough timers available");
    }
}

TEST(Win32TimersBeforeTheShell, ATimerStartedBeforeTheShellWindowRunsOnceItIsThere) {
    Win32MessageLoop loop;
    TestShell shell(loop, false);
    int ticks = 0;
    TTimer timer(shell.App, 20);
    timer.OnTimer = [&] { ++ticks; };
    timer.SetEnabled(true);
    PumpFor(loop, 100);
    EXPECT_EQ(ticks, 0) << "no window to tick on yet";

    shell.Realize();
    PumpFor(loop, 300);
    EXPECT_GE(ticks, 3);
}

} // namespace
} // namespace tvm::test
