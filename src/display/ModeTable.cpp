#include "display/ModeTable.h"

#include "base/IntegerText.h"

#include <algorithm>

namespace tvm {

namespace {

// The frequency set sorts as text, ignoring case, the way the user's locale sorts
// words; so "100" comes before "60".
bool TextLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lx = static_cast<unsigned char>(x >= 'A' && x <= 'Z' ? x + 32 : x);
        const auto ly = static_cast<unsigned char>(y >= 'A' && y <= 'Z' ? y + 32 : y);
        return lx < ly;
    });
}

} // namespace

void ModeTable::AddToFrequencySet(std::uint32_t frequency) {
    const std::string text = std::to_string(frequency);
    const auto at = std::lower_bound(FrequencySet.begin(), FrequencySet.end(), text, TextLess);
    if (at == FrequencySet.end() || TextLess(text, *at)) {
        FrequencySet.insert(at, text);
    }
}

void ModeTable::BuildModeTable() {
    rows_.clear();
    rowOfKey_.clear();
    FastestTable.assign(1, 0);
    FrequencySet.clear();
    AnyFrequencyDetected = false;

    DisplayMode mode;
    for (std::uint32_t index = 0; display_->EnumerateMode(index, mode); ++index) {
        const ModeKey key = MakeModeKey(mode.PelsWidth, mode.PelsHeight, mode.BitsPerPel);
        const std::string label = MakeFrequencyLabel(mode.DisplayFrequency);
        const std::uint32_t frequency = mode.DisplayFrequency;

        const auto [found, isNew] = rowOfKey_.try_emplace(key, rows_.size());
        const std::size_t row = found->second;
        if (isNew) {
            rows_.push_back(ModeRow{key, label, "0", 0, {}});
            FastestTable.push_back(0);
        } else {
            rows_[row].Detected += ", ";
            rows_[row].Detected += label;
        }
        if (frequency > 1 && frequency > FastestTable[row]) {
            FastestTable[row] = frequency;
        }
        auto& rates = rows_[row].Rates;
        if (frequency > 1 && std::find(rates.begin(), rates.end(), frequency) == rates.end()) {
            rates.push_back(frequency);
        }
        if (frequency != 0) {
            AddToFrequencySet(frequency);
            AnyFrequencyDetected = true;
        }
    }
}

std::uint32_t RateToApply(const ModeRow& row, std::optional<std::uint32_t> cap) {
    if (!cap || row.Rate <= *cap) {
        return row.Rate;
    }
    std::uint32_t fastest = 0;
    for (const std::uint32_t rate : row.Rates) {
        if (rate <= *cap && rate > fastest) {
            fastest = rate;
        }
    }
    return fastest;
}

std::optional<std::size_t> ModeTable::Find(const ModeKey& key) const {
    if (const auto found = rowOfKey_.find(key); found != rowOfKey_.end()) {
        return found->second;
    }
    return std::nullopt;
}

bool ModeTable::SetSetAt(std::size_t index, const std::string& text) {
    const std::int32_t value = StrToInt(text);
    if (value < 0 || index >= rows_.size()) {
        return false;
    }
    rows_[index].SetAt = text;
    rows_[index].Rate = static_cast<std::uint32_t>(value);
    return true;
}

void ModeTable::SetRate(std::size_t index, std::uint32_t rate) {
    rows_[index].SetAt = std::to_string(rate);
    rows_[index].Rate = rate;
}

void ModeTable::ApplyFastest(bool automatic) {
    for (std::size_t index = 0; index < rows_.size(); ++index) {
        SetRate(index, automatic ? FastestTable[index] : 0);
    }
}

void ModeTable::SetDetectedText(const std::string& text) {
    for (ModeRow& row : rows_) {
        row.Detected = text;
    }
}

ModeTable::Choices ModeTable::ChoicesFor(std::size_t index) const {
    Choices choices;
    choices.Items.push_back("0");
    if (index >= rows_.size()) {
        return choices;
    }
    const ModeRow& row = rows_[index];
    if (row.SetAt != "0") {
        choices.Items.push_back(row.SetAt);
        choices.Selection = 1;
    }
    DisplayMode mode;
    for (std::uint32_t i = 0; display_->EnumerateMode(i, mode); ++i) {
        if (mode.DisplayFrequency == 0 ||
            MakeModeKey(mode.PelsWidth, mode.PelsHeight, mode.BitsPerPel) != row.Key) {
            continue;
        }
        std::string text = std::to_string(mode.DisplayFrequency);
        if (text != row.SetAt) {
            choices.Items.push_back(std::move(text));
        }
    }
    return choices;
}

} // namespace tvm
