#pragma once

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace windriver {

// A failed expectation or a time-out (exit code 1), or bad usage (exit code 2).
struct Failure : std::runtime_error {
    Failure(int code, const std::string& reason) : std::runtime_error(reason), Code(code) {}
    int Code;
};

[[noreturn]] void Fail(const std::string& reason);

inline constexpr DWORD DefaultTimeoutMs = 10000;
inline constexpr DWORD PollMs = 20;

std::string Hex(const void* handle);

// The text Windows keeps for a window of another process; it never sends the window a
// message, so a busy program cannot stall the lookup.
std::string StoredText(HWND window);
std::string ClassOf(HWND window);

// The text the control itself reports (WM_GETTEXT, which the system copies across
// processes); edits and combo boxes keep theirs apart from the stored text.
std::string ControlText(HWND control);

// Every top-level window of every process, topmost first.
std::vector<HWND> TopLevelWindows();
std::vector<HWND> ThreadWindows(DWORD threadId);
std::vector<HWND> Descendants(HWND parent);

// Top-level windows titled exactly `title`, the visible ones first.
std::vector<HWND> WindowsTitled(const std::string& title);

// Polls `done` until it holds (true) or `timeoutMs` passes (false).
bool WaitUntil(DWORD timeoutMs, const std::function<bool()>& done);

// What is left of a time-out that started at `start` (GetTickCount64), at least 1 ms.
DWORD Remaining(ULONGLONG start, DWORD timeoutMs);

// Waits for a top-level window titled `title` (preferring a visible one).
HWND WaitForTopLevel(const std::string& title, DWORD timeoutMs);

// Waits for a window titled `title` that a user can reach: on show, and not disabled
// by a modal window of its own.
HWND WaitForUsable(const std::string& title, DWORD timeoutMs);

// How a command names a control inside a window: by its text, by class and index
// among the descendants of that class (0 is the first), or by control id.
struct ControlSelector {
    std::string Caption;
    std::string ClassName;
    int Index = 0;
    int Id = 0;
    bool ByCaption = false;
    bool ByClass = false;
    bool ById = false;

    std::string Describe() const;
};

HWND FindControl(HWND top, const ControlSelector& selector);

// What a command reports when a control is missing: the controls the window has.
std::string ListControls(HWND top);

} // namespace windriver
