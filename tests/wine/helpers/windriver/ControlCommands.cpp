#include "windriver/Arguments.h"
#include "windriver/CommandSet.h"
#include "windriver/Input.h"
#include "windriver/Reading.h"
#include "windriver/Windows.h"

#include <commctrl.h>

#include <cstdio>

namespace windriver {

namespace {

bool IsClass(HWND window, const char* name) {
    return _stricmp(ClassOf(window).c_str(), name) == 0;
}

// Waits until the control can be used as a user would use it: on show and enabled,
// in a window that is on show and not disabled by a modal window.
HWND WaitForUsableControl(const std::string& title, const ControlSelector& selector,
                          DWORD timeoutMs) {
    HWND control = nullptr;
    std::string why;
    WaitUntil(timeoutMs, [&] {
        const auto found = WindowsTitled(title);
        if (found.empty() || !IsWindowVisible(found.front())) {
            why = found.empty() ? "there is no window titled \"" + title + "\""
                                : "the window \"" + title + "\" is hidden";
            return false;
        }
        const HWND top = found.front();
        const HWND candidate = FindControl(top, selector);
        if (candidate == nullptr) {
            why = "the window \"" + title + "\" has no " + selector.Describe() +
                  "; its controls:" + ListControls(top);
        } else if (!IsWindowVisible(candidate)) {
            why = selector.Describe() + " is hidden";
        } else if (!IsWindowEnabled(candidate)) {
            why = selector.Describe() + " is disabled";
        } else if (!IsWindowEnabled(top)) {
            why = "the window \"" + title + "\" is disabled (a modal window is open)";
        } else {
            control = candidate;
            return true;
        }
        return false;
    });
    if (control == nullptr) {
        Fail(why + " (waited " + std::to_string(timeoutMs) + " ms)");
    }
    return control;
}

void Press(HWND button, DWORD timeoutMs) {
    if (!IsClass(button, WC_BUTTONA)) {
        Fail("the control " + Hex(button) + " is a " + ClassOf(button) + ", not a button");
    }
    Deliver(button, BM_CLICK, 0, 0, timeoutMs);
}

bool IsTextStatic(HWND control) {
    const auto type = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE)) & SS_TYPEMASK;
    return IsClass(control, WC_STATICA) && IsWindowVisible(control) && type != SS_ICON &&
           type != SS_BITMAP && type != SS_ENHMETAFILE;
}

std::string DialogText(HWND dialog) {
    std::string text;
    for (HWND child : Descendants(dialog)) {
        if (!IsTextStatic(child)) {
            continue;
        }
        const std::string line = StoredText(child);
        if (!line.empty()) {
            text += text.empty() ? line : "\n" + line;
        }
    }
    return text;
}

// The text a user reads in the control (or, without a control, the window's title).
std::string ReadText(const std::string& title, const ControlSelector& selector, bool any) {
    const auto found = WindowsTitled(title);
    if (found.empty()) {
        Fail("there is no window titled \"" + title + "\"");
    }
    if (!any) {
        return ControlText(found.front());
    }
    const HWND control = FindControl(found.front(), selector);
    if (control == nullptr) {
        Fail("the window \"" + title + "\" has no " + selector.Describe() +
             "; its controls:" + ListControls(found.front()));
    }
    return IsClass(control, STATUSCLASSNAMEA) ? StatusBarText(control) : ControlText(control);
}

HWND FirstListView(const std::string& title, DWORD timeoutMs) {
    ControlSelector selector;
    selector.ByClass = true;
    selector.ClassName = WC_LISTVIEWA;
    HWND list = nullptr;
    WaitUntil(timeoutMs, [&] {
        const auto found = WindowsTitled(title);
        list = found.empty() ? nullptr : FindControl(found.front(), selector);
        return list != nullptr;
    });
    if (list == nullptr) {
        Fail("no list view in a window titled \"" + title + "\" after " +
             std::to_string(timeoutMs) + " ms");
    }
    return list;
}

// The character TranslateMessage makes of a key without Shift, for --char.
char CharacterOf(UINT key) {
    if ((key >= '0' && key <= '9')) {
        return static_cast<char>(key);
    }
    if (key >= 'A' && key <= 'Z') {
        return static_cast<char>(key - 'A' + 'a');
    }
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) {
        return static_cast<char>('0' + key - VK_NUMPAD0);
    }
    switch (key) {
    case VK_SPACE:
        return ' ';
    case VK_RETURN:
        return '\r';
    case VK_ESCAPE:
        return 27;
    case VK_BACK:
        return 8;
    case VK_TAB:
        return '\t';
    default:
        return 0;
    }
}

} // namespace

void Click(const Words& words) {
    const Arguments arguments(words, {}, {"--timeout", "--class", "--index", "--id"}, 1, 2);
    const ULONGLONG start = GetTickCount64();
    const HWND button =
        WaitForUsableControl(arguments.At(0), arguments.Selector(1, true), arguments.Timeout());
    Press(button, Remaining(start, arguments.Timeout()));
}

void Answer(const Words& words) {
    const Arguments arguments(words, {}, {"--timeout", "--contains"}, 2, 2);
    const std::string& title = arguments.At(0);
    const auto contains = arguments.Value("--contains");
    const ULONGLONG start = GetTickCount64();
    const DWORD timeoutMs = arguments.Timeout();
    ControlSelector selector;
    selector.ByCaption = true;
    selector.Caption = arguments.At(1);

    HWND dialog = nullptr;
    HWND button = nullptr;
    std::string text;
    std::string why = "there is no visible window titled \"" + title + "\"";
    WaitUntil(timeoutMs, [&] {
        for (HWND candidate : WindowsTitled(title)) {
            if (!IsWindowVisible(candidate)) {
                continue;
            }
            text = DialogText(candidate);
            button = FindControl(candidate, selector);
            if (button == nullptr) {
                why = "the dialog has no " + selector.Describe() +
                      "; its controls:" + ListControls(candidate);
            } else if (contains && text.find(*contains) == std::string::npos) {
                why = "the dialog does not say \"" + *contains + "\"; it says \"" + text + "\"";
            } else {
                dialog = candidate;
                return true;
            }
        }
        return false;
    });
    if (dialog == nullptr) {
        Fail(why + " (waited " + std::to_string(timeoutMs) + " ms)");
    }
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
    const HWND owner = GetWindow(dialog, GW_OWNER);
    Press(button, Remaining(start, timeoutMs));
    if (!WaitUntil(Remaining(start, timeoutMs),
                   [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); })) {
        Fail("the dialog \"" + title + "\" is still open after pressing " + selector.Describe());
    }
    // The code that opened the dialog goes on with the answer; the owner's next message
    // waits for that code to finish (or to open the next modal window).
    if (owner != nullptr && IsWindow(owner)) {
        Settle(owner, 1, Remaining(start, timeoutMs));
    }
}

void Key(const Words& words) {
    const Arguments arguments(words, {"--focused", "--char"}, {"--timeout"}, 2, 2);
    const ULONGLONG start = GetTickCount64();
    const HWND top = WaitForUsable(arguments.At(0), arguments.Timeout());
    const auto key = static_cast<UINT>(Number(arguments.At(1), "VK"));
    if (key == 0 || key > 0xFE) {
        BadUsage("VK must be a virtual-key code between 1 and 254");
    }
    HWND target = top;
    if (arguments.Flag("--focused")) {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &thread) ||
            thread.hwndFocus == nullptr ||
            (thread.hwndFocus != top && !IsChild(top, thread.hwndFocus))) {
            Fail("nothing in the window \"" + arguments.At(0) + "\" has the keyboard focus");
        }
        target = thread.hwndFocus;
    }
    const auto scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    std::vector<MSG> messages;
    messages.push_back({target, WM_KEYDOWN, key, 1 | scan, 0, {}});
    if (arguments.Flag("--char")) {
        const char character = CharacterOf(key);
        if (character == 0) {
            BadUsage("key " + std::to_string(key) + " makes no character");
        }
        messages.push_back({target,
                            WM_CHAR,
                            static_cast<WPARAM>(static_cast<unsigned char>(character)),
                            1 | scan,
                            0,
                            {}});
    }
    messages.push_back({target, WM_KEYUP, key, 1 | scan | (LPARAM{3} << 30), 0, {}});
    PostInput(messages, Remaining(start, arguments.Timeout()));
}

void MouseMove(const Words& words) {
    const Arguments arguments(words, {}, {"--timeout"}, 3, 3);
    const ULONGLONG start = GetTickCount64();
    HWND target = WaitForUsable(arguments.At(0), arguments.Timeout());
    POINT point{static_cast<LONG>(Number(arguments.At(1), "X")),
                static_cast<LONG>(Number(arguments.At(2), "Y"))};
    // The mouse speaks to the innermost window under the pointer.
    for (;;) {
        const HWND child =
            ChildWindowFromPointEx(target, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (child == nullptr || child == target) {
            break;
        }
        MapWindowPoints(target, child, &point, 1);
        target = child;
    }
    PostInput({{target, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y), 0, {}}},
              Remaining(start, arguments.Timeout()));
}

void Text(const Words& words) {
    const Arguments arguments(words, {}, {"--timeout", "--class", "--index", "--id", "--expect"}, 1,
                              2);
    const ControlSelector selector = arguments.Selector(1, false);
    const bool any = selector.ByCaption || selector.ByClass || selector.ById;
    const auto expected = arguments.Value("--expect");
    std::string text;
    std::string why;
    const bool read = WaitUntil(arguments.Timeout(), [&] {
        try {
            text = ReadText(arguments.At(0), selector, any);
        } catch (const Failure& failure) {
            why = failure.what();
            return false;
        }
        why = "it reads \"" + text + "\", not \"" + expected.value_or("") + "\"";
        return !expected || text == *expected;
    });
    if (!read) {
        Fail(why + " (waited " + std::to_string(arguments.Timeout()) + " ms)");
    }
    std::printf("%s\n", text.c_str());
}

void State(const Words& words) {
    const Arguments arguments(words, {}, {"--timeout", "--class", "--index", "--id"}, 1, 2);
    const ControlSelector selector = arguments.Selector(1, true);
    HWND control = nullptr;
    WaitUntil(arguments.Timeout(), [&] {
        const auto found = WindowsTitled(arguments.At(0));
        control = found.empty() ? nullptr : FindControl(found.front(), selector);
        return control != nullptr;
    });
    if (control == nullptr) {
        Fail("no window \"" + arguments.At(0) + "\" with " + selector.Describe());
    }
    std::string state = IsWindowVisible(control) ? "visible" : "hidden";
    state += IsWindowEnabled(control) ? " enabled" : " disabled";
    const auto type = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE)) & BS_TYPEMASK;
    if (IsClass(control, WC_BUTTONA) &&
        (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
         type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)) {
        DWORD_PTR check = 0;
        SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_NORMAL, arguments.Timeout(), &check);
        state += check == BST_CHECKED     ? " checked"
                 : check == BST_UNCHECKED ? " unchecked"
                                          : " indeterminate";
    }
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(control, nullptr), &thread) &&
        thread.hwndFocus == control) {
        state += " focused";
    }
    std::printf("%s\n", state.c_str());
}

void Cells(const Words& words) {
    const Arguments arguments(words, {"--header", "--selected"}, {"--timeout"}, 1, 1);
    const HWND list = FirstListView(arguments.At(0), arguments.Timeout());
    const auto print = [](const std::vector<std::string>& line) {
        std::string joined;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (i > 0) {
                joined += '\t';
            }
            joined += line[i];
        }
        std::printf("%s\n", joined.c_str());
    };
    if (arguments.Flag("--header")) {
        print(ListViewHeader(list));
    }
    for (const auto& row : ListViewRows(list, arguments.Flag("--selected"))) {
        print(row);
    }
}

void SelectRow(const Words& words) {
    const Arguments arguments(words, {}, {"--timeout"}, 2, 2);
    const ULONGLONG start = GetTickCount64();
    const HWND list = FirstListView(arguments.At(0), arguments.Timeout());
    SelectListViewRow(list, static_cast<int>(Number(arguments.At(1), "ROW")),
                      Remaining(start, arguments.Timeout()));
}

} // namespace windriver
