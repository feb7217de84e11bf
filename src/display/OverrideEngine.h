#pragma once

#include "base/TimerSwitch.h"
#include "display/DisplayService.h"
#include "display/ModeTable.h"
#include "settings/Settings.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tvm {

// The status line's texts of overriding.
inline constexpr const char* kStatusReady = "Ready";
inline constexpr const char* kStatusWithinLimit = "Changes made within rate limit: ";
inline constexpr const char* kStatusRateLimit =
    "Rate limit exceeded; click the 'On' button to re-enable.";
inline constexpr const char* kStatusDisabled =
    "Tavelmorind is currently disabled; click the 'On' button to enable!";

// Whenever the display mode changes while overriding is On, the refresh rate of the new
// mode goes back to the mode's Set At value, at once or after the delay, with a rate
// limit that switches overriding Off when changes come too fast. The engine keeps
// On/Off, its three timers (the delay, the rate limit's window, the poll), the count of
// changes and the last mode the poll saw.
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

    OverrideEngine(DisplayService& display, const ModeTable& table, const Settings& config,
                   TimerFactory& timers);

    void SetListener(Listener* listener) { listener_ = listener; }

    // Sets the current mode's refresh rate to its Set At value when it differs.
    void ApplyOverride(std::uint32_t flags);
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

    // Forgets lastAnsweredOtherwise_ once the display shows another mode or rate.
    void NoteDisplayState();
    void SetStatus(std::string text);
    void SwitchOff();

    DisplayService& display_;
    const ModeTable& table_;
    const Settings& config_;
    Listener* listener_ = nullptr;
    std::unique_ptr<TimerSwitch> delay_;
    std::unique_ptr<TimerSwitch> rateWindow_;
    std::unique_ptr<TimerSwitch> poll_;

    bool switchedOn_ = false;
    std::string status_ = kStatusReady;
    std::int32_t changesMade_ = 0;
    SeenMode lastSeenMode_;
    std::optional<AnsweredOtherwise> lastAnsweredOtherwise_;
    // True while our own mode change is under way.
    bool changingMode_ = false;
    int depth_ = 0;
    bool changed_ = false;
};

} // namespace tvm
