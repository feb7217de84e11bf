#pragma once

#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Toolkit.h"
#include "shell/TrayService.h"
#include "ui/widgets/Form.h"

#include <windows.h>

#include <shellapi.h>

#include <array>

namespace tvm {

// The notification-area icon through Shell_NotifyIconA, in the record's first form.
// The icon's messages go to the window of `owner` (the shell window: the main form,
// realized by the time the icon is added); each TrayPicture has its icon. The tray
// menu opens as a pop-up of that window.
class Win32Tray final : public TrayService {
public:
    using Icons = std::array<HICON, 3>; // by TrayPicture: Starting, Enabled, Disabled
    using OwnedIcons = std::array<OwnedIcon, 3>;

    Win32Tray(Win32Toolkit& toolkit, const TForm& owner, Icons icons)
        : toolkit_(toolkit), owner_(owner), icons_(icons) {}

    bool Add(const TrayIconData& data) override;
    void Modify(const TrayIconData& data) override;
    void Delete(const TrayIconData& data) override;
    void ShowMenu(TMenu& menu) override;

    // The record handed to the shell.
    NOTIFYICONDATAA Record(const TrayIconData& data) const;

    // Loads the three icons from the program's resources at the small-icon size; the
    // icon must not go while the shell shows it.
    static OwnedIcons LoadIcons(int starting, int enabled, int disabled);
    static Icons Handles(const OwnedIcons& icons);

private:
    Win32Toolkit& toolkit_;
    const TForm& owner_;
    Icons icons_;
};

} // namespace tvm
