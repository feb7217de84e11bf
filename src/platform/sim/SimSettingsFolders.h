#pragma once

#include "settings/SettingsLocation.h"

#include <filesystem>
#include <set>
#include <string>

namespace tvm {

// The settings file's places as real folders under one root: "exe", "LocalAppData"
// and "Windows". Faults a real machine shows can be injected: a file that cannot be
// read, a folder that cannot be created.
class SimSettingsFolders : public SettingsFolders {
public:
    explicit SimSettingsFolders(std::filesystem::path root);

    std::string ExecutableFolder() override;
    std::string LocalAppData() override;
    std::string WindowsFolder() override;
    std::string Join(const std::string& folder, const std::string& name) override;
    bool FileExists(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    bool CopyFileBytes(const std::string& from, const std::string& to) override;

    void SetUnreadable(const std::string& path) { unreadable_.insert(path); }
    void SetFolderCreationRefused(bool refused) { folderRefused_ = refused; }

private:
    std::filesystem::path root_;
    std::set<std::string> unreadable_;
    bool folderRefused_ = false;
};

} // namespace tvm
