// The portable profile against the real private-profile calls: the same calls go to
// Win32Profile and to IniFileProfile (through the Windows file system), each on a file
// of its own in a temporary folder, and after every call the two files must hold the
// same bytes and reads the same text.

#include "platform/sim/IniFileProfile.h"
#include "platform/win32/Win32Profile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace tvm {
namespace {

namespace fs = std::filesystem;

template <std::size_t N> std::string Bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

std::string Visible(const std::string& bytes) {
    std::string shown;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r') {
            shown += "\\r";
        } else if (c == '\n') {
            shown += "\\n\n";
        } else if (byte < 0x20 || byte > 0x7E) {
            const char digits[] = "0123456789ABCDEF";
            shown += "\\x";
            shown += digits[byte >> 4];
            shown += digits[byte & 0xF];
        } else {
            shown += c;
        }
    }
    return shown;
}

std::optional<std::string> Contents(const fs::path& path) {
    if (!fs::is_regular_file(path)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

struct Call {
    enum Kind { Read, Write, Erase } What;
    std::string Section;
    std::string Key;
    std::string Text; // the value to write, or the fallback of a read
};

Call Read(std::string section, std::string key, std::string fallback = "<none>") {
    return {Call::Read, std::move(section), std::move(key), std::move(fallback)};
}
Call Write(std::string section, std::string key, std::string value) {
    return {Call::Write, std::move(section), std::move(key), std::move(value)};
}
Call Erase(std::string section) {
    return {Call::Erase, std::move(section), {}, {}};
}

std::string Describe(const Call& call) {
    switch (call.What) {
    case Call::Read:
        return "read [" + call.Section + "] " + call.Key + " fallback \"" + call.Text + "\"";
    case Call::Write:
        return "write [" + call.Section + "] " + call.Key + " = \"" + call.Text + "\"";
    case Call::Erase:
        return "erase [" + call.Section + "]";
    }
    return {};
}

class ProfileDifferentialTest : public testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        tag_ = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(random() % 100000);
        folder_ = fs::temp_directory_path() / ("tavelmorind-diff-" + tag_);
        fs::create_directories(folder_ / "win32");
    }

    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    // Runs `calls` on both profiles, from `before` (nullopt: no file), comparing after
    // each call. Each run gets file names of its own, so that the private-profile
    // cache never sees an old file under a new content.
    void RunBoth(const std::string& title, const std::optional<std::string>& before,
                 const std::vector<Call>& calls) {
        SCOPED_TRACE(title);
        const std::string name = "TvmDiff-" + std::to_string(++runs_) + ".ini";
        const fs::path win32Path = folder_ / "win32" / name;
        const fs::path iniPath = folder_ / name;
        if (before) {
            Put(win32Path, *before);
            Put(iniPath, *before);
        }
        Win32Profile win32(win32Path.string());
        IniFileProfile portable(iniPath, "Tavelmorind.ini");
        for (const Call& call : calls) {
            SCOPED_TRACE(Describe(call));
            switch (call.What) {
            case Call::Read:
                EXPECT_EQ(portable.ReadString(call.Section, call.Key, call.Text),
                          win32.ReadString(call.Section, call.Key, call.Text));
                break;
            case Call::Write:
                EXPECT_EQ(portable.WriteString(call.Section, call.Key, call.Text),
                          win32.WriteString(call.Section, call.Key, call.Text));
                break;
            case Call::Erase:
                EXPECT_EQ(portable.EraseSection(call.Section), win32.EraseSection(call.Section));
                break;
            }
            const auto expected = Contents(win32Path);
            const auto actual = Contents(iniPath);
            if (expected != actual) {
                ADD_FAILURE() << "Win32 file:\n"
                              << (expected ? Visible(*expected) : "(none)") << "\nportable file:\n"
                              << (actual ? Visible(*actual) : "(none)");
                return;
            }
        }
    }

    fs::path windowsFolder_;
    fs::path folder_;
    std::string tag_;
    int runs_ = 0;
};

const char* const kAdvancedKeys[] = {
    "Delay before Override", "AutoDisable Timespan",       "AutoDisable Time Allowed",
    "Run at Set Frequency",  "Run at Set Frequency Level", "CPU Enforce Modes",
    "Show System Tray Icon", "Optimize Desktop Mode",      "Mode Switcher",
    "Power Save Delay"};

std::vector<Call> Save(const std::string& switchedOn, const std::string& fastest,
                       const std::vector<std::string>& advanced,
                       const std::vector<std::pair<std::string, std::string>>& frequencies) {
    std::vector<Call> calls = {Write("Main Options", "Switched On", switchedOn),
                               Write("Main Options", "Fastest Frequency", fastest)};
    for (std::size_t i = 0; i < std::size(kAdvancedKeys); ++i) {
        calls.push_back(Write("Advanced Options", kAdvancedKeys[i], advanced[i]));
    }
    calls.push_back(Erase("Frequencies"));
    for (const auto& [mode, rate] : frequencies) {
        calls.push_back(Write("Frequencies", mode, rate));
    }
    return calls;
}

std::vector<Call> Load(const std::vector<std::string>& modes) {
    std::vector<Call> calls = {Read("Init", "Program Run Before", "0"),
                               Read("Main Options", "Switched On", "0"),
                               Read("Main Options", "Fastest Frequency", "1")};
    for (const char* key : kAdvancedKeys) {
        calls.push_back(Read("Advanced Options", key, "30"));
    }
    for (const auto& mode : modes) {
        calls.push_back(Read("Frequencies", mode, "0"));
    }
    return calls;
}

TEST_F(ProfileDifferentialTest, TheProgramsOwnLoadsAndSaves) {
    const std::vector<std::string> modes = {"640x480 - 8 BPP", "800x600 - 16 BPP",
                                            "1024x768 - 32 BPP"};
    std::vector<Call> calls = Load(modes);
    calls.push_back(Write("Init", "Program Run Before", "1"));
    for (auto&& call : Save("1", "0", {"0", "30000", "30", "0", "60", "1", "1", "0", "0", "3000"},
                            {{modes[0], "60"}, {modes[1], "75"}, {modes[2], "85"}})) {
        calls.push_back(std::move(call));
    }
    for (auto&& call : Load(modes)) {
        calls.push_back(std::move(call));
    }
    // The second save turns the automatic fastest frequency back on, so the
    // "Frequencies" section goes.
    for (auto&& call :
         Save("0", "1", {"250", "60000", "12", "1", "85", "0", "0", "1", "2", "0"}, {})) {
        calls.push_back(std::move(call));
    }
    for (auto&& call : Load(modes)) {
        calls.push_back(std::move(call));
    }
    RunBoth("a first run, a save with frequencies, a save without", std::nullopt, calls);
}

TEST_F(ProfileDifferentialTest, NamesCaseBlanksAndSections) {
    RunBoth("keys in another case, new sections, values with blanks", std::nullopt,
            {Write("Init", "Program Run Before", "1"),
             Write("INIT", "program run BEFORE", "0"),
             Write("init", "New Key", "x"),
             Write("  Main Options  ", "  Spaced Key  ", "  v  "),
             Read("Main Options", "Spaced Key"),
             Read(" main options ", " spaced key\t"),
             Write("Main Options", "Spaced Key", "v"),
             Write("Main Options", "Inner", "a  b  c"),
             Write("  New Sec  ", "  key  ", "  val  "),
             Write("new sec", "\tk2 ", "\t v2 \t"),
             Read("NEW SEC", "KEY"),
             Write("Main Options", "Empty", ""),
             Read("main options", "empty"),
             Write("Main Options", "Quoted", "\"q v\""),
             Read("Main Options", "Quoted"),
             Write("Main Options", "Single", "'s'"),
             Read("Main Options", "single"),
             Write("", "top", "1"),
             Read("", "TOP"),
             Write("a]", "k", "1"),
             Read("a]", "k"),
             Write("a", "k=j", "w"),
             Read("a", "k"),
             Write("a", "k", "v=1"),
             Read("a", "k"),
             Write("a", "", "w"),
             Read("a", ""),
             Write("a", "[n]", "1"),
             Write("High", "Bytes", "\x80\x81\xE9\xFF"),
             Read("high", "bytes")});
    RunBoth("erasing", "[a]\r\nk=v\r\n[A]\r\nk=w\r\n[Frequencies]\r\nx=1\r\n[b]\r\n",
            {Erase("nope"), Erase(" a"), Read("a", "k"), Erase("A"), Read("a", "k"),
             Erase("FREQUENCIES"), Read("Frequencies", "x"), Erase("a"), Erase("b"), Erase("b"),
             Write("Frequencies", "1024x768 - 32 BPP", "85")});
    RunBoth("erasing in a missing file", std::nullopt, {Erase("Frequencies")});
    RunBoth("fallbacks", "[a]\r\nk=v\r\n",
            {Read("a", "x", "30  "), Read("a", "x", "   "), Read("a", "x", " "), Read("a", "x", ""),
             Read("a", "x", "\"q\""), Read("a", "x", "'a'  "), Read("a", "x", "  'a'\t "),
             Read("nope", "x", "\"q\" ")});
}

TEST_F(ProfileDifferentialTest, DamagedFiles) {
    struct Damaged {
        const char* Title;
        std::string Bytes;
    };
    std::string binary;
    for (int i = 0; i < 2048; ++i) {
        binary += static_cast<char>((i * 131 + i / 256) & 0xFF);
    }
    const Damaged files[] = {
        {"blank lines and spacing", "[a]\n\n  k = v  \n\n\n[ b ]\nx=1\n"},
        {"header without ']'", "[a\nk=v\n[b]\nk=1\n"},
        {"text after ']', several ']'", "[a]junk\nk=v\n[b]]\nk=2\n"},
        {"\"[]\" header and lines above the first header", "top=1\n[]\nk=v\n[a]\nk=2\n"},
        {"lines without '=', comments", "[a]\nnoequals\n;comment\nk=v\n=\n=x\n"},
        {"runs of nameless keys", "[a]\nk=v\n=\n=x\n \t=y\nj=1\n=z\n[b]\n=w\n"},
        {"ill-formed UTF-8", "\xEF\xBB\xBF[a]\nk=\xC3(\xE2\x82\xFF\xBF\xE0\x80"
                             "A\xED\xA0\x80\nj=1\xF0\x9F\x98"},
        {"UTF-16 with an odd byte", Bytes("\xFF\xFE[\0a\0]\0\n\0k\0=\0"
                                          "1")},
        {"duplicate sections and keys", "[a]\nk=v\nK=w\n[A]\nk=x\nz=1\n"},
        {"bare CR, CR CR LF, LF CR", "[a]\rk=v\r\r\nj=2\n\rz=3"},
        {"control blanks and ^Z", "[a]\n\x1a k \x1a=\x0b\x0c v\t\x1a\n"},
        {"bytes that are not blanks", "[a]\n\xA0k\xA0=\xA0v\xA0\n\x85k\x85=\x85v\x85\n"},
        {"zero bytes", Bytes("[a]\nk\0z=v\nj=1\0tail\n\0\n[s\0t]\nx=1\nn \0=2\n")},
        {"quotes", "[a]\nk=\"\nq='x\"\ne=''\nt=\"\"\"\n"},
        {"no line end at the end", "[a]\nk=v"},
        {"only line ends", "\r\n\n\r\r"},
        {"empty", ""},
        {"UTF-8 mark", "\xEF\xBB\xBF[a]\nk=v\xC3\xA9\xE2\x82\xAC\n"},
        {"UTF-16 LE", Bytes("\xFF\xFE[\0a\0]\0\r\0\n\0k\0=\0v\0\xE9\0\xAC\x20\r\0\n\0")},
        {"UTF-16 BE", Bytes("\xFE\xFF\0[\0a\0]\0\n\0k\0=\0v\x20\xAC\0\xE9")},
        {"huge line", "[a]\nk=" + std::string(100000, 'x') + "\nj=2\n"},
        {"binary", binary},
        {"binary inside a section", "[a]\nk=1\n" + binary + "\n[b]\nj=2\n"},
    };
    for (const Damaged& file : files) {
        RunBoth(file.Title, file.Bytes,
                {Read("a", "k"),
                 Read("A", "j"),
                 Read("a", "q"),
                 Read("a", "e"),
                 Read("a", "t"),
                 Read("b", "k"),
                 Read("b", "j"),
                 Read("", "top"),
                 Read("", "k"),
                 Read("a", ""),
                 Read("s", "x"),
                 Read("a", "n"),
                 Read("a", "z"),
                 Read("b]", "k"),
                 Write("a", "k", "v"),
                 Write("a", "new", "1"),
                 Read("a", "k"),
                 Erase("b"),
                 Write("Frequencies", "1024x768 - 32 BPP", "85"),
                 Erase("a"),
                 Read("a", "k")});
    }
}

// Win32Profile takes a full path here, to reach places where no file can be written.
TEST_F(ProfileDifferentialTest, RefusedCalls) {
    Put(folder_ / "plain-file", "not a folder");
    fs::create_directory(folder_ / "folder.ini");
    const fs::path places[] = {folder_ / "plain-file" / "Tavelmorind.ini",
                               folder_ / "missing" / "Tavelmorind.ini", folder_ / "folder.ini"};
    for (const fs::path& place : places) {
        SCOPED_TRACE(place.string());
        Win32Profile win32(place.string());
        IniFileProfile portable(place, "Tavelmorind.ini");
        EXPECT_FALSE(win32.WriteString("Init", "Program Run Before", "1"));
        EXPECT_FALSE(portable.WriteString("Init", "Program Run Before", "1"));
        EXPECT_FALSE(win32.EraseSection("Frequencies"));
        EXPECT_FALSE(portable.EraseSection("Frequencies"));
        EXPECT_EQ(portable.ReadString("Init", "Program Run Before", "'0' "),
                  win32.ReadString("Init", "Program Run Before", "'0' "));
    }
    EXPECT_EQ(Contents(folder_ / "plain-file"), "not a folder");
    EXPECT_TRUE(fs::is_empty(folder_ / "folder.ini"));
    EXPECT_FALSE(fs::exists(folder_ / "missing"));
}

// Files and calls put together at random from the pieces the rules care about.
TEST_F(ProfileDifferentialTest, RandomFilesAndCalls) {
    const std::string pieces[] = {"[",    "]",    "=",    " ",    "\t",    "\r",    "\n",
                                  "\r\n", "a",    "A",    "b",    "k",     "K",     "v",
                                  "\x1a", "\xA0", "\"",   "'",    ";",     "[a]",   "[b]",
                                  "k=",   "=v",   "\x0b", "\xE9", "[ a ]", "k = v", "\n[A]\n"};
    const std::string names[] = {"a", "A", " a", "a ", "b", "", "k", "K", " k ", "z"};
    const std::string values[] = {"v", "", " v", "v ", "\"v\"", "'v", "1", "w"};
    std::mt19937 random(20240611);
    const auto pick = [&](const auto& from) { return from[random() % std::size(from)]; };
    for (int round = 0; round < 150; ++round) {
        std::string file;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) {
            file += pick(pieces);
        }
        std::vector<Call> calls;
        for (int i = 0; i < 6; ++i) {
            switch (random() % 3) {
            case 0:
                calls.push_back(Read(pick(names), pick(names), pick(values)));
                break;
            case 1:
                calls.push_back(Write(pick(names), pick(names), pick(values)));
                break;
            default:
                calls.push_back(Erase(pick(names)));
                break;
            }
        }
        RunBoth("round " + std::to_string(round) + " from \"" + Visible(file) + "\"", file, calls);
        if (HasFailure()) {
            return;
        }
    }
}

} // namespace
} // namespace tvm
