#include "platform/win32/Win32Tray.h"

#include "platform/win32/Win32Dpi.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace tvm {

// The first form of the record ends after a tip of 64 characters.
static_assert(TrayIconData::TipCapacity == 64, "the first form's tip holds 64 characters");
static_assert(NOTIFYICONDATAA_V1_SIZE == offsetof(NOTIFYICONDATAA, szTip) + 64,
              "the first form ends with its tip");
static_assert(TrayIconData::Flags == (NIF_MESSAGE | NIF_ICON | NIF_TIP) &&
                  TrayIconData::CallbackMessage == WM_USER + 1 &&
                  TrayIconData::LeftDoubleClick == WM_LBUTTONDBLCLK &&
                  TrayIconData::RightButtonDown == WM_RBUTTONDOWN,
              "the portable tray numbers are Windows' own");

NOTIFYICONDATAA Win32Tray::Record(const TrayIconData& data) const {
    NOTIFYICONDATAA record{};
    // The first form of the record: the shell reads no field past the tip.
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = Win32Toolkit::Handle(owner_);
    record.uID = TrayIconData::ID;
    record.uFlags = TrayIconData::Flags;
    record.uCallbackMessage = TrayIconData::CallbackMessage;
    record.hIcon = icons_[static_cast<std::size_t>(data.Picture)];
    const std::size_t length = std::min(data.Tip.size(), TrayIconData::TipCapacity - 1);
    std::memcpy(record.szTip, data.Tip.data(), length);
    record.szTip[length] = '\0';
    return record;
}

bool Win32Tray::Add(const TrayIconData& data) {
    NOTIFYICONDATAA record = Record(data);
    // NIM_ADD fails for an icon the shell still has, after a "TaskbarCreated" that lost
    // nothing; that icon is brought up to date instead.
    return Shell_NotifyIconA(NIM_ADD, &record) != FALSE ||
           Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

void Win32Tray::Modify(const TrayIconData& data) {
    NOTIFYICONDATAA record = Record(data);
    Shell_NotifyIconA(NIM_MODIFY, &record);
}

void Win32Tray::Delete(const TrayIconData& data) {
    NOTIFYICONDATAA record = Record(data);
    Shell_NotifyIconA(NIM_DELETE, &record);
}

void Win32Tray::ShowMenu(TMenu& menu) {
    POINT cursor{};
    GetCursorPos(&cursor);
    toolkit_.Popup(menu, owner_, cursor.x, cursor.y);
}

Win32Tray::OwnedIcons Win32Tray::LoadIcons(int starting, int enabled, int disabled) {
    const HINSTANCE module = GetModuleHandleA(nullptr);
    // The notification area shows small icons at the primary monitor's DPI.
    const int size = SystemMetricForDpi(SM_CXSMICON, SystemDpi());
    // Not LR_SHARED: each icon is a copy of our own, to be destroyed.
    auto load = [&](int id) {
        return OwnedIcon(static_cast<HICON>(
            LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    };
    return OwnedIcons{load(starting), load(enabled), load(disabled)};
}

Win32Tray::Icons Win32Tray::Handles(const OwnedIcons& icons) {
    return Icons{icons[0].get(), icons[1].get(), icons[2].get()};
}

} // namespace tvm
