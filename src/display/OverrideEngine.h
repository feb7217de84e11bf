#pragma once

#include "base/TimerSwitch.h"
#include "display/DisplayService.h"
#include "display/ModeTable.h"
#include "settings/Settings.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tvm {

// The status line's texts of overriding.
inline constexpr const char* kStatusReady = "Ready";
inline constexpr const char* kStatusWithinLimit = "Changes made within rate limit: ";
inline constexpr const char* kStatusRateLimit =
    "Rate limit exceeded; click the 'On' button to re-enable.";
inline constexpr const char* kStatusDisabled =
    "Tavelmorind is currently disabled; click the 'On' button to enable!";

// After an event of the system (a resume, an unlock, a monitor back), the displays are
// checked at once and again this long after it: a driver puts its own mode back a few
// seconds after a resume, when the event has gone by.
inline constexpr std::uint32_t kLateCheckDelay = 3000;

// Whenever the display mode changes while overriding is On, the refresh rate of the new
// mode goes back to the mode's Set At value, at once or after the delay, with a rate
// limit that switches overriding Off when changes come too fast. Every display has its
// own table and is overridden alone; On/Off, the rate limit (counting every notification)
// and the timers serve them all. The engine keeps On/Off, its three timers (the delay,
// the rate limit's window, the poll), the count of changes and the last mode the poll saw
// on each display.
class OverrideEngine {
public:
    // Told once, when an operation of the engine is over, that what it shows changed:
    // On/Off or the status text. A mode change re-enters the engine (its notification
    // arrives inside the change): the nested work is part of the outer operation.
    class Listener {
    public:
        virtual void OverrideChanged() = 0;

    protected:
        ~Listener() = default;
    };

    // Over the primary display and its table.
    OverrideEngine(DisplayService& display, const ModeTable& table, const Settings& config,
                   TimerFactory& timers);

    // Another display to keep, with its own table (a second monitor, one plugged in).
    // Adding one that is known already makes it count again.
    void AddDisplay(DisplayService& display, const ModeTable& table);
    // A display that went: left alone until it comes back.
    void SetDisplayAttached(const DisplayService& display, bool attached);

    void SetListener(Listener* listener) { listener_ = listener; }

    // Sets each display's refresh rate to its current mode's Set At value (or the
    // battery's choice for it) when it differs; each display alone.
    void ApplyOverride(std::uint32_t flags);
    // The system may have changed the rate without a display change anyone was told of
    // (a resume, an unlock, a monitor back, the power source): while On, every display
    // is checked now and once more kLateCheckDelay later. The checks are not display
    // changes: only the changes they make count against the rate limit.
    void SystemEventCheck();
    // The late check after a system event.
    void LateCheckTimer();
    // The battery limit was set, cleared or given another level: what the note says
    // changes, and while On every display is checked now.
    void BatteryLimitChanged();
    // Whether the PC runs on its battery now: with the battery limit set, no display is
    // given a rate above its level.
    void SetOnBattery(bool onBattery);
    // A display change (WM_DISPLAYCHANGE): acted on while On.
    void OnDisplayChange();
    // The delay is over: override now.
    void Timer1Timer();
    // The rate limit's window is over: start counting afresh.
    void Timer2Timer();
    // The poll (Timer3), every millisecond while CpuEnforceModes is set and overriding is On.
    void EnforcementTick();
    // Starts or stops the poll as the settings and the On/Off choice say.
    void RestartEnforcement();
    // The On path; switching On overrides nothing by itself, but the poll's first tick may.
    void TurnOn();
    // The Off path, also when already Off: a pending override is dropped, the poll stops,
    // the count starts afresh.
    void TurnOff();
    // The delay and the rate window take their intervals from the settings. A pending
    // override whose delay becomes 0 runs at once: a timer of interval 0 never fires, and
    // the override would stay pending for good.
    void SettingsChanged();

    bool SwitchedOn() const { return switchedOn_; }
    const std::string& Status() const { return status_; }
    std::int32_t ChangesMade() const { return changesMade_; }
    bool OverridePending() const { return delay_->Enabled(); }
    bool RateWindowOpen() const { return rateWindow_->Enabled(); }
    bool Polling() const { return poll_->Enabled(); }
    std::uint32_t DelayInterval() const { return delay_->Interval(); }
    std::uint32_t RateWindowInterval() const { return rateWindow_->Interval(); }
    bool OnBattery() const { return onBattery_; }
    // The highest rate any display is given now: the battery limit's level while the
    // PC runs on its battery and the limit is set.
    std::optional<std::uint32_t> RateCap() const;
    // " (battery: 60 Hz at most)" while On and the cap holds; else empty. The tray tip
    // and the status line end with it.
    std::string BatteryNote() const;

private:
    struct SeenMode {
        std::uint32_t Depth = 0, Width = 0, Height = 0, Refresh = 0;
        bool operator==(const SeenMode&) const = default;
    };
    // The last request that the driver answered with another rate. Asking again in the
    // same mode at that rate gets the same answer, and the notification of each answer
    // would ask once more: a loop of mode sets until the rate limit switched Off.
    struct AnsweredOtherwise {
        ModeKey Key;
        std::uint32_t Asked = 0;
        std::uint32_t Given = 0;
    };

    // Holds the report until the outermost operation is over.
    class Operation {
    public:
        explicit Operation(OverrideEngine& engine);
        ~Operation();
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;

    private:
        OverrideEngine& engine_;
    };

    // One display with its table and what the engine remembers of it.
    struct Target {
        DisplayService* Display;
        const ModeTable* Table;
        bool Attached = true;
        SeenMode LastSeen;
        std::optional<AnsweredOtherwise> LastAnsweredOtherwise;
    };

    void ApplyOverrideTo(Target& target, std::uint32_t flags);
    // One check of every display now, while On.
    void CheckDisplays();
    // Forgets a display's answered-otherwise request once it shows another mode or rate.
    static void NoteDisplayState(Target& target);
    void SetStatus(std::string text);
    void SwitchOff();

    const Settings& config_;
    Listener* listener_ = nullptr;
    std::unique_ptr<TimerSwitch> delay_;
    std::unique_ptr<TimerSwitch> rateWindow_;
    std::unique_ptr<TimerSwitch> poll_;
    std::unique_ptr<TimerSwitch> lateCheck_;

    bool switchedOn_ = false;
    bool onBattery_ = false;
    std::string status_ = kStatusReady;
    std::int32_t changesMade_ = 0;
    // Each behind a pointer of its own: a display may be added while the engine walks
    // them (the notification of its change arrives inside an override).
    std::vector<std::unique_ptr<Target>> targets_;
    // True while our own mode change is under way.
    bool changingMode_ = false;
    int depth_ = 0;
    bool changed_ = false;
};

} // namespace tvm
