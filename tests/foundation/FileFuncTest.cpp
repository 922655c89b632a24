#include "FileFunc.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::IsEmpty;
using testing::UnorderedElementsAre;

namespace fs = std::filesystem;

namespace {

TEST(FileNames, BaseNameFolderAndExtension) {
    const TFileFunc FileFunc;
    EXPECT_EQ(FileFunc.FileBaseName("/v/movie.part1.rmvb"), "movie.part1");
    EXPECT_EQ(FileFunc.FileFolder("/v/movie.part1.rmvb"), "/v/");
    EXPECT_EQ(FileFunc.FileExtension("/v/movie.part1.rmvb"), ".rmvb");
    EXPECT_EQ(FileFunc.FileBaseName("/v.d/movie"), "movie");
    EXPECT_EQ(FileFunc.FileExtension("/v.d/movie"), "");
    EXPECT_EQ(FileFunc.FileBaseName("abc."), "abc");
    EXPECT_EQ(FileFunc.FileFolder("movie.rm"), "");
    EXPECT_EQ(FileFunc.FileFolder("/"), "/");
}

class FolderTest : public testing::Test {
protected:
    std::string Unique(const std::string& Name) { return FileFunc.UniqueFileName(Temp.Path(Name)); }
    TTempFolder Temp;
    TFileFunc FileFunc;
};

TEST_F(FolderTest, ListFilesFiltersExactExtensionAndSkipsPlainFolders) {
    Temp.Write("clip.3gp", "");
    Temp.Write("clip.3GP", "");
    Temp.Write("notes", "");
    Temp.Write(".hidden.3gp", "");
    fs::create_directory(Temp.Path("plain.3gp"));
    fs::create_directory(Temp.Path(".hiddendir"));
    fs::create_directory(Temp.Path("locked"));
    fs::permissions(Temp.Path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THAT(FileFunc.ListFiles(Temp.Folder(), ".3gp"),
                UnorderedElementsAre(Temp.Path("clip.3gp"), Temp.Path(".hidden.3gp")));
    EXPECT_THAT(FileFunc.ListFiles(Temp.Folder(), ""),
                UnorderedElementsAre(Temp.Path("clip.3gp"), Temp.Path("clip.3GP"),
                                     Temp.Path("notes"), Temp.Path(".hidden.3gp"),
                                     Temp.Path(".hiddendir"), Temp.Path("locked")));
    EXPECT_THAT(FileFunc.ListFiles(Temp.Path("missing/"), ""), IsEmpty());
}

TEST_F(FolderTest, UniqueFileNameIgnoresExtensionsWhenComparing) {
    Temp.Write("movie.mp4", "");
    EXPECT_EQ(Unique("movie.3gp"), Temp.Path("movie_1.3gp"));
}

TEST_F(FolderTest, UniqueFileNameCountsOnPastTakenNumbers) {
    Temp.Write("movie.3gp", "");
    Temp.Write("movie_1.3gp", "");
    EXPECT_EQ(Unique("movie.3gp"), Temp.Path("movie_2.3gp"));
}

TEST_F(FolderTest, UniqueFileNameKeepsAFreeNameEvenWhenNumberedOnesExist) {
    Temp.Write("movie_1.3gp", "");
    EXPECT_EQ(Unique("movie.3gp"), Temp.Path("movie.3gp"));
}

TEST_F(FolderTest, UniqueFileNameNumbersOnFromTheWantedName) {
    Temp.Write("clip_3.3gp", "");
    Temp.Write("clip_3_1.mp3", "");
    EXPECT_EQ(Unique("clip_3.3gp"), Temp.Path("clip_3_2.3gp"));
}

TEST_F(FolderTest, UniqueFileNameTreatsCaseVariantsAsTaken) {
    Temp.Write("MOVIE.3GP", "");
    Temp.Write("Movie_1.mp4", "");
    EXPECT_EQ(Unique("movie.3gp"), Temp.Path("movie_2.3gp"));
}

TEST_F(FolderTest, UniqueFileNameAvoidsAFolderOfTheWantedName) {
    fs::create_directory(Temp.Path("movie.3gp"));
    fs::create_directory(Temp.Path("other"));
    EXPECT_EQ(Unique("movie.3gp"), Temp.Path("movie_1.3gp"));
    EXPECT_EQ(Unique("other.3gp"), Temp.Path("other.3gp"));
}

TEST_F(FolderTest, UniqueFileNameInMissingFolderIsTheWantedPath) {
    EXPECT_EQ(Unique("none/movie.3gp"), Temp.Path("none/movie.3gp"));
}

} // namespace
