#pragma once

#include "display/DisplayService.h"
#include "display/ModeTable.h"
#include "display/OverrideEngine.h"
#include "settings/Settings.h"

#include <cstdint>

namespace tvm {

// Switches to any mode of the table on the user's request, and back to the mode before
// when the switch is not confirmed in time.
class ModeSwitcher {
public:
    // Whoever shows the switch: the confirmation, and the controls that start a switch.
    class Window {
    public:
        // The switch succeeded: ask the user to keep it.
        virtual void ConfirmModeSwitch() = 0;
        // While a switch waits for its confirmation, no other switch may start.
        virtual void EnableModeSwitching(bool enabled) = 0;

    protected:
        ~Window() = default;
    };

    // Over the primary display and its table, until told another.
    ModeSwitcher(DisplayService& display, const ModeTable& table, const Settings& config,
                 OverrideEngine& override)
        : display_(&display), table_(&table), previousDisplay_(&display), config_(config),
          override_(override) {}

    void SetWindow(Window* window) { window_ = window; }
    // The display a switch acts on (the one whose table the user sees).
    void SetDisplay(DisplayService& display, const ModeTable& table) {
        display_ = &display;
        table_ = &table;
    }

    // Remembers the present mode of the display, then asks it for the first listed mode
    // with `key` at `frequency`, with the flags the ModeSwitcher setting picks.
    // `key` is a copy: the revert hands in the previous mode's key, which this overwrites.
    void SwitchToMode(ModeKey key, std::uint32_t frequency, bool confirm);
    // A mode of the table at its Set At rate; a key the table lacks changes nothing.
    void SwitchToModeByKey(const ModeKey& key);
    // The same on a display of its own (a submenu of the tray's per display).
    void SwitchToModeByKey(DisplayService& display, const ModeTable& table, const ModeKey& key);
    // Not confirmed: overriding goes Off and the mode before the switch comes back, on
    // the display that was switched.
    void RevertMode();

    // The confirmation appears: ten seconds to go, and no other switch meanwhile.
    void ConfirmationShown();
    // A second of the confirmation has passed; true when the time is up.
    bool CountdownTick();
    void ConfirmationHidden();

    const ModeKey& PreviousModeKey() const { return previousModeKey_; }
    std::uint32_t PreviousFrequency() const { return previousFrequency_; }
    // The seconds left to confirm.
    std::uint8_t Countdown() const { return countdown_; }

private:
    void SwitchOn(DisplayService& display, ModeKey key, std::uint32_t frequency, bool confirm);

    DisplayService* display_;
    const ModeTable* table_;
    DisplayService* previousDisplay_;
    const Settings& config_;
    OverrideEngine& override_;
    Window* window_ = nullptr;
    ModeKey previousModeKey_;
    std::uint32_t previousFrequency_ = 0;
    std::uint8_t countdown_ = 0;
};

} // namespace tvm
