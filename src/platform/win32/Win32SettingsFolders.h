#pragma once

#include "settings/SettingsLocation.h"

#include <string>

namespace tvm {

// The full path of the running executable, UTF-8.
std::string Win32ExecutablePath();

// The places and file operations of the settings file's choice, through the W calls:
// the known folder LocalAppData, the Windows directory, the executable's folder.
class Win32SettingsFolders : public SettingsFolders {
public:
    std::string ExecutableFolder() override;
    std::string LocalAppData() override;
    std::string WindowsFolder() override;
    std::string Join(const std::string& folder, const std::string& name) override;
    bool FileExists(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    bool CopyFileBytes(const std::string& from, const std::string& to) override;
};

} // namespace tvm
