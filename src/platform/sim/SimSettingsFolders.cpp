#include "platform/sim/SimSettingsFolders.h"

#include <system_error>
#include <utility>

namespace tvm {

namespace fs = std::filesystem;

SimSettingsFolders::SimSettingsFolders(fs::path root) : root_(std::move(root)) {
    for (const char* folder : {"exe", "LocalAppData", "Windows"}) {
        fs::create_directories(root_ / folder);
    }
}

std::string SimSettingsFolders::ExecutableFolder() {
    return (root_ / "exe").string();
}

std::string SimSettingsFolders::LocalAppData() {
    return (root_ / "LocalAppData").string();
}

std::string SimSettingsFolders::WindowsFolder() {
    return (root_ / "Windows").string();
}

std::string SimSettingsFolders::Join(const std::string& folder, const std::string& name) {
    return (fs::path(folder) / name).string();
}

bool SimSettingsFolders::FileExists(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool SimSettingsFolders::CreateFolder(const std::string& path) {
    std::error_code error;
    if (!folderRefused_) {
        fs::create_directory(path, error);
    }
    return fs::is_directory(path, error);
}

bool SimSettingsFolders::CopyFileBytes(const std::string& from, const std::string& to) {
    std::error_code error;
    return !unreadable_.contains(from) && !fs::exists(to, error) &&
           fs::copy_file(from, to, error) && !error;
}

} // namespace tvm
