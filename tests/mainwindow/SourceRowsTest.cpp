#include "SourceRows.h"
#include "ConvertParameter.h"
#include "Errors.h"
#include "SourceRowStore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;

namespace {

TEST(SourceRows, NewRowIsCheckedAndCoversTheWholeFile) {
    EXPECT_THAT(NewSourceRow("/films/a.rm", "12.5 MB", "01:30:00"),
                ElementsAre("True", "/films/a.rm", "12.5 MB", "01:30:00", "00:00:00", "01:30:00",
                            "01:30:00"));
}

TEST(SourceRows, DuplicatesGoFirstOccurrenceKeptLetterCaseCounts) {
    EXPECT_THAT(RemoveDuplicates({"/a.rm", "/b.rm", "/a.rm", "/A.rm", "/b.rm"}),
                ElementsAre("/a.rm", "/b.rm", "/A.rm"));
}

TEST(SourceRows, OnlyRealMediaExtensionsInAnyCase) {
    for (const char* Accepted : {"/x/MOVIE.RMVB", "/x/a.rm", "/x/a.Rm", "/x.y/b.rmvb", "c.rm"})
        EXPECT_TRUE(HasSourceExtension(Accepted)) << Accepted;
    for (const char* Skipped :
         {"/x/movie.rm.avi", "/x/movie.rmx", "/x/rm", "/x.rm/movie", "/x/movie.", "/x/movie"})
        EXPECT_FALSE(HasSourceExtension(Skipped)) << Skipped;
}

struct TSizeCase {
    int64_t Bytes;
    const char* Text;
    friend void PrintTo(const TSizeCase& Case, std::ostream* Out) { *Out << Case.Bytes; }
};

class FileSize : public testing::TestWithParam<TSizeCase> {};

TEST_P(FileSize, ShortestFormWithTwoDecimalsCut) {
    EXPECT_EQ(FormatFileSize(GetParam().Bytes, ','), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FileSize,
    testing::Values(TSizeCase{0, "0 B"}, TSizeCase{-5, "0 B"}, TSizeCase{1023, "1023 B"},
                    TSizeCase{1024, "1 KB"}, TSizeCase{1536, "1,5 KB"}, TSizeCase{1535, "1,49 KB"},
                    TSizeCase{1048576, "1 MB"}, TSizeCase{1073741823, "1023,99 MB"},
                    TSizeCase{1073741824, "1 GB"}, TSizeCase{3221225472, "3 GB"},
                    TSizeCase{int64_t{5} << 40, "5120 GB"}));

struct TDurationCase {
    int64_t Seconds;
    const char* Text;
    friend void PrintTo(const TDurationCase& Case, std::ostream* Out) { *Out << Case.Seconds; }
};

class Duration : public testing::TestWithParam<TDurationCase> {};

TEST_P(Duration, HoursGrowPastTwoDigits) {
    EXPECT_EQ(FormatDuration(GetParam().Seconds), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Durations, Duration,
    testing::Values(TDurationCase{-1, "00:00:00"}, TDurationCase{0, "00:00:00"},
                    TDurationCase{59, "00:00:59"}, TDurationCase{3599, "00:59:59"},
                    TDurationCase{5400, "01:30:00"}, TDurationCase{360000, "100:00:00"}));

struct TEditCase {
    const char* Name;
    const char* Duration;
    const char* Start;
    const char* End;
    const char* CorrectedStart;
    const char* CorrectedEnd;
    const char* Cut;
    int64_t SeekMilliseconds;
};

class EditCorrection : public testing::TestWithParam<TEditCase> {};

TEST_P(EditCorrection, KeepsTheSegmentInsideTheFile) {
    const TEditCase& Case = GetParam();
    TRowCells Row = NewSourceRow("/a.rm", "1 MB", Case.Duration);
    Row[StartTimeColumn] = Case.Start;
    Row[EndTimeColumn] = Case.End;
    int64_t Seek = -1;
    CorrectEditedRow(Row, [&](int64_t Milliseconds) { Seek = Milliseconds; });
    EXPECT_EQ(Row[StartTimeColumn], Case.CorrectedStart);
    EXPECT_EQ(Row[EndTimeColumn], Case.CorrectedEnd);
    EXPECT_EQ(Row[CutDurationColumn], Case.Cut);
    EXPECT_EQ(Seek, Case.SeekMilliseconds);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, EditCorrection,
    testing::Values(TEditCase{"StartPastTheEnd", "00:10:00", "00:12:00", "00:10:00", "00:10:00",
                              "00:10:00", "00:00:00", 600000},
                    TEditCase{"EndPastTheFile", "00:10:00", "00:02:00", "00:15:00", "00:02:00",
                              "00:10:00", "00:08:00", 120000},
                    TEditCase{"StartAfterTheEnd", "00:10:00", "00:06:00", "00:05:00", "00:06:00",
                              "00:06:00", "00:00:00", 360000},
                    TEditCase{"StartPastTheFileWithAnEarlierEnd", "00:01:40", "00:02:00",
                              "00:01:30", "00:01:40", "00:01:40", "00:00:00", 100000},
                    TEditCase{"EmptyCellsFilled", "00:10:00", "", "", "00:00:00", "00:10:00",
                              "00:10:00", 0},
                    TEditCase{"SegmentInside", "01:00:00", "00:00:30", "00:20:00", "00:00:30",
                              "00:20:00", "00:19:30", 30000}),
    [](const testing::TestParamInfo<TEditCase>& Info) { return Info.param.Name; });

TEST(EditCorrection, UnreadableTimeStopsAfterTheFilledCells) {
    TRowCells Row = NewSourceRow("/a.rm", "1 MB", "00:10:00");
    Row[StartTimeColumn] = "";
    Row[EndTimeColumn] = "00:x5:00";
    bool Seeked = false;
    EXPECT_THROW(CorrectEditedRow(Row, [&](int64_t) { Seeked = true; }), EConvertError);
    EXPECT_EQ(Row[StartTimeColumn], "00:00:00");
    EXPECT_EQ(Row[CutDurationColumn], "00:10:00");
    EXPECT_FALSE(Seeked);
}

TEST(CutSeconds, LastRowOfThePathIgnoringCase) {
    const std::vector<TSourceRow> Rows{{"/a.rm", "00:00:10", "00:01:00"},
                                       {"/b.rm", "00:00:00", "00:00:30"},
                                       {"/A.RM", "00:00:20", "00:02:00"}};
    EXPECT_EQ(GetCutSeconds("/a.rm", Rows), 100);
    EXPECT_EQ(GetCutSeconds("/b.rm", Rows), 30);
    EXPECT_EQ(GetCutSeconds("/c.rm", Rows), 0);
}

TEST(RowStore, FindsPathsAndFilesAfterEveryChange) {
    TSourceRowStore Store;
    for (const char* Path : {"/a.rm", "/b.rm", "/A.RM", "/c.rm", "/a.rm", "/d.rm"})
        Store.Append(NewSourceRow(Path, "1 B", "00:10:00"));
    Store.SetOutcome(4, {TRowOutcome::TKind::Converted, "/out/a.3gp"});
    EXPECT_TRUE(Store.HasPath("/A.RM"));
    EXPECT_FALSE(Store.HasPath("/B.rm"));                         // letter case counts here
    EXPECT_THAT(Store.RowsOfFile("/a.RM"), ElementsAre(0, 2, 4)); // and not here

    Store.Remove({0, 3, 5}); // scattered: the others stay, in order
    std::vector<std::string> Paths;
    for (size_t Row = 0; Row < Store.Count(); ++Row)
        Paths.push_back(Store.Row(Row)[FileNameColumn]);
    EXPECT_THAT(Paths, ElementsAre("/b.rm", "/A.RM", "/a.rm"));
    EXPECT_EQ(Store.Outcome(2).Text, "/out/a.3gp") << "a row's mark goes with it";
    EXPECT_THAT(Store.RowsOfFile("/a.rm"), ElementsAre(1, 2));
    EXPECT_FALSE(Store.HasPath("/c.rm"));

    TRowCells Renamed = Store.Row(0);
    Renamed[FileNameColumn] = "/e.rm";
    Store.Set(0, Renamed);
    EXPECT_TRUE(Store.HasPath("/e.rm"));
    EXPECT_FALSE(Store.HasPath("/b.rm"));
    Store.Clear();
    EXPECT_FALSE(Store.HasPath("/e.rm"));
    EXPECT_TRUE(Store.RowsOfFile("/a.rm").empty());
}

TEST(RowStore, AMarkersTimeCutsEachRowByTheLastRowOfItsFile) {
    TSourceRowStore Store;
    for (const char* Path : {"/a.rm", "/b.rm", "/A.rm"})
        Store.Append(NewSourceRow(Path, "1 B", "00:10:00"));
    TRowCells Last = Store.Row(2);
    Last[EndTimeColumn] = "00:05:00";
    Store.Set(2, Last);
    Store.SetTime(0, StartTimeColumn, "00:01:00");
    Store.SetTime(1, StartTimeColumn, "00:01:00");
    EXPECT_EQ(Store.Row(0)[StartTimeColumn], "00:01:00");
    EXPECT_EQ(Store.Row(0)[CutDurationColumn], "00:05:00"); // /A.rm's, as it reads now
    EXPECT_EQ(Store.Row(1)[CutDurationColumn], "00:09:00");
    Store.SetOutcome(2, {TRowOutcome::TKind::NotConverted, "cut off"});
    Store.SetTime(2, StartTimeColumn, "00:01:00");
    EXPECT_EQ(Store.Row(2)[CutDurationColumn], "00:04:00");
    EXPECT_EQ(Store.Outcome(2).Kind, TRowOutcome::TKind::None) << "a new trim clears the mark";
}

} // namespace
