// The override engine: whenever the display mode changes while overriding is On, the
// refresh rate of the new mode goes back to the mode's Set At value, at once or after
// the delay, with a rate limit that switches overriding Off when changes come too fast.
#include "base/IntegerText.h"
#include "ui/UnitMain.h"

namespace tvm {

int TMainForm::FindRow(const ModeKey& key) const {
    for (int row = 1; row < MainStringGrid.RowCount(); ++row) {
        if (MainStringGrid.Cell(kKeyColumn, row) == key) {
            return row;
        }
    }
    return 0;
}

void TMainForm::ApplyOverride(std::uint32_t flags) {
    // The notification of our own change arrives inside it; what the change came to
    // is judged once it has returned.
    if (ChangingMode) {
        return;
    }
    const std::uint32_t current = Display.CurrentRefresh();
    if (Config.RunAtSetFrequency &&
        static_cast<std::int64_t>(current) != Config.RunAtSetFrequencyLevel) {
        return;
    }
    // The request is always a record the driver handed out, never one made up here.
    DisplayMode request;
    if (!Display.EnumerateMode(0, request)) {
        return;
    }
    request.BitsPerPel = Display.CurrentDepth();
    request.PelsWidth = Display.CurrentWidth();
    request.PelsHeight = Display.CurrentHeight();
    const ModeKey key = MakeModeKey(request.PelsWidth, request.PelsHeight, request.BitsPerPel);
    const int row = FindRow(key);
    // An unknown mode is left alone rather than given the first listed mode's rate.
    if (row == 0) {
        return;
    }
    request.DisplayFrequency =
        static_cast<std::uint32_t>(StrToInt(MainStringGrid.Cell(kSetAtColumn, row)));
    if (request.DisplayFrequency == 0 || request.DisplayFrequency == current) {
        return;
    }
    const auto& last = LastAnsweredOtherwise;
    if (last && last->Key == key && last->Asked == request.DisplayFrequency &&
        last->Given == current) {
        return;
    }
    ChangingMode = true;
    struct Changed {
        bool& Flag;
        ~Changed() { Flag = false; }
    } changed{ChangingMode};
    const std::int32_t result = Display.ChangeMode(request, flags);
    const std::uint32_t given = Display.CurrentRefresh();
    if (result == DispChangeSuccessful && given != request.DisplayFrequency &&
        Display.CurrentModeKey() == key) {
        LastAnsweredOtherwise = AnsweredOtherwise{key, request.DisplayFrequency, given};
    } else {
        LastAnsweredOtherwise.reset();
    }
}

void TMainForm::NoteDisplayState() {
    if (LastAnsweredOtherwise && (Display.CurrentModeKey() != LastAnsweredOtherwise->Key ||
                                  Display.CurrentRefresh() != LastAnsweredOtherwise->Given)) {
        LastAnsweredOtherwise.reset();
    }
}

void TMainForm::OnDisplayChange() {
    // Nothing is acted on while starting: the only change the program makes then is
    // its own desktop-mode override, which must not be counted or overridden again.
    if (!StartupComplete || OffRadioButton.Checked()) {
        return;
    }
    NoteDisplayState();
    ++ChangesMade;
    if (ChangesMade > Config.AutoDisableTimeAllowed) {
        SwitchOff();
        SetStatus(kStatusRateLimit);
        return;
    }
    SetStatus(kStatusWithinLimit + std::to_string(ChangesMade));
    if (Timer1.Enabled()) {
        Timer1.SetEnabled(false);
        Timer1.SetEnabled(true);
        return;
    }
    Timer2.SetEnabled(true);
    if (Timer1.Interval() == 0 || Config.CpuEnforceModes) {
        Timer1Timer();
    } else {
        Timer1.SetEnabled(true);
    }
}

void TMainForm::Timer1Timer() {
    Timer1.SetEnabled(false);
    ApplyOverride(ChangeFullscreen);
}

void TMainForm::Timer2Timer() {
    Timer2.SetEnabled(false);
    ChangesMade = 0;
    SetStatus(kStatusReady);
}

void TMainForm::RestartEnforcement() {
    if (Config.CpuEnforceModes && OnRadioButton.Checked()) {
        LastSeenMode = SeenMode{};
        Timer3.SetEnabled(true);
        EnforcementTick();
    } else {
        Timer3.SetEnabled(false);
    }
}

void TMainForm::EnforcementTick() {
    // Runs every millisecond: five queries and a compare, nothing else unless the
    // display changed.
    const SeenMode sample{Display.CurrentDepth(), Display.CurrentWidth(), Display.CurrentHeight(),
                          Display.CurrentRefresh()};
    if (sample == LastSeenMode) {
        return;
    }
    NoteDisplayState();
    ApplyOverride(ChangeFullscreen);
    LastSeenMode = sample;
}

void TMainForm::OnRadioButtonClick() {
    Enabled1->Checked = true;
    RestartEnforcement();
    SetTrayState(TrayPicture::Enabled);
    SetStatus(kStatusReady);
}

void TMainForm::OffRadioButtonClick() {
    Timer1.SetEnabled(false);
    Timer2.SetEnabled(false);
    RestartEnforcement();
    ChangesMade = 0;
    Enabled1->Checked = false;
    SetTrayState(TrayPicture::Disabled);
    SetStatus(kStatusDisabled);
}

void TMainForm::Enabled1Click() {
    if (Enabled1->Checked) {
        SwitchOff();
    } else {
        OnRadioButton.SetChecked(true);
    }
}

} // namespace tvm
