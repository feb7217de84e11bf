#include "platform/win32/Win32SettingsFolders.h"

#include "platform/win32/Win32Text.h"

#include <vector>

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace tvm {

std::string Win32ExecutablePath() {
    // A path that does not fit comes back cut, with the whole buffer used.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) {
            return {};
        }
        if (length < size) {
            return Narrow(std::wstring(buffer.data(), length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string Win32SettingsFolders::ExecutableFolder() {
    const std::string path = Win32ExecutablePath();
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string Win32SettingsFolders::LocalAppData() {
    PWSTR folder = nullptr;
    std::string result;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder))) {
        result = Narrow(folder);
    }
    // Freed whether or not the call succeeded, as the documentation asks.
    CoTaskMemFree(folder);
    return result;
}

std::string Win32SettingsFolders::WindowsFolder() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const UINT length = GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return Narrow(std::wstring(buffer.data(), length));
        }
        buffer.resize(length + 1);
    }
}

std::string Win32SettingsFolders::Join(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') {
        return folder + name;
    }
    return folder + "\\" + name;
}

bool Win32SettingsFolders::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32SettingsFolders::CreateFolder(const std::string& path) {
    const std::wstring wide = Widen(path);
    if (CreateDirectoryW(wide.c_str(), nullptr)) {
        return true;
    }
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32SettingsFolders::CopyFileBytes(const std::string& from, const std::string& to) {
    // Copied under a name of its own and renamed when whole, so that a copy cut short
    // never passes for the settings file.
    const std::wstring target = Widen(to);
    const std::wstring partial = target + L".part";
    if (!CopyFileW(Widen(from).c_str(), partial.c_str(), FALSE)) {
        DeleteFileW(partial.c_str());
        return false;
    }
    // A file kept read-only in its old place must not make every save fail in the new one.
    const DWORD attributes = GetFileAttributesW(partial.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesW(partial.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
    }
    if (!MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(partial.c_str());
        return false;
    }
    return true;
}

} // namespace tvm
