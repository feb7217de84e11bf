#include "Screenshot.h"

#include <windows.h>

#include <filesystem>

namespace tvm::test {

namespace {

using UnixFileName = char*(__cdecl*)(const wchar_t*);

std::string UnixName(const std::filesystem::path& path) {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto convert = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "wine_get_unix_file_name")));
    if (convert == nullptr) {
        return {};
    }
    char* name = convert(path.wstring().c_str());
    if (name == nullptr) {
        return {};
    }
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

} // namespace

bool SaveScreenshot(const std::string& name, std::string& error) {
    const std::filesystem::path folder = std::filesystem::current_path() / "screenshots";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::filesystem::path image = folder / name;
    const std::filesystem::path done = folder / (name + ".done");
    std::filesystem::remove(done, ignored);
    const std::string unixImage = UnixName(image);
    const std::string unixDone = UnixName(done);
    if (unixImage.empty() || unixDone.empty()) {
        error = "not running under Wine";
        return false;
    }
    // Wine starts Unix programs but hands back no handle that reaches them: the shell
    // marks the end with a file.
    std::string command = "sh -c \"import -window root '" + unixImage +
                          "' 2>/dev/null; echo $? >'" + unixDone + "'\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA("Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        error = "cannot start /bin/sh";
        return false;
    }
    // For a Unix program Wine 8 fills the process and thread handles with whatever its
    // own stack held: closing them closed this process's standard output, among
    // others. There is no handle to close.
    const ULONGLONG deadline = GetTickCount64() + 15000;
    while (!std::filesystem::exists(done, ignored)) {
        if (GetTickCount64() > deadline) {
            error = "import did not finish within 15 s";
            return false;
        }
        Sleep(20);
    }
    Sleep(50);
    std::filesystem::remove(done, ignored);
    if (!std::filesystem::exists(image, ignored)) {
        error = "import wrote no image";
        return false;
    }
    return true;
}

} // namespace tvm::test
