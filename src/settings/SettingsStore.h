#pragma once

#include "settings/Profile.h"
#include "settings/RunAtLogon.h"
#include "settings/Settings.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <span>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace tvm {

// One option of the settings file.
struct SettingKey {
    const char* Section;
    const char* Name;
    std::int32_t Default;
    using Field = std::variant<bool Settings::*, std::int32_t Settings::*,
                               std::uint32_t Settings::*, std::uint8_t Settings::*>;
    Field Where;
    // The option's place in the order a save writes (a new file lists them so).
    int SavedAt;
    // A value read outside these bounds is brought inside them.
    std::int32_t Min = std::numeric_limits<std::int32_t>::min();
    std::int32_t Max = std::numeric_limits<std::int32_t>::max();
};

// The options in the order a load reads them.
std::span<const SettingKey> SettingKeys();
// The default of the option kept in `field`, as the load gives it to a missing key.
std::int32_t DefaultOf(SettingKey::Field field);

// "Tavelmorind.ini" and the Run value: every option read key by key at start-up and
// written when the user saves. Each read or write goes to the file at once.
class SettingsStore {
public:
    SettingsStore(Profile& ini, RunAtLogon& runKey) : ini_(ini), runKey_(runKey) {}

    // The first-run marker.
    bool ProgramRunBefore();
    void MarkProgramRunBefore();

    // Every option of SettingKeys(), into its field in the table's order; a missing or
    // unreadable value gives the default. `loaded` runs after each field is set, so that
    // what an option switches on sees only the options read before it.
    void LoadOptions(Settings& config,
                     const std::function<void(const SettingKey&)>& loaded = nullptr);
    // Every option, in the save order; raises "Unable to write to <file>" at the first
    // write refused, and writes nothing after it.
    void SaveOptions(const Settings& config);

    // The Set At value saved for a mode of the primary display ("Frequencies"), or of
    // the display whose monitor is `monitor`; 0 when none is (or a negative one is).
    std::int32_t ReadFrequency(const std::string& key, const std::string& monitor = "");
    // Replaces the saved Set At values of the primary display, or of the display whose
    // monitor is `monitor` (named `name` in the file for whoever reads it), with `rows`
    // (mode key, Set At text), in order; an empty list leaves no section. The sections
    // of other monitors stay as they are.
    void SaveFrequencies(const std::vector<std::pair<std::string, std::string>>& rows,
                         const std::string& monitor = "", const std::string& name = "");

    // Whether the program starts at log-on, from the user's Run value or an older
    // version's machine-wide one. Raises "Invalid data type for 'Tavelmorind'" when the
    // user's value is not text.
    bool ReadRunOnBoot();
    enum class RunValueOutcome {
        Saved,
        // The machine-wide value of an older version is there and could not be removed.
        MachineValueStays,
    };
    // Leaves exactly one value that starts the program, or none: on, the user's value
    // is written and the machine-wide one removed (when it cannot be, and it starts this
    // program, it is the one, and the user's goes); off, both are removed. Raises
    // "Failed to set data for 'Tavelmorind'" when the write is refused.
    RunValueOutcome SaveRunOnBoot(bool runOnBoot);

private:
    bool StartsThisProgram(const RunAtLogon::ReadResult& run);
    std::int32_t ReadInteger(const std::string& section, const std::string& key,
                             std::int32_t fallback);
    void WriteString(const std::string& section, const std::string& key, const std::string& value);

    Profile& ini_;
    RunAtLogon& runKey_;
};

} // namespace tvm
