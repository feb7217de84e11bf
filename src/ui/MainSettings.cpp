// The settings store: every option in "Tavelmorind.ini", read key by key at start-up
// and written when the user presses Save; start at log-on in one Run value.
#include "base/IntegerText.h"
#include "ui/UnitMain.h"

#include <algorithm>

namespace tvm {

namespace {

constexpr const char* kInit = "Init";
constexpr const char* kMain = "Main Options";
constexpr const char* kAdvanced = "Advanced Options";
constexpr const char* kFrequencies = "Frequencies";
constexpr const char* kRunValueName = "Tavelmorind";

constexpr const char* kGreeting =
    "Welcome!  At this time, please make sure you are using your correct Monitor drivers "
    "(preferably NOT the Plug and Play ones), and your best Display drivers.  Click Cancel if "
    "you have not done so.";
constexpr const char* kGreetingHowTo =
    "Open the main window by double-clicking on the Tavelmorind System Tray icon (next to the "
    "clock).  If you are confident you are using all the right drivers, try just clicking the "
    "'On' button and Saving your settings.";
constexpr const char* kBootWarning =
    "WARNING: You are booting Tavelmorind with the PC, or optimizing the computer's default "
    "mode.  This may cause problems when you next boot, and you may end up having to reboot "
    "your PC in safe mode.  Are you absolutely sure you want to do this?";

// A path with a space runs as what precedes the space ("C:\Program.exe") unless quoted.
std::string RunCommandFor(const std::string& path) {
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

} // namespace

std::int32_t TMainForm::ReadInteger(const char* section, const std::string& key,
                                    std::int32_t fallback) {
    return StrToIntDef(Ini.ReadString(section, key, ""), fallback);
}

bool TMainForm::ReadBool(const char* section, const char* key, bool fallback) {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void TMainForm::WriteString(const char* section, const std::string& key, const std::string& value) {
    if (!Ini.WriteString(section, key, value)) {
        throw ProgramError(FormatText("Unable to write to %s", Ini.FileName()));
    }
}

void TMainForm::WriteInteger(const char* section, const char* key, std::int64_t value) {
    WriteString(section, key, std::to_string(value));
}

void TMainForm::WriteBool(const char* section, const char* key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TMainForm::LoadSettings() {
    if (!ReadBool(kInit, "Program Run Before", false)) {
        if (App().MessageDlg(kGreeting, MsgDlgType::Confirmation, MsgDlgButtons::OKCancel) ==
            ModalResult::Cancel) {
            App().Terminate();
        } else {
            App().MessageDlg(kGreetingHowTo, MsgDlgType::Information, MsgDlgButtons::OK);
            // A marker that cannot be written is reported, and the rest still loads:
            // stopping here would leave every option at zero, the tray icon included.
            App().Dispatch([this] { WriteBool(kInit, "Program Run Before", true); });
        }
    }

    const bool switchedOn = ReadBool(kMain, "Switched On", false);
    OnRadioButton.SetChecked(switchedOn);
    OffRadioButton.SetChecked(!switchedOn);
    FastestCheckBox.SetChecked(ReadBool(kMain, "Fastest Frequency", true));

    Timer1.SetInterval(
        static_cast<std::uint32_t>(ReadInteger(kAdvanced, "Delay before Override", 0)));
    Config.AutoDisableTimeAllowed = ReadInteger(kAdvanced, "AutoDisable Time Allowed", 30);
    Timer2.SetInterval(
        static_cast<std::uint32_t>(ReadInteger(kAdvanced, "AutoDisable Timespan", 30000)));
    Config.RunAtSetFrequency = ReadBool(kAdvanced, "Run at Set Frequency", false);
    Config.RunAtSetFrequencyLevel = ReadInteger(kAdvanced, "Run at Set Frequency Level", 60);
    Config.CpuEnforceModes = ReadBool(kAdvanced, "CPU Enforce Modes", true);
    Config.ShowSystemTrayIcon = ReadBool(kAdvanced, "Show System Tray Icon", true);
    Config.OptimizeDesktopMode = ReadBool(kAdvanced, "Optimize Desktop Mode", false);
    Config.ModeSwitcher =
        static_cast<std::uint8_t>(ReadInteger(kAdvanced, "Mode Switcher", 0) & 0xFF);
    // The wait before a monitor command blocks the program; a value from a damaged
    // file must not block it for weeks.
    Config.PowerSaveDelay = std::clamp(ReadInteger(kAdvanced, "Power Save Delay", 3000), 0, 30000);

    ChangesMade = 0;

    if (!FastestCheckBox.Checked()) {
        for (int row = 1; row < MainStringGrid.RowCount(); ++row) {
            const std::int32_t frequency =
                ReadInteger(kFrequencies, MainStringGrid.Cell(kKeyColumn, row), 0);
            // A negative rate would reach the driver as a huge unsigned frequency.
            MainStringGrid.SetCell(kSetAtColumn, row, std::to_string(std::max(frequency, 0)));
        }
    }

    // Windows starts the program at log-on from the user's value, and also from one
    // that an older version left in the machine's key; the check box says so for both.
    // Only the user's value can be put right by the user, so only its type is an error.
    Config.RunOnBoot = false;
    const std::string path = RunKey.ExecutablePath();
    const auto startsThisProgram = [&path](const RunAtLogon::ReadResult& run) {
        return run.Status == RunAtLogon::ReadStatus::Text &&
               (run.Text == path || run.Text == "\"" + path + "\"");
    };
    const auto user = RunKey.ReadValue(RunAtLogon::Hive::User, kRunValueName);
    if (user.Status == RunAtLogon::ReadStatus::WrongType) {
        throw ProgramError(FormatText("Invalid data type for '%s'", kRunValueName));
    }
    Config.RunOnBoot =
        startsThisProgram(user) ||
        startsThisProgram(RunKey.ReadValue(RunAtLogon::Hive::Machine, kRunValueName));
}

void TMainForm::SaveSettings() {
    // A second start may show the window while a start-up dialog is still open.
    if (!SettingsLoaded) {
        return;
    }
    if (Config.RunOnBoot || Config.OptimizeDesktopMode) {
        if (App().MessageDlg(kBootWarning, MsgDlgType::Warning, MsgDlgButtons::YesNo) ==
            ModalResult::No) {
            Config.RunOnBoot = false;
            Config.OptimizeDesktopMode = false;
        }
    }

    std::string remembered = MainStatusBar.SimpleText();
    if (remembered == kStatusMachineRunValueStays) {
        remembered = statusUnderNote_;
    }
    std::string afterwards = remembered;
    SetStatus(kStatusSaving);
    MainStatusBar.Repaint();

    try {
        WriteBool(kMain, "Switched On", OnRadioButton.Checked());
        WriteBool(kMain, "Fastest Frequency", FastestCheckBox.Checked());
        // The load reads signed 32-bit numbers: an interval of 2^31 ms or more (from a
        // hand-edited file) is written as the number that reads back as it.
        WriteInteger(kAdvanced, "Delay before Override",
                     static_cast<std::int32_t>(Timer1.Interval()));
        WriteInteger(kAdvanced, "AutoDisable Timespan",
                     static_cast<std::int32_t>(Timer2.Interval()));
        WriteInteger(kAdvanced, "AutoDisable Time Allowed", Config.AutoDisableTimeAllowed);
        WriteBool(kAdvanced, "Run at Set Frequency", Config.RunAtSetFrequency);
        WriteInteger(kAdvanced, "Run at Set Frequency Level", Config.RunAtSetFrequencyLevel);
        WriteBool(kAdvanced, "CPU Enforce Modes", Config.CpuEnforceModes);
        WriteBool(kAdvanced, "Show System Tray Icon", Config.ShowSystemTrayIcon);
        WriteBool(kAdvanced, "Optimize Desktop Mode", Config.OptimizeDesktopMode);
        WriteInteger(kAdvanced, "Mode Switcher", Config.ModeSwitcher);
        WriteInteger(kAdvanced, "Power Save Delay", Config.PowerSaveDelay);

        if (!Ini.EraseSection(kFrequencies)) {
            throw ProgramError(FormatText("Unable to write to %s", Ini.FileName()));
        }
        if (!FastestCheckBox.Checked()) {
            for (int row = 1; row < MainStringGrid.RowCount(); ++row) {
                WriteString(kFrequencies, MainStringGrid.Cell(kKeyColumn, row),
                            MainStringGrid.Cell(kSetAtColumn, row));
            }
        }

        if (Config.RunOnBoot) {
            if (!RunKey.WriteValue(kRunValueName, RunCommandFor(RunKey.ExecutablePath()))) {
                throw ProgramError(FormatText("Failed to set data for '%s'", kRunValueName));
            }
        } else {
            RunKey.DeleteValue(RunAtLogon::Hive::User, kRunValueName);
            // An older version's value in the machine's key goes on starting the program
            // until someone with the rights removes it; the user must not be told otherwise.
            if (RunKey.DeleteValue(RunAtLogon::Hive::Machine, kRunValueName) ==
                RunAtLogon::DeleteStatus::Refused) {
                statusUnderNote_ = remembered;
                afterwards = kStatusMachineRunValueStays;
            }
        }
    } catch (const ProgramError& error) {
        // The save stops at the failed write; the window stays open, and the status
        // line must not go on claiming that a save is running.
        App().ShowException(error);
        SetStatus(remembered);
        return;
    }

    Hide();
    SetStatus(afterwards);
}

} // namespace tvm
