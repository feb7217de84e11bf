#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tvm {

class TMenu;

enum class TrayPicture { Starting, Enabled, Disabled };

// What is handed to the shell's notification area (NOTIFYICONDATA, first form).
struct TrayIconData {
    static constexpr std::uint32_t ID = 100;
    static constexpr std::uint32_t Flags = 7;              // message, icon, tip
    static constexpr std::uint32_t CallbackMessage = 1025; // WM_USER + 1
    // The mouse messages the callback carries that the program acts on.
    static constexpr std::uint32_t LeftDoubleClick = 515; // WM_LBUTTONDBLCLK
    static constexpr std::uint32_t RightButtonDown = 516; // WM_RBUTTONDOWN
    static constexpr std::size_t TipCapacity = 64;        // 63 characters and a zero
    TrayPicture Picture = TrayPicture::Starting;
    std::string Tip;
};

// The shell's notification area.
class TrayService {
public:
    virtual ~TrayService() = default;
    // Puts the icon into the notification area, or brings one that is still there (a
    // "TaskbarCreated" that lost nothing) up to `data`; true when the shell has it then.
    // A shell that is not running yet (early in a log-on) or is being restarted
    // refuses; "TaskbarCreated" says when to try again.
    virtual bool Add(const TrayIconData& data) = 0;
    virtual void Modify(const TrayIconData& data) = 0;
    virtual void Delete(const TrayIconData& data) = 0;
    // Opens the tray menu at the mouse cursor: the owner window comes to the
    // foreground first (or the menu would not close when the user clicks elsewhere),
    // the menu's OnPopup runs, and WM_NULL is posted to the owner afterwards.
    virtual void ShowMenu(TMenu& menu) = 0;
};

} // namespace tvm
