#include "ProfileFile.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

TEST(ProfileFile, SetsOneKeyAndKeepsEveryOtherLine) {
    const std::pair<std::string, std::string> Cases[] = {
        {"[AutoUpdate]\r\nUpdateModalUsr=false\r\nOther=1\r\n",
         "[AutoUpdate]\r\nUpdateModalUsr=true\r\nOther=1\r\n"},
        {"[AutoUpdate]\r\nA=1\r\n\r\n[Other]\r\nB=2\r\n",
         "[AutoUpdate]\r\nA=1\r\nUpdateModalUsr=true\r\n\r\n[Other]\r\nB=2\r\n"},
        {"; comment\nx\n", "; comment\nx\n[AutoUpdate]\nUpdateModalUsr=true\n"},
        {"[autoupdate]\r\n updatemodalusr = 0", "[autoupdate]\r\nUpdateModalUsr=true"},
        {"", "[AutoUpdate]\r\nUpdateModalUsr=true\r\n"},
        {"odd\r\n[AutoUpdate\r\n=x\r\n[ AutoUpdate ]\r\nUpdateModalUsr\r\n",
         "odd\r\n[AutoUpdate\r\n=x\r\n[ AutoUpdate ]\r\nUpdateModalUsr\r\nUpdateModalUsr=true\r\n"},
        {"[Other]\r\nUpdateModalUsr=x",
         "[Other]\r\nUpdateModalUsr=x\r\n[AutoUpdate]\r\nUpdateModalUsr=true\r\n"},
        {"[AutoUpdate]\nA=1\r\n", "[AutoUpdate]\nA=1\r\nUpdateModalUsr=true\n"},
        {"\xEF\xBB\xBF[AutoUpdate]\r\nA=1\r\n",
         "\xEF\xBB\xBF[AutoUpdate]\r\nA=1\r\nUpdateModalUsr=true\r\n"},
        {"[AutoUpdate]\r\nA=1\r\n[AutoUpdate]\r\nUpdateModalUsr=old\r\n",
         "[AutoUpdate]\r\nA=1\r\nUpdateModalUsr=true\r\n[AutoUpdate]\r\nUpdateModalUsr=old\r\n"},
    };
    TTempFolder Temp;
    for (const auto& [Before, After] : Cases) {
        const std::string File = Temp.Write("UpDateSettings.ini", Before);
        WriteProfileString(File, "AutoUpdate", "UpdateModalUsr", "true");
        EXPECT_EQ(Temp.Read("UpDateSettings.ini"), After) << Before;
    }
}

TEST(ProfileFile, FilesThatCannotBeWrittenAreNamedAndLeftAlone) {
    TTempFolder Temp;
    const std::string ReadOnly = Temp.Write("readonly.ini", "[AutoUpdate]\r\n");
    std::filesystem::permissions(ReadOnly, std::filesystem::perms::owner_read |
                                               std::filesystem::perms::group_read);
    std::filesystem::create_directory(Temp.Path("folder.ini"));
    ASSERT_EQ(mkfifo(Temp.Path("pipe.ini").c_str(), 0600), 0);
    for (const std::string& File :
         {ReadOnly, Temp.Path("folder.ini"), Temp.Path("missing.ini"), Temp.Path("pipe.ini")}) {
        try {
            WriteProfileString(File, "AutoUpdate", "UpdateModalUsr", "true");
            ADD_FAILURE() << File;
        } catch (const EProfileWriteError& Error) {
            EXPECT_EQ(std::string(Error.what()), "Unable to write to " + File);
        }
    }
    EXPECT_EQ(Temp.Read("readonly.ini"), "[AutoUpdate]\r\n");
    EXPECT_FALSE(std::filesystem::exists(Temp.Path("missing.ini")));
}

} // namespace
