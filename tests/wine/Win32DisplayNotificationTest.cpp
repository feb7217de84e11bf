#include "DisplayTest.h"
#include "RunSwitchMode.h"
#include "TestShell.h"

#include "base/ProgramError.h"

#include <memory>
#include <string>

namespace tvm::test {
namespace {

// The record of the current size at another rate.
DisplayMode OtherRate(Win32Display& display, std::uint32_t rate) {
    DisplayMode mode;
    EXPECT_TRUE(display.EnumerateMode(ENUM_CURRENT_SETTINGS, mode));
    mode.DisplayFrequency = rate;
    return mode;
}

std::uint32_t OtherThanCurrent(Win32Display& display) {
    return display.CurrentRefresh() == 75 ? 85 : 75;
}

// WM_DISPLAYCHANGE reaches the display through the shell window, as in the program.
class Win32DisplayNotification : public DisplayTest {
protected:
    Win32MessageLoop loop;
};

TEST_F(Win32DisplayNotification, ArrivesInsideChangeModeWithTheNewModeInPlace) {
    TestShell shell(loop);
    Win32Display& display = shell.Display;
    const std::uint32_t rate = OtherThanCurrent(display);
    int notifications = 0;
    std::uint32_t refreshSeen = 0;
    display.SetChangeListener([&] {
        ++notifications;
        refreshSeen = display.CurrentRefresh();
    });

    ASSERT_EQ(display.ChangeMode(OtherRate(display, rate), ChangeDynamic), DispChangeSuccessful);

    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(refreshSeen, rate);
}

TEST_F(Win32DisplayNotification, ListenerErrorLeavesChangeModeAfterTheChange) {
    TestShell shell(loop);
    Win32Display& display = shell.Display;
    const std::uint32_t rate = OtherThanCurrent(display);
    display.SetChangeListener([] { throw ProgramError("listener failed"); });

    try {
        display.ChangeMode(OtherRate(display, rate), ChangeDynamic);
        ADD_FAILURE() << "the listener's error was lost";
    } catch (const ProgramError& error) {
        EXPECT_STREQ(error.what(), "listener failed");
    }
    EXPECT_EQ(display.CurrentRefresh(), rate);
    if (const auto x = XMode()) {
        EXPECT_EQ(RoundRate(x->Rate), rate);
    }

    // and the service goes on working
    int notifications = 0;
    display.SetChangeListener([&] { ++notifications; });
    EXPECT_EQ(display.ChangeMode(OtherRate(display, 60), ChangeDynamic), DispChangeSuccessful);
    EXPECT_EQ(notifications, 1);
}

TEST_F(Win32DisplayNotification, ReachesEveryServiceObjectAndOutlivesAnEarlierOne) {
    auto firstShell = std::make_unique<TestShell>(loop);
    int firstHeard = 0;
    firstShell->Display.SetChangeListener([&] { ++firstHeard; });
    firstShell.reset();

    TestShell secondShell(loop);
    TestShell thirdShell(loop);
    Win32Display& second = secondShell.Display;
    Win32Display& third = thirdShell.Display;
    int secondHeard = 0;
    int thirdHeard = 0;
    second.SetChangeListener([&] { ++secondHeard; });
    third.SetChangeListener([&] { ++thirdHeard; });

    ASSERT_EQ(second.ChangeMode(OtherRate(second, OtherThanCurrent(second)), ChangeDynamic),
              DispChangeSuccessful);

    EXPECT_EQ(firstHeard, 0);
    EXPECT_EQ(secondHeard, 1);
    EXPECT_EQ(thirdHeard, 1);
}

TEST_F(Win32DisplayNotification, ArrivesFromAnotherProgramWhenTheThreadPumpsMessages) {
    TestShell shell(loop);
    Win32Display& display = shell.Display;
    int notifications = 0;
    display.SetChangeListener([&] { ++notifications; });
    const std::string size =
        std::to_string(display.CurrentWidth()) + " " + std::to_string(display.CurrentHeight());

    EXPECT_EQ(RunSwitchModeWhilePumping(size + " 32 " + std::to_string(OtherThanCurrent(display)) +
                                        " restore"),
              0u);

    // one for the switch, one for the way back
    EXPECT_EQ(notifications, 2);
}

} // namespace
} // namespace tvm::test
