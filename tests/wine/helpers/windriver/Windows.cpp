#include "windriver/Windows.h"

#include <algorithm>
#include <cstdio>

namespace windriver {

void Fail(const std::string& reason) {
    throw Failure(1, reason);
}

std::string Hex(const void* handle) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(handle)));
    return text;
}

std::string StoredText(HWND window) {
    std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 2);
    const int length = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), static_cast<std::size_t>(std::max(length, 0)));
}

std::string ClassOf(HWND window) {
    char name[256];
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, static_cast<std::size_t>(std::max(length, 0)));
}

std::string ControlText(HWND control) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, DefaultTimeoutMs,
                             &length)) {
        Fail("the control " + Hex(control) + " did not report its text length");
    }
    std::vector<char> text(length + 2);
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXT, text.size(),
                             reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, DefaultTimeoutMs,
                             &copied)) {
        Fail("the control " + Hex(control) + " did not report its text");
    }
    return std::string(text.data(), std::min<std::size_t>(copied, text.size() - 1));
}

namespace {

BOOL CALLBACK Collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(&Collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> ThreadWindows(DWORD threadId) {
    std::vector<HWND> windows;
    EnumThreadWindows(threadId, &Collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> windows;
    EnumChildWindows(parent, &Collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> WindowsTitled(const std::string& title) {
    std::vector<HWND> found;
    for (HWND window : TopLevelWindows()) {
        if (StoredText(window) == title) {
            found.push_back(window);
        }
    }
    std::stable_partition(found.begin(), found.end(),
                          [](HWND window) { return IsWindowVisible(window) != FALSE; });
    return found;
}

bool WaitUntil(DWORD timeoutMs, const std::function<bool()>& done) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (done()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(PollMs);
    }
}

DWORD Remaining(ULONGLONG start, DWORD timeoutMs) {
    const ULONGLONG spent = GetTickCount64() - start;
    return spent >= timeoutMs ? 1 : static_cast<DWORD>(timeoutMs - spent);
}

HWND WaitForTopLevel(const std::string& title, DWORD timeoutMs) {
    HWND window = nullptr;
    WaitUntil(timeoutMs, [&] {
        const auto found = WindowsTitled(title);
        window = found.empty() ? nullptr : found.front();
        return window != nullptr;
    });
    if (window == nullptr) {
        Fail("no top-level window titled \"" + title + "\" within " + std::to_string(timeoutMs) +
             " ms");
    }
    return window;
}

HWND WaitForUsable(const std::string& title, DWORD timeoutMs) {
    HWND usable = nullptr;
    std::string why = "no top-level window titled \"" + title + "\"";
    WaitUntil(timeoutMs, [&] {
        const auto found = WindowsTitled(title);
        if (found.empty()) {
            return false;
        }
        if (!IsWindowVisible(found.front())) {
            why = "the window \"" + title + "\" is hidden";
            return false;
        }
        if (!IsWindowEnabled(found.front())) {
            why = "the window \"" + title + "\" is disabled (a modal window is open)";
            return false;
        }
        usable = found.front();
        return true;
    });
    if (usable == nullptr) {
        Fail(why + " after " + std::to_string(timeoutMs) + " ms");
    }
    return usable;
}

std::string ControlSelector::Describe() const {
    if (ByCaption) {
        return "the control \"" + Caption + "\"";
    }
    if (ById) {
        return "the control with id " + std::to_string(Id);
    }
    return "the " + ClassName + " number " + std::to_string(Index);
}

HWND FindControl(HWND top, const ControlSelector& selector) {
    std::vector<HWND> matches;
    for (HWND child : Descendants(top)) {
        if (selector.ByCaption && StoredText(child) != selector.Caption) {
            continue;
        }
        if (selector.ByClass && _stricmp(ClassOf(child).c_str(), selector.ClassName.c_str()) != 0) {
            continue;
        }
        if (selector.ById && GetDlgCtrlID(child) != selector.Id) {
            continue;
        }
        matches.push_back(child);
    }
    if (selector.ByClass) {
        return selector.Index >= 0 && static_cast<std::size_t>(selector.Index) < matches.size()
                   ? matches[static_cast<std::size_t>(selector.Index)]
                   : nullptr;
    }
    // Several pages of a tabbed window may carry the same caption; the one on show is
    // the one a user would press.
    for (HWND match : matches) {
        if (IsWindowVisible(match)) {
            return match;
        }
    }
    return matches.empty() ? nullptr : matches.front();
}

std::string ListControls(HWND top) {
    std::string list;
    for (HWND child : Descendants(top)) {
        list += "\n  " + ClassOf(child) + " id " + std::to_string(GetDlgCtrlID(child)) + " \"" +
                StoredText(child) + "\"" + (IsWindowVisible(child) ? "" : " (hidden)") +
                (IsWindowEnabled(child) ? "" : " (disabled)");
    }
    return list.empty() ? " (none)" : list;
}

} // namespace windriver
