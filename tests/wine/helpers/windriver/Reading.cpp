#include "windriver/Reading.h"

#include "windriver/Input.h"
#include "windriver/Remote.h"
#include "windriver/Windows.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>

namespace windriver {

namespace {

constexpr std::size_t TextCapacity = 4096;

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, DefaultTimeoutMs,
                             &result)) {
        Fail("the window " + Hex(window) + " did not answer message " + std::to_string(message));
    }
    return static_cast<LRESULT>(result);
}

// A call's int or BOOL result: only the low 32 bits of the register are its value.
int IntResult(std::uintptr_t result) {
    return static_cast<int>(static_cast<std::uint32_t>(result));
}

std::string ReadText(const RemoteMemory& memory, std::size_t offset, std::size_t length) {
    std::string text(std::min(length, TextCapacity - 1), '\0');
    memory.Read(offset, text.data(), text.size());
    return text.substr(0, text.find('\0'));
}

} // namespace

std::string StatusBarText(HWND bar) {
    const bool simple = Ask(bar, SB_ISSIMPLE, 0, 0) != 0;
    // In simple mode part 0 reads the simple text.
    const int parts = simple ? 1 : std::max(1, static_cast<int>(Ask(bar, SB_GETPARTS, 0, 0)));
    RemoteMemory buffer(bar, TextCapacity);
    std::string text;
    for (int part = 0; part < parts; ++part) {
        const auto length = static_cast<std::size_t>(LOWORD(Ask(bar, SB_GETTEXTLENGTHA, part, 0)));
        const char empty = '\0';
        buffer.Write(0, &empty, 1);
        if (length >= TextCapacity) {
            Fail("part " + std::to_string(part) + " of the status bar is too long to read");
        }
        Ask(bar, SB_GETTEXTA, static_cast<WPARAM>(part), static_cast<LPARAM>(buffer.Address()));
        if (part > 0) {
            text += '\t';
        }
        text += ReadText(buffer, 0, length);
    }
    return text;
}

std::vector<std::string> ListViewHeader(HWND list) {
    RemoteMemory memory(list, sizeof(LVCOLUMNA) + TextCapacity);
    std::vector<std::string> header;
    for (int column = 0; column < 256; ++column) {
        LVCOLUMNA request{};
        request.mask = LVCF_TEXT;
        request.pszText = reinterpret_cast<LPSTR>(memory.Address(sizeof request));
        request.cchTextMax = static_cast<int>(TextCapacity);
        memory.Write(0, &request, sizeof request);
        const char empty = '\0';
        memory.Write(sizeof request, &empty, 1);
        if (Ask(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column),
                static_cast<LPARAM>(memory.Address())) == 0) {
            break;
        }
        header.push_back(ReadText(memory, sizeof request, TextCapacity));
    }
    return header;
}

std::vector<std::vector<std::string>> ListViewRows(HWND list, bool selectedOnly) {
    const auto columns = std::max<std::size_t>(1, ListViewHeader(list).size());
    const auto rows = static_cast<int>(Ask(list, LVM_GETITEMCOUNT, 0, 0));
    RemoteMemory memory(list, sizeof(LVITEMA) + TextCapacity);
    std::vector<std::vector<std::string>> cells;
    for (int row = 0; row < rows; ++row) {
        if (selectedOnly && (Ask(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) &
                             LVIS_SELECTED) == 0) {
            continue;
        }
        std::vector<std::string> line;
        for (std::size_t column = 0; column < columns; ++column) {
            LVITEMA request{};
            request.iSubItem = static_cast<int>(column);
            request.pszText = reinterpret_cast<LPSTR>(memory.Address(sizeof request));
            request.cchTextMax = static_cast<int>(TextCapacity);
            memory.Write(0, &request, sizeof request);
            const auto length =
                static_cast<std::size_t>(Ask(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                             static_cast<LPARAM>(memory.Address())));
            line.push_back(ReadText(memory, sizeof request, length));
        }
        cells.push_back(std::move(line));
    }
    return cells;
}

void SelectListViewRow(HWND list, int row, DWORD timeoutMs) {
    const auto rows = static_cast<int>(Ask(list, LVM_GETITEMCOUNT, 0, 0));
    if (row < 0 || row >= rows) {
        Fail("the list has " + std::to_string(rows) + " rows; there is no row " +
             std::to_string(row));
    }
    RemoteMemory memory(list, sizeof(LVITEMA));
    // A click on a row leaves only that row selected.
    LVITEMA clear{};
    clear.stateMask = LVIS_SELECTED;
    memory.Write(0, &clear, sizeof clear);
    Deliver(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), static_cast<LPARAM>(memory.Address()),
            timeoutMs);
    LVITEMA select{};
    select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    select.state = LVIS_SELECTED | LVIS_FOCUSED;
    memory.Write(0, &select, sizeof select);
    Deliver(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), static_cast<LPARAM>(memory.Address()),
            timeoutMs);
    Ask(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

std::vector<MenuItem> PopupMenuItems(HWND menuWindow) {
    const auto menu = reinterpret_cast<HMENU>(Ask(menuWindow, MN_GETHMENU, 0, 0));
    if (menu == nullptr) {
        Fail("the menu window " + Hex(menuWindow) + " reports no menu");
    }
    constexpr UINT Fields = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
    std::vector<MenuItem> items;

    int count = GetMenuItemCount(menu);
    if (count >= 0) {
        for (int position = 0; position < count; ++position) {
            std::string text(TextCapacity, '\0');
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = Fields;
            info.dwTypeData = text.data();
            info.cch = static_cast<UINT>(text.size());
            if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) {
                Fail("cannot read item " + std::to_string(position) + " of the menu");
            }
            items.push_back({text.substr(0, text.find('\0')), info.fType, info.fState, info.wID,
                             info.hSubMenu != nullptr});
        }
        return items;
    }

    const auto handle = reinterpret_cast<std::uintptr_t>(menu);
    count = IntResult(CallInProcess(menuWindow, "user32.dll", "GetMenuItemCount", handle));
    if (count < 0) {
        Fail("the menu " + Hex(menu) + " of window " + Hex(menuWindow) + " cannot be read");
    }
    RemoteMemory memory(menuWindow, sizeof(MENUITEMINFOA) + TextCapacity);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = Fields;
        info.dwTypeData = reinterpret_cast<LPSTR>(memory.Address(sizeof info));
        info.cch = static_cast<UINT>(TextCapacity);
        memory.Write(0, &info, sizeof info);
        const char empty = '\0';
        memory.Write(sizeof info, &empty, 1);
        if (IntResult(CallInProcess(menuWindow, "user32.dll", "GetMenuItemInfoA", handle,
                                    static_cast<std::uintptr_t>(position), TRUE,
                                    memory.Address())) == 0) {
            Fail("cannot read item " + std::to_string(position) + " of the menu");
        }
        memory.Read(0, &info, sizeof info);
        items.push_back({ReadText(memory, sizeof info, TextCapacity), info.fType, info.fState,
                         info.wID, info.hSubMenu != nullptr});
    }
    return items;
}

} // namespace windriver
