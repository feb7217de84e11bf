#pragma once

#include "display/DisplayService.h"

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tvm {

// A bad mode-list file: the message names the file and the line.
class ModeListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the simulated driver keeps of each mode besides the four fields the program
// reads; it rides in DisplayMode::Native and must come back untouched.
struct SimModeExtra {
    std::uint32_t Fields; // which fields the driver filled
    std::uint32_t Index;  // the driver's own number for the mode
    std::uint32_t Flags;  // display flags, opaque to the program
    std::uint32_t Magic;  // proves the record came from this driver
};

// A display driver in memory. ChangeMode checks the request against the mode list
// and, like Windows, tells the listener about the change before it returns.
class SimDisplay : public DisplayService {
public:
    static constexpr std::uint32_t ExtraMagic = 0x53494D44; // "SIMD"

    SimDisplay() = default;
    explicit SimDisplay(std::vector<DisplayMode> modes, std::size_t current = 0);

    // Reads a mode list from a text file. One mode per line:
    //   <width> <height> <bits> <frequency>[,<frequency>...] [*]
    // A list of frequencies stands for one mode per frequency, in that order; "*"
    // marks the current mode (the first mode otherwise). '#' starts a comment.
    static SimDisplay FromFile(const std::string& path);
    static std::vector<DisplayMode> ParseModeList(const std::string& text,
                                                  const std::string& fileName,
                                                  std::size_t* current = nullptr);
    static DisplayMode MakeMode(std::uint32_t width, std::uint32_t height, std::uint32_t bits,
                                std::uint32_t frequency, std::uint32_t index = 0);

    bool EnumerateMode(std::uint32_t index, DisplayMode& mode) override;
    std::uint32_t CurrentRefresh() override;
    std::uint32_t CurrentDepth() override;
    std::uint32_t CurrentWidth() override;
    std::uint32_t CurrentHeight() override;
    std::int32_t ChangeMode(const DisplayMode& mode, std::uint32_t flags) override;

    // What the simulation lets a test see and arrange.
    const std::vector<DisplayMode>& Modes() const { return modes_; }
    const DisplayMode& Current() const { return current_; }
    // The refresh rate of the current mode as the driver holds it.
    std::uint32_t CurrentFrequency() const { return current_.DisplayFrequency; }
    // Another program (a game) switches the display; the listener hears of it unless
    // `notify` is false (a change made outside the window system, which sends nothing).
    std::int32_t SwitchTo(std::uint32_t width, std::uint32_t height, std::uint32_t bits,
                          std::uint32_t frequency, bool notify = true);
    // The system announces a display change (on this display or another one).
    void AnnounceChange() { NotifyChange(); }
    // The driver starts offering another mode (a new monitor, a new driver).
    void AddMode(std::uint32_t width, std::uint32_t height, std::uint32_t bits,
                 std::uint32_t frequency);
    // The driver refuses every change with this code (0: accept again).
    void RefuseChanges(std::int32_t result) { refusal_ = result; }
    // The driver answers a request for `asked` Hz with the mode's `given` Hz, as
    // drivers do with rates they map to others (0 and 1 already give the first listed).
    void SubstituteRate(std::uint32_t asked, std::uint32_t given) {
        substitutes_.push_back({asked, given});
    }

    struct ChangeRequest {
        std::uint32_t Width, Height, Bits, Frequency, Flags;
        std::int32_t Result;
    };
    const std::vector<ChangeRequest>& Changes() const { return changes_; }
    std::size_t EnumerateCalls() const { return enumerateCalls_; }
    // The mode stored as the system's default by CDS_UPDATEREGISTRY, if any.
    const DisplayMode* RegistryMode() const { return hasRegistryMode_ ? &registryMode_ : nullptr; }

private:
    const DisplayMode* FindMode(const DisplayMode& request) const;

    std::vector<DisplayMode> modes_;
    DisplayMode current_{};
    DisplayMode registryMode_{};
    bool hasRegistryMode_ = false;
    std::int32_t refusal_ = 0;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> substitutes_;
    bool silent_ = false;
    std::vector<ChangeRequest> changes_;
    std::size_t enumerateCalls_ = 0;
};

} // namespace tvm
