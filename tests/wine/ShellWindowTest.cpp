// The shell window: the main form's window takes the system's messages to the program,
// and the program has no other window of its own besides its forms.
#include "TestShell.h"

#include "app/Program.h"
#include "platform/sim/IniFileProfile.h"
#include "platform/sim/MemoryRunAtLogon.h"
#include "platform/sim/ScriptedDialogs.h"
#include "platform/sim/SimShell.h"
#include "platform/win32/Win32Display.h"
#include "platform/win32/Win32MessageLoop.h"
#include "platform/win32/Win32Power.h"
#include "platform/win32/Win32SingleInstance.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32Timers.h"
#include "platform/win32/Win32Toolkit.h"
#include "platform/win32/Win32WindowSystem.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <dbt.h>
#include <wtsapi32.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tvm::test {
namespace {

TEST(Win32ShellWindow, TheShellsMessagesReachTheMainWindowAndBroadcastsFindIt) {
    Win32MessageLoop loop;
    TestShell shell(loop);
    PostMessageA(shell.Window(), TrayIconData::CallbackMessage, TrayIconData::ID,
                 TrayIconData::RightButtonDown);
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA(Win32SingleInstance::ShowMainMessageName),
                 0, 0);
    loop.PumpPending();
    EXPECT_EQ(shell.TrayCallbacks, std::vector<std::uint32_t>{TrayIconData::RightButtonDown});
    EXPECT_EQ(shell.TaskbarCreations, 1);
    EXPECT_EQ(shell.ShowRequests, 1);
}

// What Windows sends at a resume, an unlock, a monitor's arrival and a change of the
// power source becomes one event each; what else comes by the same messages does not.
TEST(Win32ShellWindow, TheSystemsEventsAreTranslatedAndTheRestIgnored) {
    Win32MessageLoop loop;
    TestShell shell(loop);
    DEV_BROADCAST_DEVICEINTERFACE_A monitor{};
    monitor.dbcc_size = sizeof monitor;
    monitor.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    monitor.dbcc_classguid = {
        0xe6f07b5f, 0xee97, 0x4a90, {0xb0, 0x76, 0x33, 0xf5, 0x7b, 0xf4, 0xea, 0xa7}};
    DEV_BROADCAST_DEVICEINTERFACE_A disk = monitor;
    disk.dbcc_classguid.Data1 = 0x53f56307; // GUID_DEVINTERFACE_DISK's first part
    DEV_BROADCAST_HDR volume{sizeof volume, DBT_DEVTYP_VOLUME, 0};
    const struct {
        UINT Message;
        WPARAM WParam;
        const void* LParam;
    } sent[] = {
        {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, nullptr},
        {WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, nullptr},
        {WM_POWERBROADCAST, PBT_APMSUSPEND, nullptr},
        {WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, nullptr},
        {WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, nullptr},
        {WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, nullptr},
        {WM_WTSSESSION_CHANGE, WTS_CONSOLE_CONNECT, nullptr},
        {WM_DEVICECHANGE, DBT_DEVICEARRIVAL, &disk},
        {WM_DEVICECHANGE, DBT_DEVICEARRIVAL, &volume},
        {WM_DEVICECHANGE, DBT_DEVICEARRIVAL, nullptr},
        {WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, &monitor},
        {WM_DEVICECHANGE, DBT_DEVICEARRIVAL, &monitor},
    };
    for (const auto& m : sent) {
        SendMessageA(shell.Window(), m.Message, m.WParam, reinterpret_cast<LPARAM>(m.LParam));
    }
    loop.PumpPending();
    EXPECT_EQ(shell.SystemEvents,
              (std::vector<SystemEvent>{SystemEvent::Resumed, SystemEvent::Resumed,
                                        SystemEvent::PowerStatusChanged, SystemEvent::SessionBack,
                                        SystemEvent::SessionBack, SystemEvent::MonitorArrived}));
}

// The program started as WinMain starts it, over the real window system, timers and
// display; its settings, Run value, dialogs and single-instance check are simulated.
class ProgramShell : public ::testing::Test {
protected:
    ProgramShell() {
        std::ofstream(ini_.Path(), std::ios::binary) << "[Init]\r\nProgram Run Before=1\r\n";
    }
    ~ProgramShell() override {
        program_.Finish();
        std::filesystem::remove(ini_.Path());
    }

    Win32MessageLoop loop_;
    Win32Timers timers_;
    Win32Display display_{loop_};
    Win32WindowSystem windows_{loop_, {timers_, display_}, "Tavelmorind", {}, {}};
    ScriptedDialogs dialogs_;
    IniFileProfile ini_{std::filesystem::temp_directory_path() / "tavelmorind-shell-test.ini",
                        "Tavelmorind.ini"};
    MemoryRunAtLogon runKey_{"C:\\Tavelmorind.exe"};
    Win32System system_;
    Win32Power power_{windows_.ApplicationWindow()};
    SimSingleInstance instance_;
    Platform platform_{
        dialogs_, timers_,   MainServices{display_, ini_, runKey_, windows_, system_},
        power_,   instance_, windows_};
    Program program_{platform_};
};

struct ThreadWindow {
    HWND Window;
    std::string Class;
    HWND Owner;
    // Made from a class the program registered, not the system's or a DLL's.
    bool Ours;
};

std::vector<ThreadWindow> ThreadWindows() {
    std::vector<HWND> found;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    // Message-only windows are no top-level windows, and EnumThreadWindows passes them by.
    for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) {
        if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
            found.push_back(window);
        }
    }
    std::vector<ThreadWindow> windows;
    for (HWND window : found) {
        char name[256] = {};
        GetClassNameA(window, name, sizeof name);
        const auto module = reinterpret_cast<HMODULE>(GetClassLongPtrA(window, GCLP_HMODULE));
        windows.push_back(
            {window, name, GetWindow(window, GW_OWNER), module == GetModuleHandleA(nullptr)});
    }
    return windows;
}

// Besides them the controls' own parts: the drop-down lists of the combo boxes.
TEST_F(ProgramShell, TheOnlyWindowsAreTheFormsTheirTooltipsAndTheApplicationWindow) {
    ASSERT_TRUE(program_.Start());
    loop_.PumpPending();
    EXPECT_TRUE(dialogs_.Errors().empty());

    const std::vector<HWND> forms = {
        Win32Toolkit::Handle(*program_.MainForm), Win32Toolkit::Handle(*program_.AdvanceForm),
        Win32Toolkit::Handle(*program_.AboutForm), Win32Toolkit::Handle(*program_.TimerForm),
        Win32Toolkit::Handle(*program_.BlankForm)};
    const auto isForm = [&forms](HWND window) {
        return std::find(forms.begin(), forms.end(), window) != forms.end();
    };
    // A drop-down combo box's list is a top-level window of the control's making.
    std::vector<HWND> lists;
    for (HWND form : forms) {
        EnumChildWindows(
            form,
            [](HWND child, LPARAM found) {
                COMBOBOXINFO info{};
                info.cbSize = sizeof info;
                if (GetComboBoxInfo(child, &info) && info.hwndList != nullptr) {
                    reinterpret_cast<std::vector<HWND>*>(found)->push_back(info.hwndList);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&lists));
    }
    int comboLists = 0;
    int formsSeen = 0;
    int tooltips = 0;
    int applicationWindows = 0;
    for (const ThreadWindow& w : ThreadWindows()) {
        if (isForm(w.Window)) {
            ++formsSeen;
        } else if (w.Class == TOOLTIPS_CLASSA && isForm(w.Owner)) {
            ++tooltips;
        } else if (w.Window == windows_.ApplicationWindow()) {
            ++applicationWindows;
        } else if (std::find(lists.begin(), lists.end(), w.Window) != lists.end()) {
            ++comboLists;
        } else if (w.Ours) {
            ADD_FAILURE() << "a window of the program's own besides its forms: class " << w.Class;
        } else {
            // The system's own, such as Wine's IME window.
            std::printf("not the program's: class %s\n", w.Class.c_str());
        }
    }
    EXPECT_EQ(formsSeen, 5);
    EXPECT_EQ(tooltips, 5);
    EXPECT_EQ(applicationWindows, 1);
    EXPECT_EQ(comboLists, static_cast<int>(lists.size()));
    EXPECT_EQ(windows_.ShellWindow(), Win32Toolkit::Handle(*program_.MainForm));
}

} // namespace
} // namespace tvm::test
