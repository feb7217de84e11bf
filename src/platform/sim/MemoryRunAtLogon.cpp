#include "platform/sim/MemoryRunAtLogon.h"

#include <utility>

namespace tvm {

namespace {

std::string LowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

} // namespace

MemoryRunAtLogon::MemoryRunAtLogon(std::string executablePath)
    : executablePath_(std::move(executablePath)) {}

RunAtLogon::ReadResult MemoryRunAtLogon::ReadValue(const std::string& name) {
    if (noAccess_) {
        return {ReadStatus::NoAccess, {}};
    }
    const auto found = values_.find(LowerAscii(name));
    if (found == values_.end()) {
        return {ReadStatus::Missing, {}};
    }
    if (!found->second.Text) {
        return {ReadStatus::WrongType, {}};
    }
    return {ReadStatus::Text, *found->second.Text};
}

bool MemoryRunAtLogon::WriteValue(const std::string& name, const std::string& text) {
    if (noAccess_ || writeRefused_) {
        return false;
    }
    ++writeCount_;
    Store(name, text);
    return true;
}

void MemoryRunAtLogon::DeleteValue(const std::string& name) {
    if (!noAccess_) {
        values_.erase(LowerAscii(name));
    }
}

std::string MemoryRunAtLogon::ExecutablePath() {
    return executablePath_;
}

void MemoryRunAtLogon::StoreText(const std::string& name, const std::string& text) {
    Store(name, text);
}

void MemoryRunAtLogon::StoreWrongType(const std::string& name) {
    Store(name, std::nullopt);
}

std::optional<std::string> MemoryRunAtLogon::StoredText(const std::string& name) const {
    const auto found = values_.find(LowerAscii(name));
    return found == values_.end() ? std::nullopt : found->second.Text;
}

bool MemoryRunAtLogon::Contains(const std::string& name) const {
    return values_.contains(LowerAscii(name));
}

std::optional<std::string> MemoryRunAtLogon::StoredName(const std::string& name) const {
    const auto found = values_.find(LowerAscii(name));
    return found == values_.end() ? std::nullopt : std::optional(found->second.Name);
}

void MemoryRunAtLogon::Store(const std::string& name, std::optional<std::string> text) {
    // An existing value keeps its name's case; only its data changes.
    values_.try_emplace(LowerAscii(name), Value{name, {}}).first->second.Text = std::move(text);
}

} // namespace tvm
