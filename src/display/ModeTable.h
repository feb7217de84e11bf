#pragma once

#include "display/DisplayService.h"
#include "display/ModeKey.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tvm {

// One display mode of the table: its key, the labels of every frequency the driver
// listed for it, and the rate to enforce ("Set At").
struct ModeRow {
    ModeKey Key;
    // The labels in the driver's order, joined by ", ", duplicates kept.
    std::string Detected;
    // As typed or loaded, leading zeros included; "0" leaves the mode alone.
    std::string SetAt = "0";
    // SetAt's value, read once when it is set.
    std::uint32_t Rate = 0;
    // The driver's real rates for the mode (above 1), each once.
    std::vector<std::uint32_t> Rates;
};

// The rate to give a mode: its Set At, or under a cap (the battery's) that the Set At
// is above, the fastest rate the driver lists for the mode that is not above the cap;
// 0, leave the mode alone, when there is none (or the Set At is 0).
std::uint32_t RateToApply(const ModeRow& row, std::optional<std::uint32_t> cap);

// Every distinct mode the driver offers, in the order its key first comes in the
// enumeration. Built once at start-up; afterwards only the Set At values change.
class ModeTable {
public:
    explicit ModeTable(DisplayService& display) : display_(&display) {}

    void BuildModeTable();

    std::size_t Count() const { return rows_.size(); }
    const ModeRow& Row(std::size_t index) const { return rows_[index]; }
    // The index of the row whose key is `key`.
    std::optional<std::size_t> Find(const ModeKey& key) const;

    // Raises "'<text>' is not a valid integer value" for text that is not a number and
    // leaves the row as it was; so does a negative number, which would reach the driver
    // as a huge unsigned frequency (false).
    bool SetSetAt(std::size_t index, const std::string& text);
    // Set At as the decimal text of `rate`.
    void SetRate(std::size_t index, std::uint32_t rate);
    // Every Set At becomes the mode's fastest rate (automatic) or "0".
    void ApplyFastest(bool automatic);
    // Every row's detected frequencies read `text`.
    void SetDetectedText(const std::string& text);

    // The frequency box's items for a row: "0", the Set At text unless it is "0", then
    // the driver's non-zero frequencies for the mode except the Set At text; `selection`
    // is the Set At item.
    struct Choices {
        std::vector<std::string> Items;
        int Selection = 0;
    };
    Choices ChoicesFor(std::size_t index) const;

    // The fastest frequency above 1 of each row, then a spare entry that stays 0.
    std::vector<std::uint32_t> FastestTable;
    // Every non-zero frequency of every mode, sorted as text ignoring case ("100"
    // before "60"), each once.
    std::vector<std::string> FrequencySet;
    bool AnyFrequencyDetected = false;

private:
    void AddToFrequencySet(std::uint32_t frequency);

    DisplayService* display_;
    std::vector<ModeRow> rows_;
    // A modern driver lists thousands of modes: the index spares a scan of every row.
    std::unordered_map<ModeKey, std::size_t> rowOfKey_;
};

} // namespace tvm
