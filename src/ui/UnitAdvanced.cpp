#include "ui/UnitAdvanced.h"

#include "base/IntegerText.h"
#include "settings/SettingsStore.h"
#include "shell/SystemService.h"
#include "ui/FrequencyKey.h"

#include <algorithm>
#include <climits>

namespace tvm {

namespace {

constexpr const char* kBatteryHint =
    "While the PC runs on its battery, no display runs at a higher refresh rate than this";
constexpr const char* kNoBatteryHint = "This PC has no battery: it always runs on mains power";

int ToSpinValue(std::uint32_t interval) {
    return static_cast<int>(std::min<std::uint32_t>(interval, INT_MAX));
}

} // namespace

TAdvanceForm::TAdvanceForm(TApplication& app, Settings& settings, OverrideEngine& override,
                           const ModeTable& table, SystemService& system)
    : TForm(app), config_(settings), override_(override), table_(table), system_(system) {
    SetCaption("Advanced Settings");
    SetFixedDialogSize(457, 225, 465, 259);
    Centered = true;
    LayOut();

    CheckBox1.OnClick = [this] { CheckBox1Click(); };
    CheckBox3.OnClick = [this] { CheckBox3Click(); };
    CheckBox5.OnClick = [this] { CheckBox5Click(); };
    CheckBox6.OnClick = [this] { CheckBox6Click(); };
    ComboBox1.OnKeyPress = [this](char& key) { ComboBox1KeyPress(key); };
    ComboBox2.OnKeyPress = [this](char& key) { ComboBox2KeyPress(key); };
    DefaultBitBtn.OnClick = [this] { DefaultBitBtnClick(); };
    BitBtnClose.OnClick = [this] { BitBtnCloseClick(); };
    OnShow = [this] { FormShow(); };
    OnHide = [this] { FormHide(); };
    // The close box hides without applying: the default close action.
}

void TAdvanceForm::LayOut() {
    Label2.SetBounds(8, 192, 249, 26);
    Label2.WordWrap = true;
    Label2.SetCaption("Click the Save button on the Configuration panel to save any changes.");
    BitBtnClose.SetBounds(376, 192, 73, 25);
    BitBtnClose.SetCaption("&Close");
    BitBtnClose.SetHint("Applies your settings and closes this dialog");
    BitBtnClose.Default = true;
    BitBtnClose.Cancel = true;
    BitBtnClose.Glyph = TGlyph::OK;
    DefaultBitBtn.SetBounds(296, 192, 73, 25);
    DefaultBitBtn.SetCaption("&Defaults");
    DefaultBitBtn.SetHint("Sets all the Advanced Settings to default");
    DefaultBitBtn.Glyph = TGlyph::Retry;
    PageControlMain.SetBounds(8, 8, 441, 177);
    PageControlMain.HotTrack = true;
    PageControlMain.Pages = {&TabSheet1, &TabSheet2, &TabSheet3, &TabSheet4, &TabSheet5};

    // The pages fill the page control below its row of tabs.
    auto sheet = [this](TTabSheet& tab, const char* caption) {
        tab.SetParent(&PageControlMain);
        tab.SetBounds(4, 24, 433, 149);
        tab.SetCaption(caption);
    };
    auto place = [](TControl& c, TControl& parent, int left, int top, int width, int height) {
        c.SetParent(&parent);
        c.SetBounds(left, top, width, height);
    };

    sheet(TabSheet1, "Startup");
    place(GroupStartup, TabSheet1, 8, 8, 417, 73);
    GroupStartup.SetCaption("Startup Settings");
    place(CheckBox5, GroupStartup, 8, 24, 400, 17);
    CheckBox5.SetCaption("&Show icon in system tray (recommended)");
    CheckBox5.SetHint("Shows the Tavelmorind icon next to the Windows clock");
    place(CheckBox2, GroupStartup, 8, 48, 400, 17);
    CheckBox2.SetCaption(
        "&Run this program on boot (not recommended if you regularly change monitors!)");
    CheckBox2.SetHint("Run this program when you log on to your PC");
    place(GroupWindowsMode, TabSheet1, 8, 88, 417, 49);
    GroupWindowsMode.SetCaption("Windows Mode Settings");
    place(CheckBox4, GroupWindowsMode, 8, 24, 400, 17);
    CheckBox4.SetCaption("&Update default Windows mode when this program starts");
    CheckBox4.SetHint(
        "Makes sure the default desktop frequency matches the one you chose for that particular "
        "mode");

    sheet(TabSheet2, "Timing");
    place(GroupTiming, TabSheet2, 8, 8, 417, 97);
    GroupTiming.SetCaption("Timing");
    // A check box, a frequency box beside it and the unit after that, whose access key
    // goes to the box.
    auto frequencyRow = [&place](TGroupBox& group, TCheckBox& check, int checkWidth,
                                 const char* caption, TComboBox& box, int boxLeft,
                                 const char* boxHint, TLabel& unit, const char* unitCaption) {
        place(check, group, 8, 24, checkWidth, 17);
        check.SetCaption(caption);
        place(box, group, boxLeft, 24, 65, 21);
        box.MaxLength = 3;
        box.SetHint(boxHint);
        place(unit, group, boxLeft + 72, 24, 20, 13);
        unit.SetCaption(unitCaption);
        unit.FocusControl = &box;
    };
    frequencyRow(GroupTiming, CheckBox1, 180, "&Only override mode if running at:", ComboBox1, 192,
                 "Specified frequency to override", Label9, "&Hz");
    CheckBox1.SetHint("Only override a specified frequency");
    place(CheckBox3, GroupTiming, 8, 48, 400, 17);
    CheckBox3.SetCaption("&Allocate some (small) CPU time to enforcing modes*");
    CheckBox3.SetHint("Switching this on fixes some display problems, but also uses some CPU time");
    place(Label6, GroupTiming, 24, 72, 380, 13);
    Label6.SetCaption("* This causes the \"Pause Before Override\" Safety Feature to be disabled.");

    sheet(TabSheet3, "Safety Features");
    place(GroupSafety, TabSheet3, 8, 8, 417, 105);
    GroupSafety.SetCaption("Safety");
    struct SpinRow {
        TLabel& Label;
        TSpinEdit& Spin;
        const char* Caption;
        int Top, Min, Max, Step, Length;
        const char* Hint;
    };
    const SpinRow rows[] = {
        {Label3, SpinEdit1, "&Milliseconds to pause before overriding refresh rate:", 24, 0, 30000,
         500, 5, "Increase/decrease this values if you are getting display corruption in games"},
        {Label4, SpinEdit3, "&Number of times allowed to override refresh rate:", 48, 1, 100, 1, 3,
         "Increase this value to allow more mode changes in the same time"},
        {Label5, SpinEdit2, "&Within this length of time (milliseconds):", 72, 1000, 60000, 1000, 5,
         "The time limit for the above value"},
    };
    for (const SpinRow& r : rows) {
        place(r.Label, GroupSafety, 8, r.Top, 250, 13);
        r.Label.SetCaption(r.Caption);
        r.Label.FocusControl = &r.Spin;
        place(r.Spin, GroupSafety, 264, r.Top, 65, 22);
        r.Spin.SetRange(r.Min, r.Max, r.Step, r.Length);
        r.Spin.SetHint(r.Hint);
    }

    sheet(TabSheet4, "Manual Mode Switcher");
    place(GroupSwitcher, TabSheet4, 8, 8, 417, 97);
    GroupSwitcher.SetCaption("Manual Mode Switcher Settings");
    place(RadioButton1, TabSheet4, 16, 32, 390, 17);
    RadioButton1.SetCaption("Temporary effect: Change mode and &rearrange desktop");
    RadioButton1.SetHint("Sets up your desktop for the new mode");
    place(RadioButton2, TabSheet4, 16, 56, 390, 17);
    RadioButton2.SetCaption("Temporary effect: Change mode and &preserve desktop");
    RadioButton2.SetHint("Keeps the current desktop arrangement upon changing mode");
    place(RadioButton3, TabSheet4, 16, 80, 390, 17);
    RadioButton3.SetCaption("Change mode and &update default Windows mode (NOT recommended)");
    RadioButton3.SetHint("Stores the mode as the default desktop mode");

    sheet(TabSheet5, "Other Settings");
    place(GroupOther, TabSheet5, 8, 8, 417, 57);
    GroupOther.SetCaption("Other Settings");
    place(Label7, GroupOther, 8, 24, 285, 13);
    Label7.SetCaption("&Screensaver/screenblanker activation delay (milliseconds):");
    Label7.FocusControl = &SpinEdit4;
    place(SpinEdit4, GroupOther, 296, 24, 65, 22);
    SpinEdit4.SetRange(0, 30000, 500, 5);
    SpinEdit4.SetHint(
        "Controls the time interval the computer waits for you to let go of the mouse");

    place(GroupBattery, TabSheet5, 8, 72, 417, 57);
    GroupBattery.SetCaption("Battery");
    // The check box's hint depends on the PC: set when the dialog is shown.
    frequencyRow(GroupBattery, CheckBox6, 296,
                 "On &battery power, run no display faster than:", ComboBox2, 312,
                 "Highest refresh rate on battery power", Label10, "H&z");
}

void TAdvanceForm::FormShow() {
    SpinEdit1.SetValue(ToSpinValue(config_.DelayBeforeOverride));
    SpinEdit2.SetValue(ToSpinValue(config_.AutoDisableTimespan));
    SpinEdit3.SetValue(config_.AutoDisableTimeAllowed);
    SpinEdit4.SetValue(config_.PowerSaveDelay);
    ComboBox1.SetItems(table_.FrequencySet);
    ComboBox1.SetText(std::to_string(config_.RunAtSetFrequencyLevel));
    CheckBox1.SetChecked(config_.RunAtSetFrequency);
    CheckBox2.SetChecked(config_.RunOnBoot);
    CheckBox3.SetChecked(config_.CpuEnforceModes);
    CheckBox4.SetChecked(config_.OptimizeDesktopMode);
    CheckBox5.SetChecked(config_.ShowSystemTrayIcon);
    (config_.ModeSwitcher == 1   ? RadioButton2
     : config_.ModeSwitcher == 2 ? RadioButton3
                                 : RadioButton1)
        .SetChecked(true);
    ComboBox2.SetItems(table_.FrequencySet);
    ComboBox2.SetText(std::to_string(config_.BatteryLimitLevel));
    CheckBox6.SetChecked(config_.BatteryLimit);
    const bool hasBattery = system_.ReadPowerSource().HasBattery;
    CheckBox6.SetEnabled(hasBattery);
    CheckBox6.SetHint(hasBattery ? kBatteryHint : kNoBatteryHint);
    CheckBox1Click();
    CheckBox3Click();
    CheckBox6Click();
}

void TAdvanceForm::CheckBox1Click() {
    ComboBox1.SetEnabled(CheckBox1.Checked());
}

void TAdvanceForm::CheckBox3Click() {
    SpinEdit1.SetEnabled(!CheckBox3.Checked());
}

void TAdvanceForm::CheckBox5Click() {
    config_.ShowSystemTrayIcon = CheckBox5.Checked();
    if (TrayChoiceChanged) {
        TrayChoiceChanged();
    }
}

void TAdvanceForm::CheckBox6Click() {
    ComboBox2.SetEnabled(CheckBox6.Checked() && CheckBox6.Enabled());
}

void TAdvanceForm::ComboBox1KeyPress(char& key) {
    FilterFrequencyKey(key);
}

void TAdvanceForm::ComboBox2KeyPress(char& key) {
    FilterFrequencyKey(key);
}

void TAdvanceForm::DefaultBitBtnClick() {
    // The defaults a missing key loads with; start at log-on is off by default.
    SpinEdit1.SetValue(DefaultOf(&Settings::DelayBeforeOverride));
    SpinEdit2.SetValue(DefaultOf(&Settings::AutoDisableTimespan));
    SpinEdit3.SetValue(DefaultOf(&Settings::AutoDisableTimeAllowed));
    SpinEdit4.SetValue(DefaultOf(&Settings::PowerSaveDelay));
    ComboBox1.SetText(std::to_string(DefaultOf(&Settings::RunAtSetFrequencyLevel)));
    CheckBox1.SetChecked(DefaultOf(&Settings::RunAtSetFrequency) != 0);
    CheckBox2.SetChecked(false);
    CheckBox3.SetChecked(DefaultOf(&Settings::CpuEnforceModes) != 0);
    CheckBox4.SetChecked(DefaultOf(&Settings::OptimizeDesktopMode) != 0);
    CheckBox5.SetChecked(DefaultOf(&Settings::ShowSystemTrayIcon) != 0);
    const auto switcher = DefaultOf(&Settings::ModeSwitcher);
    (switcher == 1 ? RadioButton2 : switcher == 2 ? RadioButton3 : RadioButton1).SetChecked(true);
    CheckBox6.SetChecked(DefaultOf(&Settings::BatteryLimit) != 0);
    ComboBox2.SetText(std::to_string(DefaultOf(&Settings::BatteryLimitLevel)));
    CheckBox1Click();
    CheckBox3Click();
    CheckBox6Click();
}

void TAdvanceForm::BitBtnCloseClick() {
    // Value() reads each field clamped to its range, whatever was typed.
    config_.DelayBeforeOverride = static_cast<std::uint32_t>(SpinEdit1.Value());
    config_.AutoDisableTimespan = static_cast<std::uint32_t>(SpinEdit2.Value());
    override_.SettingsChanged();
    config_.AutoDisableTimeAllowed = SpinEdit3.Value();
    config_.PowerSaveDelay = SpinEdit4.Value();
    config_.RunAtSetFrequency = CheckBox1.Checked();
    if (const auto level = ParseInteger(ComboBox1.Text())) {
        config_.RunAtSetFrequencyLevel = *level;
    }
    config_.RunOnBoot = CheckBox2.Checked();
    config_.OptimizeDesktopMode = CheckBox4.Checked();
    config_.ModeSwitcher = RadioButton2.Checked() ? 1 : RadioButton3.Checked() ? 2 : 0;
    config_.CpuEnforceModes = CheckBox3.Checked();
    const bool batteryLimit = config_.BatteryLimit;
    const std::int32_t batteryLevel = config_.BatteryLimitLevel;
    config_.BatteryLimit = CheckBox6.Checked();
    if (const auto level = ParseInteger(ComboBox2.Text())) {
        config_.BatteryLimitLevel = *level;
    }
    override_.RestartEnforcement();
    // A new limit holds at once; the rest waits for the next change, as it always has.
    if (config_.BatteryLimit != batteryLimit || config_.BatteryLimitLevel != batteryLevel) {
        override_.BatteryLimitChanged();
    }
    Hide();
}

void TAdvanceForm::FormHide() {
    system_.TrimWorkingSet();
}

} // namespace tvm
