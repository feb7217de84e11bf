#include "settings/SettingsStore.h"

#include "base/IntegerText.h"
#include "base/ProgramError.h"

#include <algorithm>
#include <array>

namespace tvm {

namespace {

constexpr const char* kInit = "Init";
constexpr const char* kMain = "Main Options";
constexpr const char* kAdvanced = "Advanced Options";
constexpr const char* kFrequencies = "Frequencies";
constexpr const char* kRunValueName = "Tavelmorind";

// Each option once: where it is, its default, its bounds, where its value goes, and
// when a save writes it.
constexpr std::array kKeys{
    SettingKey{kMain, "Switched On", 0, &Settings::SwitchedOn, 0},
    SettingKey{kMain, "Fastest Frequency", 1, &Settings::FastestFrequency, 1},
    SettingKey{kAdvanced, "Delay before Override", 0, &Settings::DelayBeforeOverride, 2},
    SettingKey{kAdvanced, "AutoDisable Time Allowed", 30, &Settings::AutoDisableTimeAllowed, 4},
    SettingKey{kAdvanced, "AutoDisable Timespan", 30000, &Settings::AutoDisableTimespan, 3},
    SettingKey{kAdvanced, "Run at Set Frequency", 0, &Settings::RunAtSetFrequency, 5},
    SettingKey{kAdvanced, "Run at Set Frequency Level", 60, &Settings::RunAtSetFrequencyLevel, 6},
    SettingKey{kAdvanced, "CPU Enforce Modes", 1, &Settings::CpuEnforceModes, 7},
    SettingKey{kAdvanced, "Show System Tray Icon", 1, &Settings::ShowSystemTrayIcon, 8},
    SettingKey{kAdvanced, "Optimize Desktop Mode", 0, &Settings::OptimizeDesktopMode, 9},
    // The file may hold any number; the low eight bits are kept.
    SettingKey{kAdvanced, "Mode Switcher", 0, &Settings::ModeSwitcher, 10},
    // The wait before a monitor command blocks the program; a value from a damaged file
    // must not block it for weeks.
    SettingKey{kAdvanced, "Power Save Delay", 3000, &Settings::PowerSaveDelay, 11, 0, 30000},
    SettingKey{kAdvanced, "Battery Limit", 0, &Settings::BatteryLimit, 12},
    SettingKey{kAdvanced, "Battery Limit Level", 60, &Settings::BatteryLimitLevel, 13},
};

// The table with the save order's positions filled in, so a misnumbered entry fails to
// compile rather than dropping a key from the file.
constexpr std::array<std::size_t, kKeys.size()> SaveOrder() {
    std::array<std::size_t, kKeys.size()> order{};
    std::array<bool, kKeys.size()> taken{};
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        const auto at = static_cast<std::size_t>(kKeys[i].SavedAt);
        if (at >= kKeys.size() || taken[at]) {
            throw "two options share a place in the save order";
        }
        taken[at] = true;
        order[at] = i;
    }
    return order;
}
constexpr auto kSaveOrder = SaveOrder();

template <class... Visitors> struct Overloaded : Visitors... { using Visitors::operator()...; };
// Spelled out for compilers without deduction for aggregates (clang before 17).
template <class... Visitors> Overloaded(Visitors...) -> Overloaded<Visitors...>;

std::int32_t ValueOf(const SettingKey& key, const Settings& config) {
    return std::visit(
        Overloaded{
            [&](bool Settings::*field) -> std::int32_t { return config.*field; },
            [&](std::int32_t Settings::*field) { return config.*field; },
            [&](std::uint32_t Settings::*field) {
                return static_cast<std::int32_t>(config.*field);
            },
            [&](std::uint8_t Settings::*field) -> std::int32_t { return config.*field; },
        },
        key.Where);
}

void Assign(const SettingKey& key, std::int32_t value, Settings& config) {
    std::visit(Overloaded{
                   [&](bool Settings::*field) { config.*field = value != 0; },
                   [&](std::int32_t Settings::*field) { config.*field = value; },
                   [&](std::uint32_t Settings::*field) {
                       config.*field = static_cast<std::uint32_t>(value);
                   },
                   [&](std::uint8_t Settings::*field) {
                       config.*field = static_cast<std::uint8_t>(value & 0xFF);
                   },
               },
               key.Where);
}

ProgramError UnableToWrite(const Profile& ini) {
    return ProgramError(FormatText("Unable to write to %s", ini.FileName()));
}

// The section a display's values go under: "Frequencies" for the primary, else
// "Frequencies <monitor>".
std::string FrequenciesSection(const std::string& monitor) {
    return monitor.empty() ? kFrequencies : std::string(kFrequencies) + " " + monitor;
}

// A path with a space runs as what precedes the space ("C:\Program.exe") unless quoted.
std::string RunCommandFor(const std::string& path) {
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

} // namespace

std::span<const SettingKey> SettingKeys() {
    return kKeys;
}

std::int32_t DefaultOf(SettingKey::Field field) {
    for (const SettingKey& key : kKeys) {
        if (key.Where == field) {
            return key.Default;
        }
    }
    return 0;
}

std::int32_t SettingsStore::ReadInteger(const std::string& section, const std::string& key,
                                        std::int32_t fallback) {
    return StrToIntDef(ini_.ReadString(section, key, ""), fallback);
}

void SettingsStore::WriteString(const std::string& section, const std::string& key,
                                const std::string& value) {
    if (!ini_.WriteString(section, key, value)) {
        throw UnableToWrite(ini_);
    }
}

bool SettingsStore::ProgramRunBefore() {
    return ReadInteger(kInit, "Program Run Before", 0) != 0;
}

void SettingsStore::MarkProgramRunBefore() {
    WriteString(kInit, "Program Run Before", "1");
}

void SettingsStore::LoadOptions(Settings& config,
                                const std::function<void(const SettingKey&)>& loaded) {
    for (const SettingKey& key : kKeys) {
        const std::int32_t value =
            std::clamp(ReadInteger(key.Section, key.Name, key.Default), key.Min, key.Max);
        Assign(key, value, config);
        if (loaded) {
            loaded(key);
        }
    }
}

void SettingsStore::SaveOptions(const Settings& config) {
    for (const std::size_t index : kSaveOrder) {
        const SettingKey& key = kKeys[index];
        WriteString(key.Section, key.Name, std::to_string(ValueOf(key, config)));
    }
}

std::int32_t SettingsStore::ReadFrequency(const std::string& key, const std::string& monitor) {
    // A negative rate would reach the driver as a huge unsigned frequency.
    return std::max(ReadInteger(FrequenciesSection(monitor), key, 0), 0);
}

void SettingsStore::SaveFrequencies(const std::vector<std::pair<std::string, std::string>>& rows,
                                    const std::string& monitor, const std::string& name) {
    const std::string section = FrequenciesSection(monitor);
    if (!ini_.EraseSection(section)) {
        throw UnableToWrite(ini_);
    }
    if (!rows.empty() && !name.empty()) {
        // No mode key reads "Monitor": the name cannot be taken for a mode.
        WriteString(section, "Monitor", name);
    }
    for (const auto& [key, setAt] : rows) {
        WriteString(section, key, setAt);
    }
}

bool SettingsStore::StartsThisProgram(const RunAtLogon::ReadResult& run) {
    const std::string path = runKey_.ExecutablePath();
    return run.Status == RunAtLogon::ReadStatus::Text &&
           (run.Text == path || run.Text == "\"" + path + "\"");
}

bool SettingsStore::ReadRunOnBoot() {
    // Windows starts the program at log-on from the user's value, and also from one
    // that an older version left in the machine's key; the check box says so for both.
    // Only the user's value can be put right by the user, so only its type is an error.
    const auto user = runKey_.ReadValue(RunAtLogon::Hive::User, kRunValueName);
    if (user.Status == RunAtLogon::ReadStatus::WrongType) {
        throw ProgramError(FormatText("Invalid data type for '%s'", kRunValueName));
    }
    return StartsThisProgram(user) ||
           StartsThisProgram(runKey_.ReadValue(RunAtLogon::Hive::Machine, kRunValueName));
}

SettingsStore::RunValueOutcome SettingsStore::SaveRunOnBoot(bool runOnBoot) {
    if (runOnBoot) {
        // Windows runs every entry at log-on: with the older machine-wide value beside
        // the user's, a second copy would start each time. The machine's value goes
        // where the rights allow; where they do not, it already starts the program.
        const auto machine = runKey_.ReadValue(RunAtLogon::Hive::Machine, kRunValueName);
        if (runKey_.DeleteValue(RunAtLogon::Hive::Machine, kRunValueName) ==
                RunAtLogon::DeleteStatus::Refused &&
            StartsThisProgram(machine)) {
            runKey_.DeleteValue(RunAtLogon::Hive::User, kRunValueName);
            return RunValueOutcome::Saved;
        }
        if (!runKey_.WriteValue(kRunValueName, RunCommandFor(runKey_.ExecutablePath()))) {
            throw ProgramError(FormatText("Failed to set data for '%s'", kRunValueName));
        }
        return RunValueOutcome::Saved;
    }
    runKey_.DeleteValue(RunAtLogon::Hive::User, kRunValueName);
    // An older version's value in the machine's key goes on starting the program until
    // someone with the rights removes it; the user must not be told otherwise.
    if (runKey_.DeleteValue(RunAtLogon::Hive::Machine, kRunValueName) ==
        RunAtLogon::DeleteStatus::Refused) {
        return RunValueOutcome::MachineValueStays;
    }
    return RunValueOutcome::Saved;
}

} // namespace tvm
