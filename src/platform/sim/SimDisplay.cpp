#include "platform/sim/SimDisplay.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace tvm {

namespace {

SimModeExtra ExtraOf(const DisplayMode& mode) {
    SimModeExtra extra{};
    std::memcpy(&extra, mode.Native.data(), sizeof extra);
    return extra;
}

bool ParseNumber(const std::string& text, std::uint32_t& value) {
    if (text.empty() || text.size() > 9) {
        return false;
    }
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return true;
}

} // namespace

SimDisplay::SimDisplay(std::vector<DisplayMode> modes, std::size_t current)
    : modes_(std::move(modes)) {
    if (current < modes_.size()) {
        current_ = modes_[current];
    }
}

DisplayMode SimDisplay::MakeMode(std::uint32_t width, std::uint32_t height, std::uint32_t bits,
                                 std::uint32_t frequency, std::uint32_t index) {
    DisplayMode mode;
    mode.PelsWidth = width;
    mode.PelsHeight = height;
    mode.BitsPerPel = bits;
    mode.DisplayFrequency = frequency;
    const SimModeExtra extra{0x005C0000u, index, index * 7u + 3u, ExtraMagic};
    std::memcpy(mode.Native.data(), &extra, sizeof extra);
    return mode;
}

std::vector<DisplayMode> SimDisplay::ParseModeList(const std::string& text,
                                                   const std::string& fileName,
                                                   std::size_t* current) {
    std::vector<DisplayMode> modes;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    if (current) {
        *current = 0;
    }
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (const auto hash = line.find('#'); hash != std::string::npos) {
            line.erase(hash);
        }
        std::istringstream words(line);
        std::vector<std::string> parts;
        for (std::string word; words >> word;) {
            parts.push_back(word);
        }
        if (parts.empty()) {
            continue;
        }
        auto fail = [&](const std::string& why) {
            return ModeListError(fileName + ":" + std::to_string(lineNumber) + ": " + why +
                                 " (expected '<width> <height> <bits> "
                                 "<frequency>[,<frequency>...] [*]')");
        };
        const bool isCurrent = parts.size() == 5 && parts[4] == "*";
        if (parts.size() != 4 && !isCurrent) {
            throw fail("wrong number of fields");
        }
        std::uint32_t width = 0, height = 0, bits = 0;
        if (!ParseNumber(parts[0], width) || !ParseNumber(parts[1], height) ||
            !ParseNumber(parts[2], bits)) {
            throw fail("'" + parts[0] + " " + parts[1] + " " + parts[2] +
                       "' is not a width, height and depth");
        }
        std::istringstream frequencies(parts[3]);
        bool first = true;
        for (std::string f; std::getline(frequencies, f, ',');) {
            std::uint32_t frequency = 0;
            if (!ParseNumber(f, frequency)) {
                throw fail("'" + f + "' is not a frequency");
            }
            if (isCurrent && first && current) {
                *current = modes.size();
            }
            first = false;
            modes.push_back(
                MakeMode(width, height, bits, frequency, static_cast<std::uint32_t>(modes.size())));
        }
        if (first) {
            throw fail("no frequency");
        }
    }
    return modes;
}

SimDisplay SimDisplay::FromFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw ModeListError(path + ": cannot be read");
    }
    std::ostringstream text;
    text << file.rdbuf();
    std::size_t current = 0;
    auto modes = ParseModeList(text.str(), path, &current);
    return SimDisplay(std::move(modes), current);
}

bool SimDisplay::EnumerateMode(std::uint32_t index, DisplayMode& mode) {
    ++enumerateCalls_;
    if (index >= modes_.size()) {
        return false;
    }
    mode = modes_[index];
    return true;
}

std::uint32_t SimDisplay::CurrentRefresh() {
    return current_.DisplayFrequency;
}

std::uint32_t SimDisplay::CurrentDepth() {
    return current_.BitsPerPel;
}
std::uint32_t SimDisplay::CurrentWidth() {
    return current_.PelsWidth;
}
std::uint32_t SimDisplay::CurrentHeight() {
    return current_.PelsHeight;
}

const DisplayMode* SimDisplay::FindMode(const DisplayMode& request) const {
    const bool wantsDefault = request.DisplayFrequency <= 1;
    std::uint32_t frequency = request.DisplayFrequency;
    for (const auto& [asked, given] : substitutes_) {
        if (asked == frequency) {
            frequency = given;
        }
    }
    for (const DisplayMode& mode : modes_) {
        if (mode.PelsWidth == request.PelsWidth && mode.PelsHeight == request.PelsHeight &&
            mode.BitsPerPel == request.BitsPerPel &&
            (wantsDefault || mode.DisplayFrequency == frequency)) {
            return &mode;
        }
    }
    return nullptr;
}

std::int32_t SimDisplay::ChangeMode(const DisplayMode& request, std::uint32_t flags) {
    std::int32_t result = DispChangeSuccessful;
    const DisplayMode* target = nullptr;
    if (ExtraOf(request).Magic != ExtraMagic) {
        result = DispChangeBadParam; // not a record this driver handed out
    } else if (flags != ChangeDynamic && flags != ChangeFullscreen &&
               flags != ChangeUpdateRegistry) {
        result = DispChangeBadFlags;
    } else if ((target = FindMode(request)) == nullptr) {
        result = DispChangeBadMode;
    } else if (refusal_ != 0) {
        result = refusal_;
    }
    changes_.push_back({request.PelsWidth, request.PelsHeight, request.BitsPerPel,
                        request.DisplayFrequency, flags, result});
    if (result != DispChangeSuccessful) {
        return result;
    }
    current_ = *target;
    if (flags == ChangeUpdateRegistry) {
        registryMode_ = *target;
        hasRegistryMode_ = true;
    }
    if (!silent_) {
        NotifyChange();
    }
    return result;
}

void SimDisplay::AddMode(std::uint32_t width, std::uint32_t height, std::uint32_t bits,
                         std::uint32_t frequency) {
    modes_.push_back(
        MakeMode(width, height, bits, frequency, static_cast<std::uint32_t>(modes_.size())));
}

std::int32_t SimDisplay::SwitchTo(std::uint32_t width, std::uint32_t height, std::uint32_t bits,
                                  std::uint32_t frequency, bool notify) {
    if (modes_.empty()) {
        return DispChangeBadMode;
    }
    DisplayMode request = modes_.front();
    request.PelsWidth = width;
    request.PelsHeight = height;
    request.BitsPerPel = bits;
    request.DisplayFrequency = frequency;
    silent_ = !notify;
    const std::int32_t result = ChangeMode(request, ChangeFullscreen);
    silent_ = false;
    return result;
}

} // namespace tvm
