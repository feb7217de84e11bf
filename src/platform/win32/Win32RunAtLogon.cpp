#include "platform/win32/Win32RunAtLogon.h"

#include <vector>

#include <windows.h>

namespace tvm {

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The key open with full access for the length of one call; never created.
class RunKey {
public:
    RunKey() {
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_ALL_ACCESS, &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~RunKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    RunKey(const RunKey&) = delete;
    RunKey& operator=(const RunKey&) = delete;

    HKEY Handle() const { return key_; }

private:
    HKEY key_ = nullptr;
};

} // namespace

RunAtLogon::ReadResult Win32RunAtLogon::ReadValue(const std::string& name) {
    const RunKey key;
    if (key.Handle() == nullptr) {
        return {ReadStatus::NoAccess, {}};
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.Handle(), name.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return {ReadStatus::Missing, {}};
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        return {ReadStatus::WrongType, {}};
    }
    // Another program may change the value between the size query and the read.
    std::vector<char> data;
    LONG result = ERROR_MORE_DATA;
    while (result == ERROR_MORE_DATA) {
        data.resize(size + 1);
        size = static_cast<DWORD>(data.size());
        result = RegQueryValueExA(key.Handle(), name.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(data.data()), &size);
    }
    if (result != ERROR_SUCCESS) {
        return {ReadStatus::Missing, {}};
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        return {ReadStatus::WrongType, {}};
    }
    // The stored size may or may not count a terminating zero, and the text ends at the
    // first one either way.
    data.resize(size);
    data.push_back('\0');
    return {ReadStatus::Text, std::string(data.data())};
}

bool Win32RunAtLogon::WriteValue(const std::string& name, const std::string& text) {
    const RunKey key;
    if (key.Handle() == nullptr) {
        return false;
    }
    const DWORD size = static_cast<DWORD>(text.size() + 1);
    if (RegSetValueExA(key.Handle(), name.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(text.c_str()), size) != ERROR_SUCCESS) {
        return false;
    }
    // The value is written once the call above succeeded: a flush that fails after it
    // does not take the value back, so it is no failed write.
    RegFlushKey(key.Handle());
    return true;
}

void Win32RunAtLogon::DeleteValue(const std::string& name) {
    const RunKey key;
    if (key.Handle() != nullptr) {
        RegDeleteValueA(key.Handle(), name.c_str());
    }
}

std::string Win32RunAtLogon::ExecutablePath() {
    // A path that does not fit comes back cut, with the whole buffer used.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length == 0) {
            return {};
        }
        if (length < size) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace tvm
