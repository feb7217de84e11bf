// A small window for the driver's self-test, with the kinds of controls and dialogs
// the program shows:
//   TestWindow [EXIT_CODE [hidden]]
// "Driver Test" holds a default button "&Press" (it asks "Confirm" in a message box),
// a check box "&Remember", a disabled button "&Later", a report list view with two
// rows, and a status bar in simple mode that reports each event. Message 1025 acts as
// a tray callback: lParam 515 (double-click) and 516 (right button down, which opens a
// pop-up menu as the program's tray does). Closing the window ends the program with
// EXIT_CODE (0 by default). With "hidden" the window stays hidden, as the program's
// main window does while it sits in the tray.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int PressId = 101;
constexpr int RememberId = 102;
constexpr int LaterId = 103;
constexpr int ListId = 104;
constexpr int StatusId = 105;
constexpr UINT TrayMessage = WM_USER + 1;
constexpr UINT ShowCommand = 201;
constexpr UINT CheckedCommand = 202;
constexpr UINT DisabledCommand = 203;
constexpr UINT ExitCommand = 204;

// What the window keeps; it lives in WinMain and the window finds it in its user data.
struct TestState {
    HWND Status = nullptr;
    HWND LastFocus = nullptr;
    UINT TaskbarCreated = 0;
    int ExitCode = 0;
};

TestState& StateOf(HWND window) {
    return *reinterpret_cast<TestState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void Report(HWND window, const std::string& text) {
    SendMessageA(StateOf(window).Status, SB_SETTEXTA, SB_SIMPLEID,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

HWND AddControl(HWND parent, const char* className, const char* text, DWORD style, int id, int x,
                int y, int width, int height) {
    const HWND control = CreateWindowExA(
        0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return control;
}

void AddColumn(HWND list, int index, const char* title) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 100;
    column.pszText = const_cast<char*>(title);
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
}

void AddRow(HWND list, int row, const char* mode, const char* rate) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(mode);
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = const_cast<char*>(rate);
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void Build(HWND window) {
    const HWND press = AddControl(window, WC_BUTTONA, "&Press", WS_TABSTOP | BS_DEFPUSHBUTTON,
                                  PressId, 10, 10, 90, 26);
    AddControl(window, WC_BUTTONA, "&Remember", WS_TABSTOP | BS_AUTOCHECKBOX, RememberId, 110, 10,
               110, 26);
    const HWND later = AddControl(window, WC_BUTTONA, "&Later", WS_TABSTOP | BS_PUSHBUTTON, LaterId,
                                  230, 10, 90, 26);
    EnableWindow(later, FALSE);
    const HWND list =
        AddControl(window, WC_LISTVIEWA, "",
                   WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, ListId,
                   10, 46, 300, 120);
    AddColumn(list, 0, "Mode");
    AddColumn(list, 1, "Rate");
    AddRow(list, 0, "640x480", "60 Hz");
    AddRow(list, 1, "800x600", "75 Hz");
    const HWND status = AddControl(window, STATUSCLASSNAMEA, "", 0, StatusId, 0, 0, 0, 0);
    StateOf(window).Status = status;
    SendMessageA(status, SB_SIMPLE, TRUE, 0);
    Report(window, "Ready");
    SetFocus(press);
    StateOf(window).LastFocus = press;
}

void ShowTrayMenu(HWND window) {
    const HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, ShowCommand, "&Show");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | MF_CHECKED, CheckedCommand, "&Checked");
    AppendMenuA(menu, MF_STRING | MF_GRAYED, DisabledCommand, "&Disabled");
    AppendMenuA(menu, MF_STRING, ExitCommand, "E&xit");
    SetMenuDefaultItem(menu, ShowCommand, FALSE);
    POINT at{};
    GetCursorPos(&at);
    // As the program does: the owner in front, so that a click elsewhere closes the
    // menu, and a posted message after it.
    SetForegroundWindow(window);
    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr));
    PostMessageA(window, WM_NULL, 0, 0);
    char text[64] = "";
    GetMenuStringA(menu, chosen, text, sizeof text, MF_BYCOMMAND);
    DestroyMenu(menu);
    if (chosen == ExitCommand) {
        DestroyWindow(window);
        return;
    }
    Report(window, chosen == 0 ? "Menu: none" : std::string("Menu: ") + text);
}

void Command(HWND window, int id, int code) {
    if (id == PressId && code == BN_CLICKED) {
        const int answer = MessageBoxA(window, "Press the button for real?", "Confirm",
                                       MB_OKCANCEL | MB_ICONQUESTION);
        Report(window, answer == IDOK ? "Pressed: OK" : "Pressed: Cancel");
    } else if (id == RememberId && code == BN_CLICKED) {
        const bool on = SendDlgItemMessageA(window, RememberId, BM_GETCHECK, 0, 0) == BST_CHECKED;
        Report(window, on ? "Remember: on" : "Remember: off");
    } else if (id == IDCANCEL) {
        Report(window, "Escape");
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (GetWindowLongPtrA(window, GWLP_USERDATA) == 0) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == StateOf(window).TaskbarCreated) {
        Report(window, "TaskbarCreated");
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        Build(window);
        return 0;
    case WM_SIZE:
        SendMessageA(StateOf(window).Status, WM_SIZE, 0, 0);
        return 0;
    case WM_ACTIVATE: {
        // As the program's forms do, the focus comes back to the control that had it
        // before a message box took it away.
        HWND& last = StateOf(window).LastFocus;
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            last = IsChild(window, focus) ? focus : last;
        } else if (last != nullptr && IsWindow(last)) {
            SetFocus(last);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    case WM_COMMAND:
        Command(window, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (change->hdr.idFrom == ListId && change->hdr.code == LVN_ITEMCHANGED &&
            (change->uNewState & LVIS_SELECTED) != 0 && (change->uOldState & LVIS_SELECTED) == 0) {
            Report(window, "Row " + std::to_string(change->iItem));
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        Report(window, "Mouse " + std::to_string(static_cast<short>(LOWORD(lParam))) + "," +
                           std::to_string(static_cast<short>(HIWORD(lParam))));
        return 0;
    case TrayMessage:
        if (lParam == WM_LBUTTONDBLCLK) {
            Report(window, "Double-click");
        } else if (lParam == WM_RBUTTONDOWN) {
            ShowTrayMenu(window);
        }
        return lParam;
    case WM_DESTROY:
        PostQuitMessage(StateOf(window).ExitCode);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    TestState state;
    state.ExitCode = std::atoi(commandLine);
    state.TaskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = "TavelmorindDriverTest";
    RegisterClassExA(&windowClass);
    // Away from the screen's centre, where the X pointer rests: the pointer's own
    // motion must not overwrite the status line.
    const HWND window =
        CreateWindowExA(0, windowClass.lpszClassName, "Driver Test", WS_OVERLAPPEDWINDOW, 0, 0, 420,
                        260, nullptr, nullptr, instance, &state);
    if (std::strstr(commandLine, "hidden") == nullptr) {
        ShowWindow(window, SW_SHOW);
    }

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Tab, Enter and Escape work as in a dialog, as in the program's windows.
        if (!IsDialogMessageA(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
