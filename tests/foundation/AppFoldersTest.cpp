#include "AppFolders.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing::HasSubstr;

namespace {

// A program folder as shipped: default settings and the updater's settings.
class DataFolder : public testing::Test {
protected:
    DataFolder() {
        fs::create_directories(Temp.Path("program/Config"));
        Temp.Write("program/Config/UserProfileInfo.ini", "[Profiles]\r\n");
        Temp.Write("program/Config/readme.txt", "not settings");
        Temp.Write("program/UpDateSettings.ini", "[AutoUpdate]\r\nUpdateAddress=x\r\n");
    }
    TAppFolders Chosen() const { return ChooseAppFolders(Program, User); }

    TTempFolder Temp;
    const std::string Program = Temp.Path("program/");
    const std::string User = Temp.Path("home/.local/share/Korvalin/");
};

TEST_F(DataFolder, IsTheProgramFolderOnlyWhileTheUserMayWriteThere) {
    EXPECT_EQ(Chosen().DataFolder, Program);
    EXPECT_EQ(PrepareDataFolder(Chosen()).Problem, "");
    EXPECT_FALSE(Temp.Exists("home")) << "a portable copy keeps everything beside it";

    fs::permissions(Program, fs::perms(0555)); // no write permission at all, even for root
    const TAppFolders Installed = Chosen();
    EXPECT_EQ(Installed.ProgramFolder, Program);
    EXPECT_EQ(Installed.DataFolder, User);
    EXPECT_EQ(Installed.ProgramFile("evc.exe"), Program + "evc.exe");
    for (const std::string& Written : {Installed.ConfigFolder(), Installed.LogFile(),
                                       Installed.ScriptFile(), Installed.UpdateSettingsFile()})
        EXPECT_EQ(Written.rfind(User, 0), 0u) << Written;
    fs::permissions(Program, fs::perms(0755));
}

TEST_F(DataFolder, IsSeededOnceAndTheUsersCopiesAreNeverReplaced) {
    const TAppFolders Folders(Program, User);
    EXPECT_EQ(PrepareDataFolder(Folders).Problem, "");
    EXPECT_EQ(Temp.Read("home/.local/share/Korvalin/Config/UserProfileInfo.ini"), "[Profiles]\r\n");
    EXPECT_EQ(Temp.Read("home/.local/share/Korvalin/UpDateSettings.ini"),
              "[AutoUpdate]\r\nUpdateAddress=x\r\n");
    EXPECT_FALSE(Temp.Exists("home/.local/share/Korvalin/Config/readme.txt"));

    Temp.Write("home/.local/share/Korvalin/Config/UserProfileInfo.ini", "mine");
    Temp.Write("home/.local/share/Korvalin/UpDateSettings.ini", "mine too");
    Temp.Write("program/Config/UserSettings.ini", "[USRInfo]\r\n"); // shipped by a later version
    EXPECT_EQ(PrepareDataFolder(Folders).Problem, "");
    EXPECT_EQ(Temp.Read("home/.local/share/Korvalin/Config/UserProfileInfo.ini"), "mine");
    EXPECT_EQ(Temp.Read("home/.local/share/Korvalin/UpDateSettings.ini"), "mine too");
    EXPECT_EQ(Temp.Read("home/.local/share/Korvalin/Config/UserSettings.ini"), "[USRInfo]\r\n");

    // An installation without its defaults gives an empty Config folder.
    fs::remove_all(Temp.Path("program"));
    EXPECT_EQ(PrepareDataFolder(TAppFolders(Program, Temp.Path("other/"))).Problem, "");
    EXPECT_TRUE(fs::is_empty(Temp.Path("other/Config")));
}

TEST_F(DataFolder, ThatCannotBeWrittenIsNamedAndNothingElseIsWritten) {
    Temp.Write("file", "");
    fs::create_directories(Temp.Path("locked/Config"));
    fs::permissions(Temp.Path("locked"), fs::perms(0555));
    for (const std::string& Folder :
         {Temp.Path("file/"), Temp.Path("file/Korvalin/"), Temp.Path("locked/")}) {
        const TDataFolderChoice Choice = PrepareDataFolder(TAppFolders(Program, Folder));
        EXPECT_THAT(Choice.Problem, HasSubstr("\"" + Folder + "\"")) << Folder;
        EXPECT_THAT(Choice.Problem, HasSubstr("will not be saved"));
        EXPECT_EQ(Choice.Folders.DataFolder, Folder) << "never the program or current folder";
    }
    EXPECT_FALSE(Temp.Exists("locked/UpDateSettings.ini"));
    fs::permissions(Temp.Path("locked"), fs::perms(0755));
}

} // namespace
