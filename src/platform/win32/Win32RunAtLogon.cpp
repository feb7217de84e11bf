#include "platform/win32/Win32RunAtLogon.h"

#include "platform/win32/Win32SettingsFolders.h"
#include "platform/win32/Win32Text.h"

#include <vector>

#include <windows.h>

namespace tvm {

namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

HKEY Root(RunAtLogon::Hive hive) {
    return hive == RunAtLogon::Hive::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// The Run key, open with just the access one call needs, for the length of that call.
class RunKey {
public:
    RunKey(RunAtLogon::Hive hive, REGSAM access) {
        result_ = RegOpenKeyExW(Root(hive), kRunKey, 0, access, &key_);
        if (result_ != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    // The user's key, created when a fresh profile has none yet.
    static RunKey ForWriting() {
        RunKey key;
        key.result_ = RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE,
                                      nullptr, &key.key_, nullptr);
        if (key.result_ != ERROR_SUCCESS) {
            key.key_ = nullptr;
        }
        return key;
    }
    ~RunKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    RunKey(RunKey&& other) noexcept : key_(other.key_), result_(other.result_) {
        other.key_ = nullptr;
    }
    RunKey(const RunKey&) = delete;
    RunKey& operator=(const RunKey&) = delete;
    RunKey& operator=(RunKey&&) = delete;

    HKEY Handle() const { return key_; }
    LONG Result() const { return result_; }

private:
    RunKey() = default;
    HKEY key_ = nullptr;
    LONG result_ = ERROR_SUCCESS;
};

} // namespace

RunAtLogon::ReadResult Win32RunAtLogon::ReadValue(Hive hive, const std::string& name) {
    const RunKey key(hive, KEY_QUERY_VALUE);
    if (key.Handle() == nullptr) {
        return {key.Result() == ERROR_FILE_NOT_FOUND ? ReadStatus::Missing : ReadStatus::NoAccess,
                {}};
    }
    const std::wstring wideName = Widen(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.Handle(), wideName.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return {ReadStatus::Missing, {}};
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        return {ReadStatus::WrongType, {}};
    }
    // Another program may change the value between the size query and the read.
    std::vector<wchar_t> data;
    LONG result = ERROR_MORE_DATA;
    while (result == ERROR_MORE_DATA) {
        data.resize(size / sizeof(wchar_t) + 1);
        size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        result = RegQueryValueExW(key.Handle(), wideName.c_str(), nullptr, &type,
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
    data.resize(size / sizeof(wchar_t));
    data.push_back(L'\0');
    return {ReadStatus::Text, Narrow(data.data())};
}

bool Win32RunAtLogon::WriteValue(const std::string& name, const std::string& text) {
    const RunKey key = RunKey::ForWriting();
    if (key.Handle() == nullptr) {
        return false;
    }
    const std::wstring wideText = Widen(text);
    const DWORD size = static_cast<DWORD>((wideText.size() + 1) * sizeof(wchar_t));
    if (RegSetValueExW(key.Handle(), Widen(name).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(wideText.c_str()), size) != ERROR_SUCCESS) {
        return false;
    }
    // The value is written once the call above succeeded: a flush that fails after it
    // does not take the value back, so it is no failed write.
    RegFlushKey(key.Handle());
    return true;
}

RunAtLogon::DeleteStatus Win32RunAtLogon::DeleteValue(Hive hive, const std::string& name) {
    const std::wstring wideName = Widen(name);
    {
        const RunKey key(hive, KEY_SET_VALUE);
        if (key.Handle() != nullptr) {
            const LONG result = RegDeleteValueW(key.Handle(), wideName.c_str());
            if (result == ERROR_SUCCESS) {
                RegFlushKey(key.Handle());
                return DeleteStatus::Deleted;
            }
            if (result == ERROR_FILE_NOT_FOUND) {
                return DeleteStatus::Missing;
            }
        }
    }
    // The key did not open for changing, or refused the delete: whether that matters
    // depends on whether there is a value at all.
    const RunKey reading(hive, KEY_QUERY_VALUE);
    if (reading.Handle() == nullptr ||
        RegQueryValueExW(reading.Handle(), wideName.c_str(), nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
        return DeleteStatus::Missing;
    }
    return DeleteStatus::Refused;
}

std::string Win32RunAtLogon::ExecutablePath() {
    return Win32ExecutablePath();
}

} // namespace tvm
