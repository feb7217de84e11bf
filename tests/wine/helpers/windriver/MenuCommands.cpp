#include "windriver/Arguments.h"
#include "windriver/CommandSet.h"
#include "windriver/Input.h"
#include "windriver/Reading.h"
#include "windriver/Windows.h"

#include <cstdio>
#include <optional>

namespace windriver {

namespace {

constexpr const char* MenuClass = "#32768";

// The open pop-up menu, of the process that owns the window `ownerTitle` if one is
// given. A submenu opens above its parent, so the first one found is the innermost.
HWND OpenMenu(const std::optional<std::string>& ownerTitle) {
    DWORD ownerProcess = 0;
    if (ownerTitle) {
        const auto owners = WindowsTitled(*ownerTitle);
        if (owners.empty()) {
            return nullptr;
        }
        GetWindowThreadProcessId(owners.front(), &ownerProcess);
    }
    for (HWND window : TopLevelWindows()) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (IsWindowVisible(window) && ClassOf(window) == MenuClass &&
            (ownerProcess == 0 || process == ownerProcess)) {
            return window;
        }
    }
    return nullptr;
}

HWND WaitForMenu(const std::optional<std::string>& ownerTitle, DWORD timeoutMs) {
    HWND menu = nullptr;
    WaitUntil(timeoutMs, [&] {
        menu = OpenMenu(ownerTitle);
        return menu != nullptr;
    });
    if (menu == nullptr) {
        Fail("no pop-up menu is open" +
             (ownerTitle ? " in the process of \"" + *ownerTitle + "\"" : std::string()) +
             " after " + std::to_string(timeoutMs) + " ms");
    }
    return menu;
}

std::string Describe(const MenuItem& item) {
    if (item.Separator()) {
        return "-";
    }
    std::string line = (item.Checked() ? "[x] " : "[ ] ") + item.Text;
    if (item.Disabled()) {
        line += " (disabled)";
    }
    if ((item.State & MFS_DEFAULT) != 0) {
        line += " (default)";
    }
    if (item.Submenu) {
        line += " >";
    }
    return line;
}

std::string DescribeAll(const std::vector<MenuItem>& items) {
    std::string all;
    for (const MenuItem& item : items) {
        all += all.empty() ? Describe(item) : " | " + Describe(item);
    }
    return all;
}

MSG KeyMessage(HWND window, UINT message, UINT key) {
    const auto scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    const LPARAM up = message == WM_KEYUP ? LPARAM{3} << 30 : 0;
    return {window, message, key, 1 | scan | up, 0, {}};
}

void PressKey(std::vector<MSG>& messages, HWND window, UINT key) {
    messages.push_back(KeyMessage(window, WM_KEYDOWN, key));
    messages.push_back(KeyMessage(window, WM_KEYUP, key));
}

} // namespace

void MenuItems(const Words& words) {
    const Arguments arguments(words, {}, {"--timeout"}, 0, 1);
    std::optional<std::string> owner;
    if (arguments.Count() == 1) {
        owner = arguments.At(0);
    }
    for (const MenuItem& item : PopupMenuItems(WaitForMenu(owner, arguments.Timeout()))) {
        std::printf("%s\n", Describe(item).c_str());
    }
}

void MenuChoose(const Words& words) {
    const Arguments arguments(words, {}, {"--timeout", "--owner"}, 1, 1);
    const std::string& text = arguments.At(0);
    const ULONGLONG start = GetTickCount64();
    const DWORD timeoutMs = arguments.Timeout();

    HWND menu = nullptr;
    std::vector<MenuItem> items;
    std::size_t position = 0;
    const bool found = WaitUntil(timeoutMs, [&] {
        menu = OpenMenu(arguments.Value("--owner"));
        if (menu == nullptr) {
            return false;
        }
        items = PopupMenuItems(menu);
        for (position = 0; position < items.size(); ++position) {
            if (!items[position].Separator() && items[position].Text == text) {
                return true;
            }
        }
        return false;
    });
    if (!found) {
        Fail(menu == nullptr ? "no pop-up menu is open after " + std::to_string(timeoutMs) + " ms"
                             : "the menu has no item \"" + text + "\": " + DescribeAll(items));
    }
    const MenuItem& item = items[position];
    if (item.Disabled()) {
        Fail("the item \"" + text + "\" is disabled");
    }

    // Home selects the first item that is no separator, Down the next such item, and
    // Enter chooses the selected one (Right opens a submenu, whose items the next
    // menu-choose then finds); the menu's own loop reads these keys whichever of its
    // thread's windows they are posted to.
    std::vector<MSG> keys;
    PressKey(keys, menu, VK_HOME);
    for (std::size_t before = 0; before < position; ++before) {
        if (!items[before].Separator()) {
            PressKey(keys, menu, VK_DOWN);
        }
    }
    PressKey(keys, menu, item.Submenu ? VK_RIGHT : VK_RETURN);
    const HWND owner = GetWindow(menu, GW_OWNER);
    PostInput(keys, Remaining(start, timeoutMs));
    if (item.Submenu) {
        if (!WaitUntil(Remaining(start, timeoutMs), [&] {
                const HWND open = OpenMenu(arguments.Value("--owner"));
                return open != nullptr && open != menu;
            })) {
            Fail("the submenu of \"" + text + "\" did not open");
        }
        return;
    }
    if (!WaitUntil(Remaining(start, timeoutMs),
                   [&] { return !IsWindow(menu) || !IsWindowVisible(menu); })) {
        Fail("the menu is still open after choosing \"" + text + "\"");
    }
    if (owner != nullptr && IsWindow(owner)) {
        Settle(owner, 2, Remaining(start, timeoutMs));
    }
}

} // namespace windriver
