#pragma once

#include <windows.h>

#include <vector>

namespace windriver {

// How a message sent to another program's window ended.
struct Delivery {
    bool Completed = false; // the window procedure returned (or the window went away)
    LRESULT Result = 0;
    HWND Opened = nullptr; // the window of the modal loop the program entered instead
};

// Sends `message` to `target` and waits until its window procedure returns or the
// program enters a modal loop: a message box, a dialog or a pop-up menu. A modal loop
// keeps the procedure from returning until someone answers it, and that someone is the
// next command of the driver, so waiting for the reply would hang.
Delivery Deliver(HWND target, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs);

// Posts `messages` in order, as input arrives, and then waits until the program has
// probably taken them (see Settle).
void PostInput(const std::vector<MSG>& messages, DWORD timeoutMs);

// Sends `rounds` empty messages, one after the other, to the thread of `window`. A
// thread handles sent messages only when it asks for its next message, so each reply
// means the thread came back for more input; it is not proof that every posted message
// was handled (a program may peek messages in the middle of a handler).
void Settle(HWND window, int rounds, DWORD timeoutMs);

} // namespace windriver
