#include "XServerQuery.h"

#include <windows.h>

#include <cstdlib>
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

struct ShellResult {
    std::string Output;
    int Status = 0;
};

std::string ReadFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs `command` with the Unix shell and returns what it printed and its exit status.
// Wine starts Unix programs but hands back neither a process handle nor a pipe that
// reaches them, so the shell writes to a file and marks the end by renaming a second one,
// which holds the status, into place; that marker is waited for.
std::optional<ShellResult> RunUnixShell(const std::string& command, std::string* error) {
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
    ShellResult result;
    result.Output = ReadFile(outputPath);
    result.Status = std::atoi(ReadFile(donePath).c_str());
    DeleteFileW(outputPath.c_str());
    DeleteFileW(donePath.c_str());
    return result;
}

// An output's line reads "DUMMY1 connected 1280x1024+1024+0 ..." while it shows a picture
// ("DUMMY0 connected primary 1024x768+0+0 ..." for the primary), and its current mode's
// line carries the rate marked with '*': "  1280x1024_60  60.00*".
std::vector<XServerOutput> ParseXrandr(const std::string& report) {
    std::istringstream lines(report);
    std::string line;
    std::vector<XServerOutput> outputs;
    std::optional<XServerOutput> output;
    while (std::getline(lines, line)) {
        if (line.empty()) {
            continue;
        }
        if (line[0] != ' ' && line[0] != '\t') {
            output.reset();
            std::istringstream words(line);
            std::string name;
            std::string state;
            words >> name >> state;
            if (state != "connected") {
                continue;
            }
            std::string word;
            while (words >> word) {
                XServerOutput found;
                found.Name = name;
                char x = 0;
                char plus1 = 0;
                char plus2 = 0;
                std::istringstream geometry(word);
                if (geometry >> found.Mode.Width >> x >> found.Mode.Height >> plus1 >> found.X >>
                        plus2 >> found.Y &&
                    x == 'x' && plus1 == '+' && plus2 == '+') {
                    output = found;
                    break;
                }
            }
            continue;
        }
        const auto star = line.find('*');
        if (!output || star == std::string::npos) {
            continue;
        }
        auto start = line.find_last_of(" \t", star);
        start = start == std::string::npos ? 0 : start + 1;
        output->Mode.Rate = std::stod(line.substr(start, star - start));
        outputs.push_back(*output);
        output.reset();
    }
    return outputs;
}

} // namespace

std::ostream& operator<<(std::ostream& out, const XServerOutput& output) {
    return out << output.Name << " " << output.Mode.Width << "x" << output.Mode.Height << "+"
               << output.X << "+" << output.Y << " @ " << output.Mode.Rate;
}

bool CanQueryXServer() {
    return FindWineGetUnixFileName() != nullptr;
}

std::string QueryXServerReport() {
    const auto result = RunUnixShell("xrandr --current", nullptr);
    return result ? result->Output : "(xrandr did not run)";
}

std::optional<std::vector<XServerOutput>> QueryXServerOutputs(std::string* error) {
    const auto result = RunUnixShell("xrandr --current", error);
    if (!result) {
        return std::nullopt;
    }
    auto outputs = ParseXrandr(result->Output);
    if (outputs.empty()) {
        if (error != nullptr) {
            *error = "no output shows a picture in xrandr's report:\n" + result->Output;
        }
        return std::nullopt;
    }
    return outputs;
}

std::optional<XServerMode> QueryXServerMode(std::string* error) {
    const auto outputs = QueryXServerOutputs(error);
    if (!outputs) {
        return std::nullopt;
    }
    return outputs->front().Mode;
}

bool RunXrandr(const std::string& arguments, std::string* error) {
    const auto result = RunUnixShell("xrandr " + arguments, error);
    if (result && result->Status != 0 && error != nullptr) {
        *error = "xrandr " + arguments + " failed: " + result->Output;
    }
    return result && result->Status == 0;
}

} // namespace tvm::test
