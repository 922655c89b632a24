#include "AppFunc.h"
#include "Errors.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

using testing::MatchesRegex;

namespace {

TEST(AppFolder, IsTheFolderOfTheRunningProgram) {
    const std::string Folder = TAppFunc().AppFolder();
    ASSERT_FALSE(Folder.empty());
    EXPECT_EQ(Folder.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(Folder + "engine_tests"));
}

TEST(WriteLog, AppendsOneCrLfLineAfterPrefixDateAndTime) {
    TTempFolder Temp;
    const TAppFunc AppFunc(Temp.Folder());
    AppFunc.WriteLog("parameter: evc.exe -y");
    const std::string First = Temp.Read("log.txt");
    // The C locale's short date and long time formats.
    EXPECT_THAT(First, MatchesRegex("Quorvane [0-9]{2}/[0-9]{2}/[0-9]{2} "
                                    "[0-9]{2}:[0-9]{2}:[0-9]{2}\\|parameter: evc.exe -y\r\n"));
    AppFunc.WriteLog("two\nlines");
    const std::string Both = Temp.Read("log.txt");
    EXPECT_EQ(Both.substr(0, First.size()), First);
    EXPECT_THAT(Both.substr(First.size()), MatchesRegex("Quorvane .*\\|two\nlines\r\n"));
}

TEST(WriteLog, FailureReachesTheCaller) {
    TTempFolder Temp;
    const TAppFunc AppFunc(Temp.Path("missing/"));
    EXPECT_THROW(AppFunc.WriteLog("x"), EInOutError);
}

} // namespace
