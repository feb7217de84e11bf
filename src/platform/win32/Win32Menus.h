#pragma once

#include "ui/widgets/Menus.h"

#include <windows.h>

#include <map>
#include <vector>

namespace tvm {

// Native menus made from the model's menu items. The items' state lives in plain
// fields of the model, so a menu is filled afresh from the model each time it opens
// (WM_INITMENU, WM_INITMENUPOPUP) and shows what the model holds then.
class Win32Menus {
public:
    Win32Menus() = default;
    ~Win32Menus();
    Win32Menus(const Win32Menus&) = delete;
    Win32Menus& operator=(const Win32Menus&) = delete;

    // The menu bar for `menu`; the window that shows it destroys it.
    HMENU CreateBar(TMenu& menu);
    // A pop-up menu of `menu`'s items; DestroyPopup frees it.
    HMENU CreatePopup(TMenuItem& menu);
    void DestroyPopup(HMENU popup);

    // Refills a menu made here from its model item; false when it was not made here.
    bool Refresh(HMENU menu);
    // Brings the bar's own items up to date; their submenus refresh when they open.
    void RefreshBar(HMENU bar);

    // The item behind a command id, or null.
    TMenuItem* Item(UINT id) const;

    static constexpr UINT FirstId = 20000;

private:
    void Fill(HMENU menu, TMenuItem& source);
    void Describe(TMenuItem& item, MENUITEMINFOA& info, std::string& text);
    void Forget(HMENU menu);
    void Clear(HMENU menu);
    UINT IdOf(TMenuItem& item);

    std::map<HMENU, TMenuItem*> sources_;
    std::map<TMenuItem*, UINT> ids_;
    std::vector<TMenuItem*> items_; // by id - FirstId
};

} // namespace tvm
