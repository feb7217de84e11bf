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

// The shell's notification area. Results are not checked: the program records what
// it asked for, not what the shell did.
class TrayService {
public:
    virtual ~TrayService() = default;
    virtual void Add(const TrayIconData& data) = 0;
    virtual void Modify(const TrayIconData& data) = 0;
    virtual void Delete(const TrayIconData& data) = 0;
    // Opens the tray menu at the mouse cursor: the owner window comes to the
    // foreground first (or the menu would not close when the user clicks elsewhere),
    // the menu's OnPopup runs, and WM_NULL is posted to the owner afterwards.
    virtual void ShowMenu(TMenu& menu) = 0;
};

// Process-wide odds and ends of the platform.
class SystemService {
public:
    virtual ~SystemService() = default;
    // Asks the system to trim the working set (both sizes -1).
    virtual void TrimWorkingSet() = 0;
    static constexpr int SwShowNormal = 1; // SW_SHOWNORMAL
    static constexpr int SwShow = 5;       // SW_SHOW
    // Starts a command line without waiting for it; `show` is the SW_ value.
    virtual void WinExec(const std::string& commandLine, int show) = 0;
    // A blocking wait of the user-interface thread.
    virtual void Sleep(std::uint32_t ms) = 0;
};

// What the shell says to the program's main window: the tray icon's callback, a
// notification area that was created anew ("TaskbarCreated"), and the request of a
// second start to show the window. The platform delivers them through the
// application's dispatch, as it does the user's acts.
class ShellEvents {
public:
    virtual ~ShellEvents() = default;
    virtual void TrayIconCallback(std::uint32_t mouseMessage) = 0;
    virtual void OnTaskbarCreated() = 0;
    virtual void OnShowMainMessage() = 0;
};

} // namespace tvm
