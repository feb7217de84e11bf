// The settings file's places through the real W calls: folders and files whose names
// are outside the ANSI code page, a byte-for-byte copy, and the known folders.

#include "platform/win32/Win32Profile.h"
#include "platform/win32/Win32SettingsFolders.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tvm {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class SettingsFoldersTest : public testing::Test {
protected:
    void SetUp() override {
        base_ = fs::temp_directory_path() /
                ("tavelmorind-folders-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(base_);
        // "Łukasz 田中" as UTF-8, the portable code's form, and as the path's own.
        unusual_ = (base_ / L"\u0141ukasz \u7530\u4E2D").wstring();
        unusualUtf8_ = Narrow(unusual_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(base_, ignored);
    }
    static std::string Narrow(const std::wstring& wide) {
        const int length =
            WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<std::size_t>(length), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, text.data(), length, nullptr, nullptr);
        text.pop_back();
        return text;
    }

    fs::path base_;
    std::wstring unusual_;
    std::string unusualUtf8_;
    Win32SettingsFolders folders_;
};

TEST_F(SettingsFoldersTest, FolderAndFileNamesOutsideTheAnsiCodePage) {
    ASSERT_TRUE(folders_.CreateFolder(unusualUtf8_));
    EXPECT_TRUE(fs::is_directory(unusual_));
    EXPECT_TRUE(folders_.CreateFolder(unusualUtf8_)) << "an existing folder is fine";
    EXPECT_FALSE(folders_.FileExists(unusualUtf8_)) << "a folder is no file";

    const std::string file = folders_.Join(unusualUtf8_, "Tavelmorind.ini");
    Win32Profile profile(file);
    EXPECT_EQ(profile.FileName(), file) << "messages name the full path";
    ASSERT_TRUE(profile.WriteString("Init", "Program Run Before", "1"));
    EXPECT_TRUE(folders_.FileExists(file));
    EXPECT_EQ(Bytes(fs::path(unusual_) / "Tavelmorind.ini"), "[Init]\r\nProgram Run Before=1\r\n")
        << "ANSI text, as the bare name used to give";
    EXPECT_EQ(profile.ReadString("Init", "Program Run Before", ""), "1");
}

TEST_F(SettingsFoldersTest, CopyIsByteForByteWritableAndNeverOverwrites) {
    const std::string bytes = "[Main Options]\r\nSwitched On=1\r\n; caf\xE9\r\n\r\n";
    const fs::path from = base_ / "old.ini";
    std::ofstream(from, std::ios::binary) << bytes;
    SetFileAttributesW(from.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string to = folders_.Join(Narrow(base_.wstring()), "new.ini");

    ASSERT_TRUE(folders_.CopyFileBytes(Narrow(from.wstring()), to));
    EXPECT_EQ(Bytes(base_ / "new.ini"), bytes);
    EXPECT_EQ(GetFileAttributesW((base_ / "new.ini").c_str()) & FILE_ATTRIBUTE_READONLY, 0u)
        << "the copy can be saved to";
    EXPECT_FALSE(folders_.CopyFileBytes(Narrow(from.wstring()), to)) << "the target exists";
    EXPECT_FALSE(folders_.CopyFileBytes(Narrow((base_ / "missing.ini").wstring()),
                                        folders_.Join(Narrow(base_.wstring()), "other.ini")));
    EXPECT_FALSE(fs::exists(base_ / "other.ini"));
    EXPECT_FALSE(fs::exists(base_ / "other.ini.part"));
    SetFileAttributesW(from.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SettingsFoldersTest, KnownFoldersAreTheSystemsOwn) {
    wchar_t windows[MAX_PATH] = {};
    ASSERT_NE(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
    EXPECT_EQ(folders_.WindowsFolder(), Narrow(windows));
    wchar_t local[MAX_PATH] = {};
    ASSERT_NE(GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH), 0u);
    EXPECT_EQ(folders_.LocalAppData(), Narrow(local));
    wchar_t exe[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
    EXPECT_EQ(folders_.Join(folders_.ExecutableFolder(), fs::path(exe).filename().string()),
              Narrow(exe));
}

} // namespace
} // namespace tvm
