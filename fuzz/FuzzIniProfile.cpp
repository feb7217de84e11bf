// fuzz-sources: src/base/*.cpp src/platform/sim/IniFileProfile.cpp src/platform/sim/ProfileText.cpp
//
// Arbitrary bytes as the settings file, then what the program does with it: read every
// key it knows, save a value, erase and rewrite the "Frequencies" section.

#include "base/IntegerText.h"
#include "platform/sim/IniFileProfile.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// tools/fuzz.sh hands over a memory-backed folder (every write of the profile is
// synced to disk) and removes it afterwards; a run by hand works in the temp folder.
const fs::path& IniPath() {
    static const fs::path path = [] {
        const char* given = std::getenv("TAVELMORIND_FUZZ_DIR");
        const fs::path folder =
            given != nullptr
                ? fs::path(given)
                : fs::temp_directory_path() / ("tavelmorind-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        return folder / "Tavelmorind.ini";
    }();
    return path;
}

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writing back a line that starts with a UTF-16 byte-order mark, once the lines above
// it are gone, turns the file into UTF-16 for the next load, as it does under Windows;
// what was written then reads back as something else.
bool TurnedUtf16(const std::string& input, const fs::path& path) {
    const auto utf16 = [](const std::string& bytes) {
        return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    };
    return !utf16(input) && utf16(Contents(path));
}

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

const char* const kKeys[][2] = {
    {"Init", "Program Run Before"},
    {"Main Options", "Switched On"},
    {"Main Options", "Fastest Frequency"},
    {"Advanced Options", "Delay before Override"},
    {"Advanced Options", "AutoDisable Time Allowed"},
    {"Advanced Options", "AutoDisable Timespan"},
    {"Advanced Options", "Run at Set Frequency"},
    {"Advanced Options", "Run at Set Frequency Level"},
    {"Advanced Options", "CPU Enforce Modes"},
    {"Advanced Options", "Show System Tray Icon"},
    {"Advanced Options", "Optimize Desktop Mode"},
    {"Advanced Options", "Mode Switcher"},
    {"Advanced Options", "Power Save Delay"},
    {"Frequencies", "640x480 - 8 BPP"},
    {"Frequencies", "1024x768 - 32 BPP"},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path& path = IniPath();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    tvm::IniFileProfile profile(path, "Tavelmorind.ini");

    for (const auto& [section, key] : kKeys) {
        tvm::StrToIntDef(profile.ReadString(section, key, "30"), 30);
    }

    const std::string input(reinterpret_cast<const char*>(data), size);
    Check(profile.WriteString("Advanced Options", "Mode Switcher", "2"));
    if (TurnedUtf16(input, path)) {
        return 0;
    }
    Check(profile.ReadString("Advanced Options", "Mode Switcher", "") == "2");
    const std::string saved = Contents(path);
    Check(profile.WriteString("advanced options", "MODE SWITCHER", "2"));
    Check(Contents(path) == saved);

    Check(profile.EraseSection("Frequencies"));
    if (TurnedUtf16(input, path)) {
        return 0;
    }
    Check(profile.WriteString("Frequencies", "1024x768 - 32 BPP", "85"));
    if (TurnedUtf16(input, path)) {
        return 0;
    }
    Check(profile.ReadString("Frequencies", "1024x768 - 32 BPP", "") == "85");
    return 0;
}
