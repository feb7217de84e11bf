#pragma once

#include "platform/sim/ScriptedDialogs.h"
#include "platform/win32/Win32Display.h"
#include "platform/win32/Win32MessageLoop.h"
#include "platform/win32/Win32Timers.h"
#include "platform/win32/Win32WindowSystem.h"
#include "shell/ShellEvents.h"
#include "ui/widgets/Application.h"
#include "ui/widgets/Form.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace tvm::test {

// A shell window as the program has one: the Win32 window system realizes a bare form
// as the main window, over the real timers and display, so that WM_TIMER reaches the
// timers and WM_DISPLAYCHANGE the display's listener. What the shell says to the main
// window is counted.
class TestShell : public ShellEvents {
public:
    // The main window is realized at once, or, with `realize` false, by Realize.
    explicit TestShell(Win32MessageLoop& loop, bool realize = true);

    void Realize();
    HWND Window() const { return Windows.ShellWindow(); }

    void TrayIconCallback(std::uint32_t mouseMessage) override {
        TrayCallbacks.push_back(mouseMessage);
    }
    void OnTaskbarCreated() override { ++TaskbarCreations; }
    void OnShowMainMessage() override { ++ShowRequests; }
    void OnSystemEvent(SystemEvent event) override { SystemEvents.push_back(event); }

    ScriptedDialogs Dialogs;
    Win32Timers Timers;
    TApplication App{Dialogs, Timers};
    Win32Display Display;
    Win32WindowSystem Windows;
    TForm Main{App};

    std::vector<std::uint32_t> TrayCallbacks;
    int TaskbarCreations = 0;
    int ShowRequests = 0;
    std::vector<SystemEvent> SystemEvents;
};

} // namespace tvm::test
