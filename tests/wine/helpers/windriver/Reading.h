#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace windriver {

// A status bar's text: the simple text in simple mode, else its parts joined by tabs.
std::string StatusBarText(HWND bar);

// The column titles of a report list view, and its rows' cells (all rows, or only the
// selected ones).
std::vector<std::string> ListViewHeader(HWND list);
std::vector<std::vector<std::string>> ListViewRows(HWND list, bool selectedOnly);

// Selects and focuses `row` as a click on it does, and brings it into view.
void SelectListViewRow(HWND list, int row, DWORD timeoutMs);

struct MenuItem {
    std::string Text;
    UINT Type = 0;
    UINT State = 0;
    UINT Id = 0;
    bool Submenu = false;

    bool Separator() const { return (Type & MFT_SEPARATOR) != 0; }
    bool Disabled() const { return (State & MFS_DISABLED) != 0; }
    bool Checked() const { return (State & MFS_CHECKED) != 0; }
};

// The items of the menu a pop-up menu window ("#32768") shows.
std::vector<MenuItem> PopupMenuItems(HWND menuWindow);

} // namespace windriver
