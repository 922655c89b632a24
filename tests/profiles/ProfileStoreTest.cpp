#include "CustomProfiles.h"
#include "Errors.h"
#include "Folders.h"
#include "ProfileTuples.h"
#include "TempFolder.h"
#include "UserSettings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;
using testing::IsEmpty;
using testing::Pair;

namespace {

using TSelections = std::vector<std::pair<TPresetOption, int>>;

TSelectOption RecordInto(TSelections& Selections) {
    return [&](TPresetOption Option, int Index) { Selections.emplace_back(Option, Index); };
}

TEST(ProfileTuples, PresetSelectsEveryFieldButNone) {
    TSelections Selected;
    ApplyPresetTuple("3|none|2|4|1|none", RecordInto(Selected));
    EXPECT_THAT(Selected,
                ElementsAre(Pair(TPresetOption::VideoSize, 3), Pair(TPresetOption::VideoBitrate, 2),
                            Pair(TPresetOption::AudioBitrate, 4),
                            Pair(TPresetOption::AudioChannels, 1)));
    Selected.clear();
    ApplyPresetTuple(PresetTupleOf(7, 2), RecordInto(Selected));
    ApplyPresetTuple(PresetTupleOf(0, 9), RecordInto(Selected));
    EXPECT_THAT(Selected, IsEmpty());
    EXPECT_EQ(PresetTupleOf(4, 4), "22|7|8|8|1|3");
}

TEST(ProfileTuples, CustomProfileNeedsExactlySixFieldsAndSkipsEmptyOnes) {
    TSelections Selected;
    ApplyCustomProfileValue("1|2|3|4|5", RecordInto(Selected));
    ApplyCustomProfileValue("1|2|3|4|5|6|7", RecordInto(Selected));
    ApplyCustomProfileValue("", RecordInto(Selected));
    EXPECT_THAT(Selected, IsEmpty());
    ApplyCustomProfileValue("3||2|-1|1|1|", RecordInto(Selected)); // a final "|" adds no field
    EXPECT_THAT(Selected,
                ElementsAre(Pair(TPresetOption::VideoSize, 3), Pair(TPresetOption::VideoBitrate, 2),
                            Pair(TPresetOption::AudioBitrate, -1),
                            Pair(TPresetOption::AudioChannels, 1),
                            Pair(TPresetOption::AudioSample, 1)));
}

TEST(ProfileTuples, NonNumericFieldStopsAfterTheFieldsBeforeIt) {
    TSelections Selected;
    try {
        ApplyCustomProfileValue("3|0|x2|4|1|1", RecordInto(Selected));
        FAIL() << "a field that is no number must be reported";
    } catch (const EConvertError& Error) {
        EXPECT_STREQ(Error.what(), "'x2' is not a valid integer value");
    }
    EXPECT_THAT(Selected,
                ElementsAre(Pair(TPresetOption::VideoSize, 3), Pair(TPresetOption::Framerate, 0)));
    EXPECT_EQ(ProfileTuple({3, 0, 2, 4, 1, -1}), "3|0|2|4|1|-1");
}

class ProfileStore : public testing::Test {
protected:
    TTempFolder Temp;
    TCustomProfileStore Store{Temp.Folder()};
};

TEST_F(ProfileStore, FirstProfileFileHasTheDocumentedBytes) {
    Store.Store("Phone clips", "3|0|2|4|1|1");
    EXPECT_EQ(Temp.Read("UserProfileInfo.ini"), "\r\n[Phone clips]\r\nPhone clips=3|0|2|4|1|1\r\n");
    EXPECT_EQ(Store.Value("phone CLIPS"), "");
    EXPECT_EQ(Store.Value("Phone clips"), "3|0|2|4|1|1");
}

TEST_F(ProfileStore, NamesKeepFileOrderAndReplacingKeepsOneEntry) {
    EXPECT_THAT(Store.Names(), IsEmpty());
    Store.Store("b", "1|1|1|1|1|1");
    Store.Store("a", "2|2|2|2|2|2");
    Store.Store("b", "3|3|3|3|3|3");
    EXPECT_THAT(Store.Names(), ElementsAre("b", "a"));
    EXPECT_EQ(Store.Value("b"), "3|3|3|3|3|3");
    Store.Erase("b");
    Store.Erase("missing");
    EXPECT_THAT(Store.Names(), ElementsAre("a"));
}

TEST_F(ProfileStore, ProposedNamesCountOnAcrossRuns) {
    EXPECT_EQ(Store.ProposeName(), "UserProfileInfo1");
    EXPECT_EQ(TCustomProfileStore(Temp.Folder()).ProposeName(), "UserProfileInfo2");
    EXPECT_EQ(Temp.Read("UserProfileCount.ini"), "\r\n[count]\r\ncount=2\r\n");
    Temp.Write("UserProfileCount.ini", "[count]\r\ncount=many\r\n");
    EXPECT_EQ(Store.ProposeName(), "UserProfileInfo1");
    Temp.Write("UserProfileCount.ini", "[count]\r\ncount=2147483646\r\n");
    EXPECT_EQ(Store.ProposeName(), "UserProfileInfo2147483647");
    EXPECT_EQ(Store.ProposeName(), "UserProfileInfo2147483647"); // the largest count stays
}

TEST(UserSettingsStore, DefaultsThenTheDocumentedFile) {
    TTempFolder Temp;
    const TUserSettingsStore Store(Temp.Folder());
    const TUserSettings Loaded = Store.Load({true, true, "/home/u/Korvalin"});
    EXPECT_FALSE(Loaded.ShowOutputDirectory);
    EXPECT_FALSE(Loaded.Shutdown);
    EXPECT_EQ(Loaded.OutputFolder, "/home/u/Korvalin");
    EXPECT_EQ(Store.ReadInitDir("/home/u/"), "/home/u/");
    Store.SaveInitDir("");
    EXPECT_FALSE(Temp.Exists("UserSettings.ini"));
    Store.SaveInitDir("/video/");
    Store.Save({false, true, "/home/u/Korvalin"});
    EXPECT_EQ(Temp.Read("UserSettings.ini"), "\r\n[USRInfo]\r\nInitDir=/video/\r\nSHWDDir=0\r\n"
                                             "SHUTDOWN=1\r\nOutDir=/home/u/Korvalin\r\n");
}

TEST(UserSettingsStore, OnlyOneChecksABoxAndEmptyFolderKeepsTheDefault) {
    TTempFolder Temp;
    Temp.Write("UserSettings.ini", "[USRInfo]\r\nSHWDDir=yes\r\nSHUTDOWN=1\r\nOutDir=\r\n");
    const TUserSettings Loaded = TUserSettingsStore(Temp.Folder()).Load({true, false, "/out"});
    EXPECT_FALSE(Loaded.ShowOutputDirectory);
    EXPECT_TRUE(Loaded.Shutdown);
    EXPECT_EQ(Loaded.OutputFolder, "/out");
}

TEST(OutputFolderCheck, RefusesMissingAndReadOnlyFoldersAndLeavesNoProbe) {
    TTempFolder Temp;
    std::filesystem::create_directories(Temp.Path("out/test"));
    EXPECT_EQ(CheckOutputFolder(Temp.Path("out")), TFolderCheck::Accepted);
    EXPECT_EQ(CheckOutputFolder(Temp.Path("out/")), TFolderCheck::Accepted);
    EXPECT_TRUE(
        std::filesystem::is_directory(Temp.Path("out/test"))); // the user's own folder stays
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Temp.Path("out")), {}), 1);
    EXPECT_EQ(CheckOutputFolder(Temp.Path("none")), TFolderCheck::Missing);
    std::filesystem::permissions(Temp.Path("out"), std::filesystem::perms::owner_read |
                                                       std::filesystem::perms::owner_exec);
    EXPECT_EQ(CheckOutputFolder(Temp.Path("out")), TFolderCheck::ReadOnly);
    CreateFolderQuietly(Temp.Path("new/deep"));
    EXPECT_TRUE(std::filesystem::is_directory(Temp.Path("new/deep")));
}

} // namespace
