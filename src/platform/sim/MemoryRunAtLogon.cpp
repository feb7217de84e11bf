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

RunAtLogon::ReadResult MemoryRunAtLogon::ReadValue(Hive hive, const std::string& name) {
    const Key& key = At(hive);
    if (key.NoAccess) {
        return {ReadStatus::NoAccess, {}};
    }
    const auto found = key.Values.find(LowerAscii(name));
    if (found == key.Values.end()) {
        return {ReadStatus::Missing, {}};
    }
    if (!found->second.Text) {
        return {ReadStatus::WrongType, {}};
    }
    return {ReadStatus::Text, *found->second.Text};
}

bool MemoryRunAtLogon::WriteValue(const std::string& name, const std::string& text) {
    Key& key = user_;
    if (key.NoAccess || key.ReadOnly || key.WriteRefused) {
        return false;
    }
    ++writeCount_;
    Store(key, name, text);
    return true;
}

RunAtLogon::DeleteStatus MemoryRunAtLogon::DeleteValue(Hive hive, const std::string& name) {
    Key& key = At(hive);
    const auto found = key.Values.find(LowerAscii(name));
    if (found == key.Values.end()) {
        return DeleteStatus::Missing;
    }
    if (key.NoAccess || key.ReadOnly) {
        return DeleteStatus::Refused;
    }
    key.Values.erase(found);
    return DeleteStatus::Deleted;
}

std::string MemoryRunAtLogon::ExecutablePath() {
    return executablePath_;
}

void MemoryRunAtLogon::StoreText(const std::string& name, const std::string& text, Hive hive) {
    Store(At(hive), name, text);
}

void MemoryRunAtLogon::StoreWrongType(const std::string& name, Hive hive) {
    Store(At(hive), name, std::nullopt);
}

std::optional<std::string> MemoryRunAtLogon::StoredText(const std::string& name, Hive hive) const {
    const Key& key = At(hive);
    const auto found = key.Values.find(LowerAscii(name));
    return found == key.Values.end() ? std::nullopt : found->second.Text;
}

bool MemoryRunAtLogon::Contains(const std::string& name, Hive hive) const {
    return At(hive).Values.contains(LowerAscii(name));
}

std::optional<std::string> MemoryRunAtLogon::StoredName(const std::string& name) const {
    const auto found = user_.Values.find(LowerAscii(name));
    return found == user_.Values.end() ? std::nullopt : std::optional(found->second.Name);
}

void MemoryRunAtLogon::Store(Key& key, const std::string& name, std::optional<std::string> text) {
    // An existing value keeps its name's case; only its data changes.
    key.Values.try_emplace(LowerAscii(name), Value{name, {}}).first->second.Text = std::move(text);
}

} // namespace tvm
