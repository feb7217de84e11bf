#pragma once

#include "base/TimerSwitch.h"
#include "display/DisplayService.h"
#include "display/ModeTable.h"
#include "settings/Settings.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tvm {

// The status line's texts of overriding.
inline constexpr const char* kStatusReady = "Ready";
inline constexpr const char* kStatusWithinLimit = "Changes made within rate limit: ";
inline constexpr const char* kStatusRateLimit =
    "Rate limit exceeded; click the 'On' button to re-enable.";

// Whenever the display mode changes while overriding is On, the refresh rate of the new
// mode goes back to the mode's Set At value, at once or after the delay, with a rate
// limit that switches overriding Off when changes come too fast.
class OverrideEngine {
public:
    // What the engine needs of the window that shows it: On and Off live in its radio
    // buttons, and the status line is its.
    class Window {
    public:
        virtual bool SwitchedOn() const = 0;
        // Switches Off as the user would, which runs the Off path.
        virtual void SwitchOff() = 0;
        virtual void ShowStatus(const std::string& text) = 0;

    protected:
        ~Window() = default;
    };

    // The window's timers: the delay before an override (its interval is the setting
    // DelayBeforeOverride), the rate limit's window (AutoDisableTimespan) and the poll.
    struct Timers {
        TimerSwitch& Delay;
        TimerSwitch& RateWindow;
        TimerSwitch& Poll;
    };

    OverrideEngine(DisplayService& display, const ModeTable& table, const Settings& config,
                   Timers timers, Window& window)
        : display_(display), table_(table), config_(config), timers_(timers), window_(window) {}

    // Sets the current mode's refresh rate to its Set At value when it differs.
    void ApplyOverride(std::uint32_t flags);
    // A display change (WM_DISPLAYCHANGE), once start-up is complete.
    void OnDisplayChange();
    // The delay is over: override now.
    void Timer1Timer();
    // The rate limit's window is over: start counting afresh.
    void Timer2Timer();
    // The poll, every millisecond while CpuEnforceModes is set and overriding is On.
    void EnforcementTick();
    // Starts or stops the poll as the settings and the On/Off choice say.
    void RestartEnforcement();
    // The engine's share of the On and the Off path.
    void TurnedOn() { RestartEnforcement(); }
    void TurnedOff();

    std::uint32_t DelayBeforeOverride() const { return timers_.Delay.Interval(); }
    // A pending override whose delay becomes 0 runs at once: a timer of interval 0 never
    // fires, and the override would stay pending for good.
    void SetDelayBeforeOverride(std::uint32_t ms);
    std::uint32_t AutoDisableTimespan() const { return timers_.RateWindow.Interval(); }
    void SetAutoDisableTimespan(std::uint32_t ms) { timers_.RateWindow.SetInterval(ms); }

    std::int32_t ChangesMade = 0;
    struct SeenMode {
        std::uint32_t Depth = 0, Width = 0, Height = 0, Refresh = 0;
        bool operator==(const SeenMode&) const = default;
    };
    SeenMode LastSeenMode;
    // The last request that the driver answered with another rate. Asking again in the
    // same mode at that rate gets the same answer, and the notification of each answer
    // would ask once more: a loop of mode sets until the rate limit switched Off.
    struct AnsweredOtherwise {
        ModeKey Key;
        std::uint32_t Asked = 0;
        std::uint32_t Given = 0;
    };
    std::optional<AnsweredOtherwise> LastAnsweredOtherwise;
    // True while our own mode change is under way.
    bool ChangingMode = false;

private:
    // Forgets LastAnsweredOtherwise once the display shows another mode or rate.
    void NoteDisplayState();

    DisplayService& display_;
    const ModeTable& table_;
    const Settings& config_;
    Timers timers_;
    Window& window_;
};

} // namespace tvm
