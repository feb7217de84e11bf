// Where the settings live on a machine where the program has no administrator rights:
// the file's place (portable, per-user, migrated from older places) and the Run value
// in the user's and the machine's key.
#include "SimWorld.h"
#include "platform/sim/SimSettingsFolders.h"

#include <gtest/gtest.h>

namespace tvm::test {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;
using Hive = RunAtLogon::Hive;

void Put(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

struct SettingsPlaces : ::testing::Test {
    TempFolder root;
    SimSettingsFolders folders{root.Path()};
    fs::path portable = root.Path() / "exe" / "Tavelmorind.ini";
    fs::path perUser = root.Path() / "LocalAppData" / "Tavelmorind" / "Tavelmorind.ini";
    fs::path virtualStore =
        root.Path() / "LocalAppData" / "VirtualStore" / "Windows" / "Tavelmorind.ini";
    fs::path windows = root.Path() / "Windows" / "Tavelmorind.ini";
};

TEST_F(SettingsPlaces, PortableFileWinsElsePerUserFolderIsMadeAndNothingElseCreated) {
    EXPECT_EQ(ChooseSettingsFile(folders), perUser.string());
    EXPECT_TRUE(fs::is_directory(perUser.parent_path()));
    EXPECT_FALSE(fs::exists(perUser)) << "nothing is written before the first key";

    Put(perUser, "[Init]\r\nProgram Run Before=1\r\n");
    Put(windows, "old");
    EXPECT_EQ(ChooseSettingsFile(folders), perUser.string());
    EXPECT_EQ(Contents(perUser), "[Init]\r\nProgram Run Before=1\r\n") << "never migrated over";

    Put(portable, "");
    EXPECT_EQ(ChooseSettingsFile(folders), portable.string());
}

TEST_F(SettingsPlaces, OlderFilesAreCopiedVirtualStoreFirstAndStayWhereTheyWere) {
    const std::string older = "[Main Options]\r\nSwitched On=1\r\n\r\n; by hand\r\n";
    Put(windows, "[Main Options]\r\nSwitched On=0\r\n");
    Put(virtualStore, older);
    EXPECT_EQ(ChooseSettingsFile(folders), perUser.string());
    EXPECT_EQ(Contents(perUser), older);
    EXPECT_EQ(Contents(virtualStore), older);

    fs::remove(perUser);
    folders.SetUnreadable(virtualStore.string());
    ChooseSettingsFile(folders);
    EXPECT_EQ(Contents(perUser), "[Main Options]\r\nSwitched On=0\r\n")
        << "an unreadable copy gives way to the next";

    fs::remove(perUser);
    folders.SetUnreadable(windows.string());
    ChooseSettingsFile(folders);
    EXPECT_FALSE(fs::exists(perUser));
}

TEST_F(SettingsPlaces, MigratedSettingsLoadAndSavesGoToTheNewPlace) {
    Put(windows, "[Init]\r\nProgram Run Before=1\r\n[Main Options]\r\nSwitched On=1\r\n");
    SimWorld world("crt.modes", ChooseSettingsFile(folders));
    TMainForm& main = world.CreateMain();
    EXPECT_TRUE(world.Dialogs.History().empty()) << "no greeting after a migration";
    EXPECT_TRUE(main.OnRadioButton.Checked());
    main.OffRadioButton.Click();
    main.SaveSettings();
    EXPECT_NE(Contents(perUser).find("Switched On=0"), std::string::npos);
    EXPECT_NE(Contents(windows).find("Switched On=1"), std::string::npos);
}

TEST_F(SettingsPlaces, FolderThatCannotBeMadeGivesDefaultsAndSaveNamesTheFullPath) {
    folders.SetFolderCreationRefused(true);
    SimWorld world("crt.modes", ChooseSettingsFile(folders));
    TMainForm& main = world.CreateMain();
    EXPECT_EQ(world.Dialogs.Errors(), Strings{"Unable to write to " + perUser.string() + "."});
    EXPECT_TRUE(world.Config.ShowSystemTrayIcon);
    EXPECT_TRUE(main.FastestCheckBox.Checked());
}

struct RunValue : ::testing::Test {
    SimWorld world{"crt.modes"};
    TMainForm& Start() { return world.CreateMain(kRunBefore); }
};

TEST_F(RunValue, IsWrittenAndRemovedInTheUsersKeyOnly) {
    TMainForm& main = Start();
    world.Config.RunOnBoot = true;
    main.SaveSettings();
    EXPECT_EQ(world.RunKey.StoredText("Tavelmorind"),
              "\"C:\\Program Files\\Tavelmorind\\Tavelmorind.exe\"");
    EXPECT_FALSE(world.RunKey.Contains("Tavelmorind", Hive::Machine));

    world.Config.RunOnBoot = false;
    main.SaveSettings();
    EXPECT_FALSE(world.RunKey.Contains("Tavelmorind"));
    EXPECT_EQ(main.MainStatusBar.SimpleText(),
              "Tavelmorind is currently disabled; click the 'On' button to enable!");
}

TEST_F(RunValue, OlderMachineValueReadsAsOnAndOneThatCannotBeRemovedIsSaid) {
    world.RunKey.StoreText("Tavelmorind", kExePath, Hive::Machine);
    world.RunKey.SetReadOnly(true, Hive::Machine);
    TMainForm& main = Start();
    EXPECT_TRUE(world.Config.RunOnBoot) << "Windows starts the program from it";

    world.Config.RunOnBoot = false;
    main.Show();
    main.SaveSettings();
    EXPECT_FALSE(main.Visible()) << "the save completes";
    EXPECT_TRUE(world.Dialogs.Errors().empty());
    EXPECT_TRUE(world.RunKey.Contains("Tavelmorind", Hive::Machine));
    EXPECT_EQ(main.MainStatusBar.SimpleText(),
              "Start at log-on is still set for all users; run Tavelmorind once as "
              "administrator and save to remove it.");

    // With the rights (an elevated run) the older value goes, and nothing is said.
    world.RunKey.SetReadOnly(false, Hive::Machine);
    main.SaveSettings();
    EXPECT_FALSE(world.RunKey.Contains("Tavelmorind", Hive::Machine));
    EXPECT_EQ(main.MainStatusBar.SimpleText(),
              "Tavelmorind is currently disabled; click the 'On' button to enable!");
}

TEST_F(RunValue, KeptTickedWithAnOlderMachineValueLeavesOneEntryThatStartsTheProgram) {
    world.RunKey.StoreText("Tavelmorind", kExePath, Hive::Machine);
    TMainForm& main = Start();
    ASSERT_TRUE(world.Config.RunOnBoot);
    main.SaveSettings();
    EXPECT_FALSE(world.RunKey.Contains("Tavelmorind", Hive::Machine)) << "removable: it goes";
    EXPECT_TRUE(world.RunKey.Contains("Tavelmorind"));

    // Read-only for this user: the machine's value is the one, no second is written.
    world.RunKey.StoreText("Tavelmorind", kExePath, Hive::Machine);
    world.RunKey.SetReadOnly(true, Hive::Machine);
    main.SaveSettings();
    EXPECT_TRUE(world.RunKey.Contains("Tavelmorind", Hive::Machine));
    EXPECT_FALSE(world.RunKey.Contains("Tavelmorind"));
    EXPECT_TRUE(world.Dialogs.Errors().empty());
}

TEST_F(RunValue, OnlyTheUsersValueOfTheWrongTypeIsAnError) {
    world.RunKey.StoreWrongType("Tavelmorind", Hive::Machine);
    world.RunKey.StoreText("Tavelmorind", "C:\\Elsewhere\\Tavelmorind.exe");
    Start();
    EXPECT_TRUE(world.Dialogs.Errors().empty());
    EXPECT_FALSE(world.Config.RunOnBoot) << "neither value starts this program";

    SimWorld user("crt.modes");
    user.RunKey.StoreWrongType("Tavelmorind");
    user.RunKey.StoreText("Tavelmorind", kExePath, Hive::Machine);
    user.CreateMain(kRunBefore);
    EXPECT_EQ(user.Dialogs.Errors(), Strings{"Invalid data type for 'Tavelmorind'"});
    EXPECT_FALSE(user.Config.RunOnBoot);
}

TEST_F(RunValue, RefusedWriteFailsTheSaveAfterTheFile) {
    TMainForm& main = Start();
    world.RunKey.SetWriteRefused(true);
    world.Config.RunOnBoot = true;
    main.Show();
    main.SaveSettings();
    EXPECT_EQ(world.Dialogs.Errors(), Strings{"Failed to set data for 'Tavelmorind'"});
    EXPECT_TRUE(main.Visible());
    EXPECT_NE(world.ReadIni().find("Power Save Delay=3000"), std::string::npos);
}

} // namespace
} // namespace tvm::test
