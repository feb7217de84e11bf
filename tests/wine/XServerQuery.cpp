#include "XServerQuery.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tvm::test {

namespace {

using WineGetUnixFileName = char*(__cdecl*)(const wchar_t*);

WineGetUnixFileName FindWineGetUnixFileName() {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel == nullptr) {
        return nullptr;
    }
    // Cast through the generic function type GetProcAddress returns; the export is
    // Wine's own and absent on Windows.
    return reinterpret_cast<WineGetUnixFileName>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "wine_get_unix_file_name")));
}

std::string UnixName(WineGetUnixFileName convert, const std::wstring& path) {
    char* unixName = convert(path.c_str());
    if (unixName == nullptr) {
        return {};
    }
    std::string result = unixName;
    HeapFree(GetProcessHeap(), 0, unixName);
    return result;
}

// Runs `command` with the Unix shell and returns what it printed. Wine starts Unix
// programs but hands back neither a process handle nor a pipe that reaches them, so
// the shell writes to a file and marks the end by renaming a second one into place;
// that marker is waited for.
std::optional<std::string> RunUnixShell(const std::string& command, std::string* error) {
    const WineGetUnixFileName convert = FindWineGetUnixFileName();
    if (convert == nullptr) {
        if (error != nullptr) {
            *error = "not running under Wine";
        }
        return std::nullopt;
    }
    wchar_t folder[MAX_PATH];
    wchar_t file[MAX_PATH];
    if (GetTempPathW(MAX_PATH, folder) == 0 || GetTempFileNameW(folder, L"xrq", 0, file) == 0) {
        if (error != nullptr) {
            *error = "no temporary file";
        }
        return std::nullopt;
    }
    const std::wstring outputPath = file;
    const std::wstring donePath = outputPath + L".done";
    const std::string output = UnixName(convert, outputPath);
    const std::string done = UnixName(convert, donePath);

    std::string commandLine = "sh -c \"" + command + " >'" + output + "' 2>&1; echo $? >'" + done +
                              ".tmp'; mv '" + done + ".tmp' '" + done + "'\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA("Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        if (error != nullptr) {
            *error = "cannot start /bin/sh (error " + std::to_string(GetLastError()) + ")";
        }
        DeleteFileW(outputPath.c_str());
        return std::nullopt;
    }
    // Wine 8 hands back stale stack values as a Unix program's handles (see
    // Screenshot.cpp): there is nothing to close.

    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (GetFileAttributesW(donePath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount64() > deadline) {
            if (error != nullptr) {
                *error = "the shell did not finish within 10 s: " + command;
            }
            DeleteFileW(outputPath.c_str());
            return std::nullopt;
        }
        Sleep(2);
    }
    std::ifstream in(std::filesystem::path(outputPath), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    in.close();
    DeleteFileW(outputPath.c_str());
    DeleteFileW(donePath.c_str());
    return text.str();
}

// The connected output's line reads "DUMMY0 connected primary 1024x768+0+0 ...", and
// the current mode's line carries its rate marked with '*': "  1024x768_60  60.00*".
std::optional<XServerMode> ParseXrandr(const std::string& report) {
    std::istringstream lines(report);
    std::string line;
    bool inConnected = false;
    std::optional<XServerMode> mode;
    while (std::getline(lines, line)) {
        if (line.empty()) {
            continue;
        }
        if (line[0] != ' ' && line[0] != '\t') {
            std::istringstream words(line);
            std::string name;
            std::string state;
            words >> name >> state;
            inConnected = state == "connected";
            if (!inConnected) {
                continue;
            }
            std::string word;
            while (words >> word) {
                XServerMode found;
                char x = 0;
                std::istringstream geometry(word);
                if (geometry >> found.Width >> x >> found.Height && x == 'x') {
                    mode = found;
                    break;
                }
            }
            continue;
        }
        const auto star = line.find('*');
        if (!inConnected || !mode || star == std::string::npos) {
            continue;
        }
        auto start = line.find_last_of(" \t", star);
        start = start == std::string::npos ? 0 : start + 1;
        mode->Rate = std::stod(line.substr(start, star - start));
        return mode;
    }
    return std::nullopt;
}

} // namespace

bool CanQueryXServer() {
    return FindWineGetUnixFileName() != nullptr;
}

std::string QueryXServerReport() {
    return RunUnixShell("xrandr --current", nullptr).value_or("(xrandr did not run)");
}

std::optional<XServerMode> QueryXServerMode(std::string* error) {
    const auto report = RunUnixShell("xrandr --current", error);
    if (!report) {
        return std::nullopt;
    }
    auto mode = ParseXrandr(*report);
    if (!mode && error != nullptr) {
        *error = "no current mode in xrandr's report:\n" + *report;
    }
    return mode;
}

} // namespace tvm::test
