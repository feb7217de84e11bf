// Win32RunAtLogon against Wine's registry, in the user's Run key. The tests use a value
// name of their own and delete it afterwards.

#include "platform/sim/IniFileProfile.h"
#include "platform/win32/Win32RunAtLogon.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

// The import-table slot through which the program calls RegFlushKey: a test puts a
// failing flush there, which Wine's own never is.
extern "C" LONG(WINAPI* __imp_RegFlushKey)(HKEY);

namespace tvm {
namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kValueName = "TavelmorindWineTest";

class RunAtLogonTest : public testing::Test {
protected:
    void TearDown() override { SetRaw(REG_NONE, {}, /*remove=*/true); }
    static constexpr auto kUser = RunAtLogon::Hive::User;

    // Writes or removes the value with the raw API, as another program would.
    static void SetRaw(DWORD type, const std::vector<BYTE>& data, bool remove = false) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        if (remove) {
            RegDeleteValueA(key, kValueName);
        } else {
            EXPECT_EQ(RegSetValueExA(key, kValueName, 0, type, data.data(),
                                     static_cast<DWORD>(data.size())),
                      ERROR_SUCCESS);
        }
        RegCloseKey(key);
    }

    static std::vector<BYTE> RawData(DWORD* type) {
        HKEY key = nullptr;
        std::vector<BYTE> data(4096);
        DWORD size = static_cast<DWORD>(data.size());
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ, &key), ERROR_SUCCESS);
        EXPECT_EQ(RegQueryValueExA(key, kValueName, nullptr, type, data.data(), &size),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        data.resize(size);
        return data;
    }

    static std::vector<BYTE> TextData(const std::string& text, bool withZero = true) {
        std::vector<BYTE> data(text.begin(), text.end());
        if (withZero) {
            data.push_back(0);
        }
        return data;
    }

    Win32RunAtLogon run_;
};

TEST_F(RunAtLogonTest, WritesTextThatReadsBack) {
    const std::string path = "C:\\Program Files\\Tavelmorind\\Tavelmorind.exe";
    ASSERT_TRUE(run_.WriteValue(kValueName, path));

    DWORD type = 0;
    EXPECT_EQ(RawData(&type), TextData(path)) << "REG_SZ with its terminating zero";
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    const auto read = run_.ReadValue(kUser, kValueName);
    EXPECT_EQ(read.Status, RunAtLogon::ReadStatus::Text);
    EXPECT_EQ(read.Text, path);
    EXPECT_EQ(run_.ReadValue(kUser, "tavelmorindwinetest").Text, path) << "names ignore case";

    ASSERT_TRUE(run_.WriteValue(kValueName, "\"" + path + "\" /quiet"));
    EXPECT_EQ(run_.ReadValue(kUser, kValueName).Text, "\"" + path + "\" /quiet");
}

TEST_F(RunAtLogonTest, ReadsEachKindOfStoredValue) {
    const std::string longText(5000, 'p');
    struct Stored {
        const char* Name;
        DWORD Type;
        std::vector<BYTE> Data;
        RunAtLogon::ReadStatus Status;
        std::string Text;
    };
    const Stored cases[] = {
        {"text", REG_SZ, TextData("C:\\a.exe"), RunAtLogon::ReadStatus::Text, "C:\\a.exe"},
        {"text without its zero", REG_SZ, TextData("C:\\a.exe", false),
         RunAtLogon::ReadStatus::Text, "C:\\a.exe"},
        {"empty text", REG_SZ, TextData(""), RunAtLogon::ReadStatus::Text, ""},
        {"long text", REG_SZ, TextData(longText), RunAtLogon::ReadStatus::Text, longText},
        {"text that ends early", REG_SZ, {'a', 0, 'b', 0}, RunAtLogon::ReadStatus::Text, "a"},
        {"text to expand, read as stored", REG_EXPAND_SZ, TextData("%SystemRoot%\\a.exe"),
         RunAtLogon::ReadStatus::Text, "%SystemRoot%\\a.exe"},
        {"a DWORD", REG_DWORD, {1, 0, 0, 0}, RunAtLogon::ReadStatus::WrongType, ""},
        {"binary", REG_BINARY, TextData("C:\\a.exe"), RunAtLogon::ReadStatus::WrongType, ""},
        {"several texts", REG_MULTI_SZ, {'a', 0, 'b', 0, 0}, RunAtLogon::ReadStatus::WrongType, ""},
    };
    for (const Stored& stored : cases) {
        SCOPED_TRACE(stored.Name);
        SetRaw(stored.Type, stored.Data);
        const auto read = run_.ReadValue(kUser, kValueName);
        EXPECT_EQ(read.Status, stored.Status);
        EXPECT_EQ(read.Text, stored.Text);
    }
}

TEST_F(RunAtLogonTest, DeletedValueIsMissingAndDeletingAgainSaysSo) {
    ASSERT_TRUE(run_.WriteValue(kValueName, "C:\\a.exe"));
    EXPECT_EQ(run_.DeleteValue(kUser, kValueName), RunAtLogon::DeleteStatus::Deleted);
    EXPECT_EQ(run_.ReadValue(kUser, kValueName).Status, RunAtLogon::ReadStatus::Missing);
    EXPECT_EQ(run_.DeleteValue(kUser, kValueName), RunAtLogon::DeleteStatus::Missing);
    EXPECT_EQ(run_.ReadValue(kUser, kValueName).Status, RunAtLogon::ReadStatus::Missing);
}

TEST_F(RunAtLogonTest, PathOutsideTheAnsiCodePageIsStoredAsIs) {
    const std::string path = "C:\\Users\\\xC5\x81ukasz\\\xE7\x94\xB0\xE4\xB8\xAD\\Tavelmorind.exe";
    ASSERT_TRUE(run_.WriteValue(kValueName, path));
    EXPECT_EQ(run_.ReadValue(kUser, kValueName).Text, path);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                            0, KEY_READ, &key),
              ERROR_SUCCESS);
    wchar_t stored[64] = {};
    DWORD size = sizeof stored;
    EXPECT_EQ(RegQueryValueExW(key, L"TavelmorindWineTest", nullptr, nullptr,
                               reinterpret_cast<BYTE*>(stored), &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(std::wstring(stored), L"C:\\Users\\\u0141ukasz\\\u7530\u4E2D\\Tavelmorind.exe");
}

TEST_F(RunAtLogonTest, ExecutablePathIsTheRunningProgram) {
    const std::string path = run_.ExecutablePath();
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::string exeName = "\\tavelmorind_wine_tests.exe";
    ASSERT_GE(lower.size(), exeName.size()) << path;
    EXPECT_EQ(lower.substr(lower.size() - exeName.size()), exeName) << path;
    EXPECT_EQ(path[1], ':') << "a full path";
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
}

TEST_F(RunAtLogonTest, AFlushThatFailsAfterTheWriteIsNoFailedWrite) {
    auto& slot = __imp_RegFlushKey;
    const auto flush = slot;
    DWORD protection = 0;
    ASSERT_TRUE(VirtualProtect(&slot, sizeof slot, PAGE_READWRITE, &protection));
    slot = [](HKEY) -> LONG { return ERROR_ACCESS_DENIED; };
    const bool written = run_.WriteValue(kValueName, "C:\\Tools\\Tavelmorind.exe");
    slot = flush;
    VirtualProtect(&slot, sizeof slot, protection, &protection);
    EXPECT_TRUE(written);
    DWORD type = 0;
    EXPECT_EQ(RawData(&type), TextData("C:\\Tools\\Tavelmorind.exe"));
}

// An older version's machine-wide value beside a new user's one would start two copies
// at log-on; a save that keeps start at log-on on leaves the user's alone.
TEST(RunAtLogonSave, KeptOnRemovesTheOlderMachineValueWhereTheRightsAllow) {
    Win32RunAtLogon run;
    const std::string path = run.ExecutablePath();
    HKEY machine = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &machine, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(machine, "Tavelmorind", 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(path.c_str()),
                             static_cast<DWORD>(path.size() + 1)),
              ERROR_SUCCESS);
    IniFileProfile ini(std::filesystem::temp_directory_path() / "RunAtLogonSave.ini",
                       "RunAtLogonSave.ini");
    SettingsStore store(ini, run);
    EXPECT_TRUE(store.ReadRunOnBoot());
    store.SaveRunOnBoot(true);

    EXPECT_EQ(run.ReadValue(RunAtLogon::Hive::Machine, "Tavelmorind").Status,
              RunAtLogon::ReadStatus::Missing);
    EXPECT_EQ(run.ReadValue(RunAtLogon::Hive::User, "Tavelmorind").Status,
              RunAtLogon::ReadStatus::Text);
    EXPECT_TRUE(store.ReadRunOnBoot());
    run.DeleteValue(RunAtLogon::Hive::User, "Tavelmorind");
    RegDeleteValueA(machine, "Tavelmorind");
    RegCloseKey(machine);
}

} // namespace
} // namespace tvm
