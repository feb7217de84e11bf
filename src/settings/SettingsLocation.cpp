#include "settings/SettingsLocation.h"

namespace tvm {

namespace {

constexpr const char* kFolderName = "Tavelmorind";

} // namespace

std::string ChooseSettingsFile(SettingsFolders& folders) {
    const std::string portable = folders.Join(folders.ExecutableFolder(), kSettingsFileName);
    const std::string localAppData = folders.LocalAppData();
    if (folders.FileExists(portable) || localAppData.empty()) {
        // Without a per-user folder the file beside the program is the only place left.
        return portable;
    }

    const std::string folder = folders.Join(localAppData, kFolderName);
    const std::string perUser = folders.Join(folder, kSettingsFileName);
    // A folder that cannot be created shows later, when the first write names the path.
    if (folders.CreateFolder(folder) && !folders.FileExists(perUser)) {
        const std::string virtualStore = folders.Join(
            folders.Join(folders.Join(localAppData, "VirtualStore"), "Windows"), kSettingsFileName);
        const std::string windowsFolder = folders.WindowsFolder();
        const std::string windows =
            windowsFolder.empty() ? std::string() : folders.Join(windowsFolder, kSettingsFileName);
        for (const std::string& legacy : {virtualStore, windows}) {
            if (!legacy.empty() && folders.FileExists(legacy) &&
                folders.CopyFileBytes(legacy, perUser)) {
                break;
            }
        }
    }
    return perUser;
}

} // namespace tvm
