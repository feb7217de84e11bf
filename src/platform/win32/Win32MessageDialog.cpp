#include "platform/win32/Win32MessageDialog.h"

#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32Font.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace tvm {

namespace {

// Sizes in the layout's 96-DPI pixels for the 11-pixel face, as the original toolkit's
// message dialog lays itself out in dialog units; the dialog scales them to its DPI.
constexpr int Margin = 12;
constexpr int IconSize = 32;
constexpr int IconGap = 12;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 23;
constexpr int ButtonGap = 6;
constexpr int TextToButtons = 13;
constexpr int TextId = 100;

struct DialogState {
    const MessageDialogSpec& Spec;
    DialogFonts& Fonts;
    ModalResult Result;
    bool Done = false;
    // A control could not be made: the dialog goes at once, as one that could not be
    // made at all.
    bool Failed = false;
    HFONT Font = nullptr;
    OwnedIcon Icon{}; // a scaled copy of the system's icon, when it is one
};

// The system's icon at `size` pixels. The shared icon when the system's icon size is
// that size (so at 96 DPI) or when comctl32 lacks the scaling loader (before Windows
// Vista); else one of its own, which `owned` takes.
HICON LoadSystemIcon(const char* icon, int size, OwnedIcon& owned) {
    using LoadFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
    const HMODULE comctl = GetModuleHandleA("comctl32.dll");
    if (comctl != nullptr && SystemMetricForDpi(SM_CXICON, SystemDpi()) != size) {
        const auto load = reinterpret_cast<LoadFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(comctl, "LoadIconWithScaleDown")));
        HICON scaled = nullptr;
        if (load != nullptr &&
            SUCCEEDED(load(nullptr, reinterpret_cast<PCWSTR>(icon), size, size, &scaled))) {
            owned.reset(scaled);
            return scaled;
        }
    }
    return LoadIconA(nullptr, icon);
}

void Answer(HWND dialog, DialogState& state, ModalResult result) {
    state.Result = result;
    state.Done = true;
    // An answer sent from another thread or program (automation, accessibility tools)
    // is handled inside GetMessage, which returns only for a posted message.
    PostMessageA(dialog, WM_NULL, 0, 0);
}

HWND AddControl(HWND dialog, HFONT font, const char* className, const char* text, DWORD style,
                int id, int left, int top, int width, int height) {
    const HWND control = CreateWindowExA(
        0, className, text, WS_CHILD | WS_VISIBLE | style, left, top, width, height, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (control != nullptr) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return control;
}

// False when a control could not be made.
bool Build(HWND dialog, DialogState& state) {
    const MessageDialogSpec& spec = state.Spec;
    SetWindowTextA(dialog, spec.Title.c_str());
    const UINT dpi = WindowDpi(dialog);
    state.Font = state.Fonts.At(dpi);
    SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(state.Font), FALSE);
    const auto scale = [dpi](int length) { return ScaleToDpi(length, dpi); };
    const int margin = scale(Margin);
    const int iconSize = scale(IconSize);
    const int iconGap = scale(IconGap);
    const int buttonWidth = scale(ButtonWidth);
    const int buttonHeight = scale(ButtonHeight);
    const int buttonGap = scale(ButtonGap);

    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const SIZE text = MeasureText(state.Font, spec.Text, screenWidth / 2, true);
    const int count = static_cast<int>(spec.Buttons.size());
    const int buttonsWidth = count * buttonWidth + (count - 1) * buttonGap;
    const int contentWidth = iconSize + iconGap + static_cast<int>(text.cx);
    const int clientWidth = std::max(contentWidth, buttonsWidth) + 2 * margin;
    const int bodyHeight = std::max(iconSize, static_cast<int>(text.cy));
    const int buttonsTop = margin + bodyHeight + scale(TextToButtons);
    const int clientHeight = buttonsTop + buttonHeight + margin;

    const HWND icon = AddControl(dialog, state.Font, WC_STATICA, "", SS_ICON, -1, margin, margin,
                                 iconSize, iconSize);
    const HWND body =
        AddControl(dialog, state.Font, WC_STATICA, spec.Text.c_str(), SS_LEFT | SS_NOPREFIX, TextId,
                   margin + iconSize + iconGap, margin, text.cx, text.cy);
    if (icon == nullptr || body == nullptr) {
        return false;
    }
    const HICON picture = LoadSystemIcon(spec.Icon, iconSize, state.Icon);
    SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(picture), 0);

    int left = (clientWidth - buttonsWidth) / 2;
    HWND first = nullptr;
    for (const MessageDialogButton& button : spec.Buttons) {
        const DWORD style = WS_TABSTOP | (first == nullptr ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                            (first == nullptr ? WS_GROUP : 0);
        const HWND made = AddControl(dialog, state.Font, WC_BUTTONA, button.Caption, style,
                                     button.Id, left, buttonsTop, buttonWidth, buttonHeight);
        if (made == nullptr) {
            return false;
        }
        if (first == nullptr) {
            first = made;
            SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(button.Id), 0);
        }
        left += buttonWidth + buttonGap;
    }

    const RECT frame =
        FrameForClient(RECT{0, 0, clientWidth, clientHeight},
                       static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), false,
                       static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)), dpi);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(dialog, nullptr, (screenWidth - width) / 2, (screenHeight - height) / 2, width,
                 height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetFocus(first);
    return true;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        auto& state = *reinterpret_cast<DialogState*>(lParam);
        state.Failed = !Build(dialog, state);
        return FALSE; // the focus is set
    }
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (state == nullptr) {
        return FALSE;
    }
    switch (message) {
    case WM_COMMAND: {
        if (HIWORD(wParam) != BN_CLICKED) {
            return FALSE;
        }
        const int id = LOWORD(wParam);
        for (const MessageDialogButton& button : state->Spec.Buttons) {
            if (button.Id == id) {
                Answer(dialog, *state, button.Result);
                return TRUE;
            }
        }
        if (id == IDCANCEL) {
            Answer(dialog, *state, state->Spec.EscapeResult);
        }
        return TRUE;
    }
    case WM_CLOSE:
        Answer(dialog, *state, state->Spec.CloseResult);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CALLBACK CollectEnabled(HWND window, LPARAM data) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    }
    return TRUE;
}

} // namespace

ModalResult RunMessageDialog(const MessageDialogSpec& spec, DialogFonts& fonts) {
    // An empty template of the system's dialog class: the dialog manager brings the
    // default button, Escape and the focus handling; the controls are added here.
    alignas(DWORD) std::array<WORD, 16> layout{};
    DLGTEMPLATE header{};
    header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    std::memcpy(layout.data(), &header, sizeof header);

    const HWND owner = GetActiveWindow();
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), &CollectEnabled, reinterpret_cast<LPARAM>(&disabled));

    DialogState state{spec, fonts, spec.CloseResult};
    const HWND dialog = CreateDialogIndirectParamA(
        GetModuleHandleA(nullptr), reinterpret_cast<const DLGTEMPLATE*>(layout.data()), owner,
        &DialogProc, reinterpret_cast<LPARAM>(&state));
    if (dialog == nullptr) {
        return spec.CloseResult;
    }
    if (state.Failed) {
        DestroyWindow(dialog);
        return spec.CloseResult;
    }
    for (HWND window : disabled) {
        EnableWindow(window, FALSE);
    }
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);

    MSG message;
    while (!state.Done) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            // WM_QUIT is for the outer loop too.
            if (got == 0) {
                PostQuitMessage(static_cast<int>(message.wParam));
            }
            break;
        }
        if (!IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

    // Enabled again before the dialog goes, so that the activation returns to them.
    for (HWND window : disabled) {
        if (IsWindow(window)) {
            EnableWindow(window, TRUE);
        }
    }
    DestroyWindow(dialog);
    if (owner != nullptr && IsWindow(owner)) {
        SetActiveWindow(owner);
    }
    return state.Result;
}

} // namespace tvm
