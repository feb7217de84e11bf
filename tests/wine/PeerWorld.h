#pragma once

#include "PeerTestForm.h"

#include "platform/sim/ScriptedDialogs.h"
#include "platform/win32/Win32MessageLoop.h"
#include "platform/win32/Win32Timers.h"
#include "platform/win32/Win32Toolkit.h"
#include "ui/widgets/Application.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace tvm::test {

// The test form realized by the Win32 toolkit and shown, with the real loop and
// timers; errors go to scripted dialogs, which record them.
class PeerTest : public ::testing::Test {
protected:
    PeerTest() {
        Toolkit.Realize(Form);
        Loop.PumpPending();
    }

    HWND Window() const { return Win32Toolkit::Handle(Form); }
    static HWND Window(const TControl& control) { return Win32Toolkit::Handle(control); }

    // A key as the keyboard delivers it: to the window with the focus, through the loop
    // (and so through IsDialogMessage).
    void Key(WPARAM key);
    void Char(HWND window, char key);
    void Click(HWND window) {
        SendMessageA(window, BM_CLICK, 0, 0);
        Loop.PumpPending();
    }
    static std::string Text(HWND window);
    static RECT ClientRect(HWND window); // in the parent's client coordinates

    ScriptedDialogs Dialogs;
    Win32MessageLoop Loop;
    Win32Timers Timers; // without a shell window, no timer runs
    TApplication App{Dialogs, Timers};
    Win32Toolkit Toolkit{Loop};
    PeerTestForm Form{App};
};

} // namespace tvm::test
