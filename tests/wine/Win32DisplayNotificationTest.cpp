#include "DisplayTest.h"
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

// Runs SwitchMode.exe (built beside this program) and pumps this thread's messages
// until it exits, as the program's message loop would. Returns its exit code.
DWORD RunSwitchModeWhilePumping(const std::string& arguments) {
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self, length);
    path = path.substr(0, path.find_last_of("\\/") + 1) + "SwitchMode.exe";
    std::string commandLine = "\"" + path + "\" " + arguments;

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start " << path << " (error " << GetLastError() << ")";
        return ~DWORD{0};
    }
    CloseHandle(process.hThread);
    for (;;) {
        const DWORD woke =
            MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 30000, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0) {
            break;
        }
        if (woke != WAIT_OBJECT_0 + 1) {
            ADD_FAILURE() << "SwitchMode.exe did not finish";
            TerminateProcess(process.hProcess, 1);
            break;
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    return exitCode;
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
