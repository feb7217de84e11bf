#pragma once

#include <string>

namespace tvm {

// The file-system facts and acts that choosing the settings file needs. Paths are
// UTF-8 text in the platform's own form; the platform joins them.
class SettingsFolders {
public:
    virtual ~SettingsFolders() = default;

    // The folder the running executable lives in.
    virtual std::string ExecutableFolder() = 0;
    // The user's local application-data folder; empty when the system cannot say.
    virtual std::string LocalAppData() = 0;
    // The Windows directory, where a bare private-profile file name used to land.
    virtual std::string WindowsFolder() = 0;

    virtual std::string Join(const std::string& folder, const std::string& name) = 0;
    // True when `path` names an existing file (not a folder).
    virtual bool FileExists(const std::string& path) = 0;
    // True when the folder exists afterwards.
    virtual bool CreateFolder(const std::string& path) = 0;
    // Copies byte for byte; `to` must not exist, and is either whole or absent after
    // the call. False when the copy failed.
    virtual bool CopyFileBytes(const std::string& from, const std::string& to) = 0;
};

inline constexpr const char* kSettingsFileName = "Tavelmorind.ini";

// The full path of the settings file, chosen once at start-up:
// - "Tavelmorind.ini" beside the executable when the user put one there (portable use);
// - else "Tavelmorind\Tavelmorind.ini" under the local application-data folder, whose
//   "Tavelmorind" folder is created when missing. A program that ran before kept its
//   file elsewhere: the per-user copy an older 32-bit build got through the
//   VirtualStore, or the Windows directory. When the per-user file does not exist yet,
//   the first of those that can be copied is copied there, byte for byte, and left
//   where it was.
std::string ChooseSettingsFile(SettingsFolders& folders);

} // namespace tvm
