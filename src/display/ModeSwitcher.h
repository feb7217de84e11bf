#pragma once

#include "display/DisplayService.h"
#include "display/ModeTable.h"
#include "settings/Settings.h"

#include <cstdint>

namespace tvm {

// Switches to any mode of the table on the user's request, and back to the mode before
// when the switch is not confirmed in time.
class ModeSwitcher {
public:
    class Window {
    public:
        // Switches overriding Off as the user would, which runs the Off path.
        virtual void SwitchOff() = 0;
        // The switch succeeded: ask the user to keep it.
        virtual void ConfirmModeSwitch() = 0;
        // While a switch waits for its confirmation, no other switch may start.
        virtual void EnableModeSwitching(bool enabled) = 0;

    protected:
        ~Window() = default;
    };

    ModeSwitcher(DisplayService& display, const ModeTable& table, const Settings& config,
                 Window& window)
        : display_(display), table_(table), config_(config), window_(window) {}

    // Remembers the present mode, then asks for the first listed mode with `key` at
    // `frequency`, with the flags the ModeSwitcher setting picks.
    // `key` is a copy: the revert hands in PreviousModeKey, which this overwrites.
    void SwitchToMode(ModeKey key, std::uint32_t frequency, bool confirm);
    // A mode of the table at its Set At rate; a key the table lacks changes nothing.
    void SwitchToModeByKey(const ModeKey& key);
    // Not confirmed: overriding goes Off and the mode before the switch comes back.
    void RevertMode();

    // The confirmation's window appears and goes.
    void ConfirmationShown() { window_.EnableModeSwitching(false); }
    void ConfirmationHidden() { window_.EnableModeSwitching(true); }

    ModeKey PreviousModeKey;
    std::uint32_t PreviousFrequency = 0;

private:
    DisplayService& display_;
    const ModeTable& table_;
    const Settings& config_;
    Window& window_;
};

} // namespace tvm
