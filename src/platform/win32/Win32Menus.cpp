#include "platform/win32/Win32Menus.h"

#include <string>

namespace tvm {

Win32Menus::~Win32Menus() = default;

HMENU Win32Menus::CreateBar(TMenu& menu) {
    const HMENU bar = CreateMenu();
    sources_[bar] = &menu;
    Fill(bar, menu);
    return bar;
}

HMENU Win32Menus::CreatePopup(TMenuItem& menu) {
    const HMENU popup = CreatePopupMenu();
    sources_[popup] = &menu;
    Fill(popup, menu);
    return popup;
}

void Win32Menus::DestroyPopup(HMENU popup) {
    Forget(popup);
    DestroyMenu(popup);
}

bool Win32Menus::Refresh(HMENU menu) {
    const auto found = sources_.find(menu);
    if (found == sources_.end()) {
        return false;
    }
    TMenuItem& source = *found->second;
    Clear(menu);
    Fill(menu, source);
    return true;
}

void Win32Menus::RefreshBar(HMENU bar) {
    const auto found = sources_.find(bar);
    if (found == sources_.end()) {
        return;
    }
    TMenuItem& source = *found->second;
    if (GetMenuItemCount(bar) != static_cast<int>(source.Count())) {
        Refresh(bar);
        return;
    }
    for (std::size_t i = 0; i < source.Count(); ++i) {
        MENUITEMINFOA info{};
        std::string text;
        Describe(source[i], info, text);
        // The submenu handles stay: they fill themselves when they open.
        info.fMask &= ~static_cast<UINT>(MIIM_SUBMENU);
        SetMenuItemInfoA(bar, static_cast<UINT>(i), TRUE, &info);
    }
}

TMenuItem* Win32Menus::Item(UINT id) const {
    if (id < FirstId || id - FirstId >= items_.size()) {
        return nullptr;
    }
    return items_[id - FirstId];
}

void Win32Menus::Fill(HMENU menu, TMenuItem& source) {
    for (std::size_t i = 0; i < source.Count(); ++i) {
        MENUITEMINFOA info{};
        std::string text;
        Describe(source[i], info, text);
        InsertMenuItemA(menu, static_cast<UINT>(i), TRUE, &info);
    }
}

void Win32Menus::Describe(TMenuItem& item, MENUITEMINFOA& info, std::string& text) {
    info.cbSize = sizeof info;
    if (item.IsSeparator()) {
        info.fMask = MIIM_FTYPE;
        info.fType = MFT_SEPARATOR;
        return;
    }
    text = item.Caption();
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
    info.fType = item.RadioItem ? MFT_RADIOCHECK : 0;
    info.fState = (item.Checked ? MFS_CHECKED : 0) | (item.Enabled ? 0 : MFS_DISABLED) |
                  (item.Default ? MFS_DEFAULT : 0);
    info.wID = IdOf(item);
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    if (item.Count() > 0) {
        info.hSubMenu = CreatePopupMenu();
        sources_[info.hSubMenu] = &item;
        Fill(info.hSubMenu, item);
    }
}

void Win32Menus::Forget(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (const HMENU sub = GetSubMenu(menu, i)) {
            Forget(sub);
        }
    }
    sources_.erase(menu);
}

void Win32Menus::Clear(HMENU menu) {
    while (GetMenuItemCount(menu) > 0) {
        if (const HMENU sub = GetSubMenu(menu, 0)) {
            Forget(sub);
        }
        // DeleteMenu destroys the submenu with the item.
        DeleteMenu(menu, 0, MF_BYPOSITION);
    }
}

UINT Win32Menus::IdOf(TMenuItem& item) {
    const auto found = ids_.find(&item);
    if (found != ids_.end()) {
        return found->second;
    }
    const UINT id = FirstId + static_cast<UINT>(items_.size());
    items_.push_back(&item);
    ids_[&item] = id;
    return id;
}

} // namespace tvm
