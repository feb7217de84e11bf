// Loading and saving as the window does it: the first-run greeting, the boot warning,
// the status line during a save; the store reads and writes the keys.
#include "ui/UnitMain.h"

namespace tvm {

namespace {

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

} // namespace

void TMainForm::LoadSettings() {
    if (!Store.ProgramRunBefore()) {
        if (App().MessageDlg(kGreeting, MsgDlgType::Confirmation, MsgDlgButtons::OKCancel) ==
            ModalResult::Cancel) {
            App().Terminate();
        } else {
            App().MessageDlg(kGreetingHowTo, MsgDlgType::Information, MsgDlgButtons::OK);
            // A marker that cannot be written is reported, and the rest still loads:
            // stopping here would leave every option at zero, the tray icon included.
            App().Dispatch([this] { Store.MarkProgramRunBefore(); });
        }
    }

    // On or Off, and the automatic rates, take effect as they are read: what they run
    // sees only the options read before them (all zero), as the window sees it.
    Store.LoadOptions(Config, [this](const SettingKey& key) {
        if (key.Where == SettingKey::Field(&Settings::SwitchedOn)) {
            if (Config.SwitchedOn) {
                Override.TurnOn();
            } else {
                Override.TurnOff();
            }
        } else if (key.Where == SettingKey::Field(&Settings::FastestFrequency)) {
            FastestCheckBox.SetChecked(Config.FastestFrequency);
        }
    });
    Override.SettingsChanged();

    if (!FastestCheckBox.Checked()) {
        for (std::size_t index = 0; index < Table.Count(); ++index) {
            Table.SetRate(index,
                          static_cast<std::uint32_t>(Store.ReadFrequency(Table.Row(index).Key)));
        }
        ShowSetAtColumn();
    }

    // Stays false when the user's Run value is not text.
    Config.RunOnBoot = false;
    Config.RunOnBoot = Store.ReadRunOnBoot();
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
        Config.SwitchedOn = Override.SwitchedOn();
        Store.SaveOptions(Config);
        std::vector<std::pair<std::string, std::string>> frequencies;
        if (!FastestCheckBox.Checked()) {
            for (std::size_t index = 0; index < Table.Count(); ++index) {
                frequencies.emplace_back(Table.Row(index).Key, Table.Row(index).SetAt);
            }
        }
        Store.SaveFrequencies(frequencies);
        if (Store.SaveRunOnBoot(Config.RunOnBoot) ==
            SettingsStore::RunValueOutcome::MachineValueStays) {
            statusUnderNote_ = remembered;
            afterwards = kStatusMachineRunValueStays;
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
