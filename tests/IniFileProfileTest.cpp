#include "platform/sim/IniFileProfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

// The expected files below are what Wine's WritePrivateProfileStringA writes for the
// same calls (tests/wine/ProfileDifferentialTest.cpp checks the two against each other).

namespace tvm {
namespace {

namespace fs = std::filesystem;

// A string literal with every byte it holds, zero bytes included.
template <std::size_t N> std::string Bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

class IniFileProfileTest : public testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        folder_ = fs::temp_directory_path() /
                  ("tavelmorind-ini-" + std::to_string(random()) + std::to_string(random()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    fs::path IniPath() const { return folder_ / "Tavelmorind.ini"; }

    void Put(const fs::path& path, const std::string& bytes) const {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::optional<std::string> Contents(const fs::path& path) const {
        std::ifstream in(path, std::ios::binary);
        if (!fs::is_regular_file(path) || !in) {
            return std::nullopt;
        }
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    fs::path folder_;
};

struct Call {
    bool Erase = false;
    std::string Section;
    std::string Key;
    std::string Value;
};

Call Write(std::string section, std::string key, std::string value) {
    return {false, std::move(section), std::move(key), std::move(value)};
}

Call Erase(std::string section) {
    return {true, std::move(section), {}, {}};
}

struct WriteCase {
    const char* Name;
    std::optional<std::string> Before; // nullopt: no file
    std::vector<Call> Calls;
    std::optional<std::string> After; // nullopt: still no file
};

TEST_F(IniFileProfileTest, WritesTheFileTheWin32WriterWould) {
    const std::string utf16Before = Bytes("\xFF\xFE[\0a\0]\0\r\0\n\0k\0=\0v\0\xE9\0\r\0\n\0");
    const WriteCase cases[] = {
        {"first write creates the section",
         std::nullopt,
         {Write("Init", "Program Run Before", "1")},
         "[Init]\r\nProgram Run Before=1\r\n"},
        {"sections and keys follow the write order, without blank lines",
         std::nullopt,
         {Write("Main Options", "Switched On", "0"),
          Write("Main Options", "Fastest Frequency", "1"),
          Write("Advanced Options", "Delay before Override", "0"),
          Write("Main Options", "Switched On", "1")},
         "[Main Options]\r\nSwitched On=1\r\nFastest Frequency=1\r\n"
         "[Advanced Options]\r\nDelay before Override=0\r\n"},
        {"a key in another case keeps its spelling and place",
         "[Init]\r\nProgram Run Before=0\r\nX=1\r\n",
         {Write("INIT", "program RUN before", "1")},
         "[Init]\r\nProgram Run Before=1\r\nX=1\r\n"},
        {"a new key goes to the end of its own section",
         "[a]\r\nk=v\r\n[b]\r\nx=1\r\n",
         {Write("A", "new", "2")},
         "[a]\r\nk=v\r\nnew=2\r\n[b]\r\nx=1\r\n"},
        {"a rewrite drops blank lines and the blanks around names and values",
         "[a]\n\n  k = v  \n\n\n[ b ]\nx=1\n",
         {Write("b", "y", "2")},
         "[a]\r\nk=v\r\n[b]\r\nx=1\r\ny=2\r\n"},
        {"an unchanged value leaves the file as it was",
         "[a]\n k = v \n",
         {Write(" A ", "K\t", "  v")},
         "[a]\n k = v \n"},
        {"new names and values keep their trailing blanks until the next load",
         std::nullopt,
         {Write("  New Sec  ", "  key  ", "  val  ")},
         "[New Sec  ]\r\nkey  =val  \r\n"},
        {"the next write loads them trimmed",
         std::nullopt,
         {Write("  New Sec  ", "  key  ", "  val  "), Write("new sec", "k2", "v2")},
         "[New Sec]\r\nkey=val\r\nk2=v2\r\n"},
        {"an empty value is written with its '='",
         "[a]\r\nk\r\n",
         {Write("a", "k", ""), Write("a", "j", "")},
         "[a]\r\nk=\r\nj=\r\n"},
        {"values may hold '=' and quotes",
         std::nullopt,
         {Write("a", "k", "v=1"), Write("a", "q", "\"q v\"")},
         "[a]\r\nk=v=1\r\nq=\"q v\"\r\n"},
        {"erasing removes the section with its keys",
         "[a]\r\nk=v\r\n[Frequencies]\r\n1024x768 - 32 BPP=85\r\n640x480 - 8 "
         "BPP=60\r\n[b]\r\nx=1\r\n",
         {Erase("frequencies")},
         "[a]\r\nk=v\r\n[b]\r\nx=1\r\n"},
        {"erasing removes only the first section of that name",
         "[a]\nk=v\n[A]\nk=w\n",
         {Erase("A")},
         "[A]\r\nk=w\r\n"},
        {"erasing a missing section leaves the file as it was",
         "[a]\n k=v\n",
         {Erase("b")},
         "[a]\n k=v\n"},
        {"erasing matches the name as given, blanks included",
         "[a]\nk=v\n",
         {Erase(" a")},
         "[a]\nk=v\n"},
        {"erasing in a missing file creates nothing", std::nullopt, {Erase("a")}, std::nullopt},
        {"erasing the last section leaves an empty file", "\n\n[a]\nk=v\n", {Erase("a")}, ""},
        {"erase and rewrite puts the section at the end",
         "[Frequencies]\r\n1024x768 - 32 BPP=85\r\n[Main Options]\r\nSwitched On=1\r\n",
         {Erase("Frequencies"), Write("Frequencies", "1024x768 - 32 BPP", "75")},
         "[Main Options]\r\nSwitched On=1\r\n[Frequencies]\r\n1024x768 - 32 BPP=75\r\n"},
        {"lines above the first header are a nameless section written first",
         "top=1\n[a]\nk=v\n",
         {Write("", "top", "2"), Write("", "new", "3")},
         "top=2\r\nnew=3\r\n[a]\r\nk=v\r\n"},
        {"a \"[]\" header loses its brackets",
         "[]\nk=v\n",
         {Write("x", "k", "w")},
         "k=v\r\n[x]\r\nk=w\r\n"},
        {"of a run of nameless keys only the first survives a load",
         "[a]\nk=v\n=\n=x\n \t=y\nj=1\n=z\n[b]\n=w\n",
         {Write("a", "n", "1")},
         "[a]\r\nk=v\r\n=\r\nj=1\r\n=z\r\nn=1\r\n[b]\r\n=w\r\n"},
        {"lines without '=' and comments are kept; a write gives them a value",
         "[a]\nnoequals\n;comment\nk=v\n",
         {Write("x", "k", "w"), Write("a", "NoEquals", "1")},
         "[a]\r\nnoequals=1\r\n;comment\r\nk=v\r\n[x]\r\nk=w\r\n"},
        {"a header without ']' is an ordinary line",
         "[a\nk=v\n",
         {Write("a", "k", "w")},
         "[a\r\nk=v\r\n[a]\r\nk=w\r\n"},
        {"a header ends at its last ']' and its name is trimmed",
         "[a]]junk\nk=v\n  [ b ]  \nj=1\n",
         {Write("x", "k", "w")},
         "[a]]\r\nk=v\r\n[b]\r\nj=1\r\n[x]\r\nk=w\r\n"},
        {"bare CR line ends and the other blanks: tab, VT, FF, ^Z",
         "[a]\rk\x1a\t=\x0b v\x0c\r\r\rj=2",
         {Write("a", "n", "3")},
         "[a]\r\nk=v\r\nj=2\r\nn=3\r\n"},
        {"no-break space and other bytes are not blanks",
         "[a]\n\xA0k\xA0=\xA0v\x85\n",
         {Write("a", "k", "w")},
         "[a]\r\n\xA0k\xA0=\xA0v\x85\r\nk=w\r\n"},
        {"a zero byte ends a name or value",
         Bytes("[a]\nk\0z=v\nj=1\0tail\n\0\n[s\0t]\nx=1\nn \0=2\n"),
         {Write("x", "k", "w")},
         "[a]\r\nk=v\r\nj=1\r\n\r\n[s]\r\nx=1\r\nn =2\r\n[x]\r\nk=w\r\n"},
        {"names and values given are cut at a zero byte too",
         std::nullopt,
         {Write(Bytes("s\0x"), Bytes("k\0y"), Bytes("v\0z"))},
         "[s]\r\nk=v\r\n"},
        {"bytes above 0x7F pass through an ANSI file",
         "[a]\nk=\x80\x81\xE9\xFF\n",
         {Write("a", "j", "\x9F\xA0")},
         "[a]\r\nk=\x80\x81\xE9\xFF\r\nj=\x9F\xA0\r\n"},
        {"a UTF-8 file keeps its mark",
         "\xEF\xBB\xBF[a]\nk=v\xC3\xA9\n",
         {Write("x", "k", "\xE9\x80")},
         "\xEF\xBB\xBF[a]\r\nk=v\xC3\xA9\r\n[x]\r\nk=\xC3\xA9\xE2\x82\xAC\r\n"},
        {"a UTF-16 file stays UTF-16",
         utf16Before,
         {Write("b", "x", "1\xE9")},
         utf16Before + Bytes("[\0b\0]\0\r\0\n\0x\0=\0"
                             "1\0\xE9\0\r\0\n\0")},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.Name);
        fs::remove(IniPath());
        if (c.Before) {
            Put(IniPath(), *c.Before);
        }
        IniFileProfile profile(IniPath(), "Tavelmorind.ini");
        for (const Call& call : c.Calls) {
            EXPECT_TRUE(call.Erase ? profile.EraseSection(call.Section)
                                   : profile.WriteString(call.Section, call.Key, call.Value));
        }
        EXPECT_EQ(Contents(IniPath()), c.After);
    }
}

struct ReadCase {
    std::string File;
    std::string Section;
    std::string Key;
    std::string Fallback;
    std::string Expected;
};

TEST_F(IniFileProfileTest, ReadsLikeTheWin32Reader) {
    const std::string file = "[Main Options]\r\nSwitched On=1\r\nFastest Frequency = 0 \r\n"
                             "[Advanced Options]\r\nMode Switcher=2\r\nEmpty=\r\nBare\r\n";
    const ReadCase cases[] = {
        {file, "Main Options", "Switched On", "0", "1"},
        {file, "main options", "SWITCHED ON", "0", "1"},
        {file, "  Main Options\t", " Switched On ", "0", "1"},
        {file, "Main Options", "Fastest Frequency", "1", "0"},
        {file, "Advanced Options", "Mode Switcher", "0", "2"},
        {file, "Advanced Options", "Empty", "x", ""},
        {file, "Advanced Options", "Bare", "fallback", "fallback"},
        {file, "Advanced Options", "Switched On", "fallback", "fallback"},
        {file, "Nowhere", "Switched On", "fallback", "fallback"},
        // the fallback loses trailing blanks but not its first character, then quotes
        {file, "Nowhere", "k", "30  ", "30"},
        {file, "Nowhere", "k", "   ", " "},
        {file, "Nowhere", "k", "", ""},
        {file, "Nowhere", "k", "  'a'\t ", "  'a'\t"},
        {file, "Nowhere", "k", "\"q\"  ", "q"},
        // quotes come off a value only when both ends match
        {"[a]\nk=\"q v\"\n", "a", "k", "", "q v"},
        {"[a]\nk=''\n", "a", "k", "x", ""},
        {"[a]\nk=\"\n", "a", "k", "", "\""},
        {"[a]\nk=\"\"\"\n", "a", "k", "", "\""},
        {"[a]\nk='x\"\n", "a", "k", "", "'x\""},
        {"[a]\nk= \"x\" \n", "a", "k", "", "x"},
        // only the first section of a name, and the first key of a name, count
        {"[a]\nk=1\n[A]\nk=2\nz=3\n", "a", "z", "none", "none"},
        {"[a]\nk=1\nK=2\n", "a", "k", "", "1"},
        {"top=1\n[]\nk=2\n", "", "k", "none", "none"},
        {"top=1\n[]\nk=2\n", "", "top", "", "1"},
        {"[a]\nk=v=w\n", "a", "k", "", "v=w"},
        {"[a]\nk=v=w\n", "a", "k=v", "none", "none"},
        // damaged lines
        {"[a\nk=1\n[b]\nk=2\n", "a", "k", "none", "none"},
        {"[a\nk=1\n[b]\nk=2\n", "b", "k", "", "2"},
        {"garbage\n[a]junk\nk=1\n", "a", "k", "", "1"},
        {"[a]\n=\n=x\nk=1\n", "a", "", "none", ""},
        {Bytes("[a]\nk=1\0tail\n"), "a", "k", "", "1"},
        {"[a]\n\xA0k=1\n", "a", "k", "none", "none"},
        // Unicode files read through code page 1252; what it lacks reads as '?'
        {"\xEF\xBB\xBF[a]\nk=\xC3\xA9\xE2\x82\xAC\xE4\xB8\x80\xF0\x9F\x98\x80\n", "a", "k", "",
         "\xE9\x80???"},
        {"\xEF\xBB\xBF[a]\nk=\xC3\x28\xE2\x82\xFF\xBF\n", "a", "k", "", "?(??\?"},
        {"\xEF\xBB\xBF[a]\nk=\xE0\x80"
         "A\xED\xA0\x80\n",
         "a", "k", "", "?A??"},
        {"\xEF\xBB\xBF[a]\nk=1\xF0\x9F"
         "A",
         "a", "k", "", "1?"},
        {Bytes("\xFF\xFE[\0a\0]\0\n\0k\0=\0"
               "1"),
         "a", "k", "", "1"},
        {Bytes("\xFE\xFF\0[\0a\0]\0\n\0k\0=\0v\x20\xAC\0\xE9\x4E\x00"), "a", "k", "", "v\x80\xE9?"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE("[" + c.Section + "] " + c.Key + " in: " + c.File);
        Put(IniPath(), c.File);
        IniFileProfile profile(IniPath(), "Tavelmorind.ini");
        EXPECT_EQ(profile.ReadString(c.Section, c.Key, c.Fallback), c.Expected);
    }
}

TEST_F(IniFileProfileTest, ReadsFromAMissingFileGiveTheFallback) {
    IniFileProfile profile(IniPath(), "Tavelmorind.ini");
    EXPECT_EQ(profile.ReadString("Init", "Program Run Before", "0"), "0");
    EXPECT_EQ(profile.ReadString("Init", "Program Run Before", "'0' "), "0");
    EXPECT_FALSE(fs::exists(IniPath()));
    EXPECT_EQ(profile.FileName(), "Tavelmorind.ini");
}

TEST_F(IniFileProfileTest, HugeLinesAndBinaryBytesReadSensibly) {
    const std::string huge(200000, 'x');
    std::string binary;
    for (int round = 0; round < 4; ++round) {
        for (int byte = 0; byte < 256; ++byte) {
            binary += static_cast<char>(byte * 7 + round);
        }
    }
    Put(IniPath(), "[a]\nk=" + huge + "\n" + binary + "\n[b]\n" + huge + "\nj=2\n");
    IniFileProfile profile(IniPath(), "Tavelmorind.ini");
    EXPECT_EQ(profile.ReadString("a", "k", ""), huge);
    EXPECT_EQ(profile.ReadString("b", "j", ""), "2");
    EXPECT_EQ(profile.ReadString("b", "missing", "d"), "d");

    ASSERT_TRUE(profile.WriteString("b", "j", "3"));
    EXPECT_EQ(profile.ReadString("a", "k", ""), huge);
    EXPECT_EQ(profile.ReadString("b", "j", ""), "3");
}

// Each fault bites root too, so the tests hold when run as root.
TEST_F(IniFileProfileTest, RefusedWritesReportFalseAndChangeNothing) {
    struct Fault {
        const char* Name;
        fs::path Path;
        std::string ReadBack; // a read gives the fallback, quotes and all
    };
    Put(folder_ / "plain-file", "not a folder");
    fs::create_directory(folder_ / "folder.ini");
    const Fault faults[] = {
        {"the folder is a regular file", folder_ / "plain-file" / "Tavelmorind.ini", "'d'"},
        {"the folder does not exist", folder_ / "missing" / "Tavelmorind.ini", "'d'"},
        {"a folder stands where the file should be", folder_ / "folder.ini", "'d'"},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.Name);
        IniFileProfile profile(fault.Path, "Tavelmorind.ini");
        EXPECT_FALSE(profile.WriteString("Init", "Program Run Before", "1"));
        EXPECT_FALSE(profile.EraseSection("Frequencies"));
        EXPECT_EQ(profile.ReadString("Init", "Program Run Before", "'d'  "), fault.ReadBack);
    }
    EXPECT_EQ(Contents(folder_ / "plain-file"), "not a folder");
    EXPECT_TRUE(fs::is_empty(folder_ / "folder.ini"));
    EXPECT_FALSE(fs::exists(folder_ / "missing"));
}

TEST_F(IniFileProfileTest, AWriteThatCannotFinishLeavesTheOldFile) {
    const std::string before = "[Main Options]\r\nSwitched On=0\r\n[Frequencies]\r\nk=1\r\n";
    Put(IniPath(), before);
    // The new file is written beside the old one under this name, then renamed over it.
    fs::path blocker = IniPath();
    blocker += ".tmp";
    fs::create_directory(blocker);
    IniFileProfile profile(IniPath(), "Tavelmorind.ini");

    EXPECT_FALSE(profile.WriteString("Main Options", "Switched On", "1"));
    EXPECT_FALSE(profile.EraseSection("Frequencies"));
    EXPECT_TRUE(profile.WriteString("Main Options", "Switched On", "0")) << "nothing to write";
    EXPECT_EQ(Contents(IniPath()), before);
    EXPECT_EQ(profile.ReadString("Main Options", "Switched On", ""), "0");

    fs::remove(blocker);
    EXPECT_TRUE(profile.WriteString("Main Options", "Switched On", "1"));
    EXPECT_EQ(Contents(IniPath()), "[Main Options]\r\nSwitched On=1\r\n[Frequencies]\r\nk=1\r\n");
    EXPECT_FALSE(fs::exists(blocker));
}

} // namespace
} // namespace tvm
