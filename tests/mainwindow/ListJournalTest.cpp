#include "ListJournal.h"
#include "JournalWriter.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;
using testing::HasSubstr;

namespace {

using TKind = TRowOutcome::TKind;

// A list as a batch leaves it: rows of any bytes, checked or not, with marks;
// the batch's next start clears only the marks of the rows it takes.
TSourceRowStore MarkedList() {
    TSourceRowStore Store;
    for (const char* Path : {"/a.rm", "/tab\there/new\nline\\.rm", "/\xff\xfe latin.RMVB"})
        Store.Append(NewSourceRow(Path, "1 B", "00:10:00"));
    TRowCells Unchecked = Store.Row(1);
    Unchecked[CheckStatusColumn] = "False";
    Unchecked[StartTimeColumn] = "00:01:00";
    Store.Set(1, Unchecked);
    Store.SetOutcome(0, {TKind::Converted, "/out/a.3gp"});
    Store.SetOutcome(1, {TKind::NotConverted, "cut\toff\nearly"});
    return Store;
}

TEST(ListJournal, KeepsEveryRowExactlyAndANewBatchClearsOnlyTheMarksOfItsRows) {
    TSourceRowStore Store = MarkedList();
    const TListJournal Read = ReadJournalText(JournalText(JournalOf(Store, true)));
    EXPECT_TRUE(Read.Converting);
    ASSERT_EQ(Read.Rows.size(), 3u);
    for (size_t Row = 0; Row < 3; ++Row) {
        EXPECT_EQ(Read.Rows[Row].Path, Store.Row(Row)[FileNameColumn]);
        EXPECT_EQ(Read.Rows[Row].Checked, Row != 1);
        EXPECT_EQ(Read.Rows[Row].StartTime, Row == 1 ? "00:01:00" : "00:00:00");
        EXPECT_EQ(Read.Rows[Row].EndTime, "00:10:00");
        EXPECT_EQ(Read.Rows[Row].Outcome.Kind, Store.Outcome(Row).Kind);
        EXPECT_EQ(Read.Rows[Row].Outcome.Text, Store.Outcome(Row).Text);
    }
    Store.ClearCheckedOutcomes();
    EXPECT_EQ(Store.Outcome(0).Kind, TKind::None);
    EXPECT_EQ(Store.Outcome(1).Kind, TKind::NotConverted) << "an unchecked row keeps its mark";
}

TEST(ListJournal, RefusesAnythingButAWholeJournalOfThisVersion) {
    const std::string Whole = JournalText(JournalOf(MarkedList(), false));
    const std::string Row = "row\t1\t00:00:00\t00:00:05\tnone\t\t/a.rm\n";
    const std::string Head = "Korvalin list journal\t1\nconverting\tno\n";
    const std::pair<std::string, const char*> Cases[] = {
        {"", "cut short"},
        {"[Settings]\nA=1\n", "not a list journal"},
        {"Korvalin list journal\t2\nconverting\tno\nrows\t0\n", "another version of Korvalin (2)"},
        {Whole.substr(0, Whole.rfind("row\t")), "cut short"},
        {Head + Row + "rows\t2\n", "do not add up"},
        {Head + "rows\t0\n\n", "do not add up"},
        {"Korvalin list journal\t1\nconverting\tmaybe\nrows\t0\n", "whether a batch"},
        {Head + "row\t1\t00:00:00\t00:00:05\tnone\t\t/a\\q.rm\nrows\t1\n", "broken escape"},
        {Head + "row\t1\t0:0:0\t00:00:05\tnone\t\t/a.rm\nrows\t1\n", "the time '0:0:0'"},
        {Head + "row\t1\t00:00:00\t-1:00:00\tnone\t\t/a.rm\nrows\t1\n", "the time '-1:00:00'"},
        {Head + "row\t1\t00:60:00\t00:00:05\tnone\t\t/a.rm\nrows\t1\n", "the time '00:60:00'"},
        {Head + "row\t1\t00:00:00\t00:00:05\tnone\t\t/a" + '\0' + ".rm\nrows\t1\n",
         "journal's form"},
        {Head + "row\t1\t00:00:00\t00:00:05\tdone\t\t/a.rm\nrows\t1\n", "journal's form"},
        {Head + "row\t1\t00:00:00\t00:00:05\tnone\t/a.rm\nrows\t1\n", "journal's form"},
    };
    for (const auto& [Text, Reason] : Cases) {
        try {
            ReadJournalText(Text);
            ADD_FAILURE() << "read: " << Text;
        } catch (const EUnreadableJournal& Error) {
            EXPECT_THAT(Error.what(), HasSubstr(Reason)) << Text;
        }
    }
    EXPECT_TRUE(ReadJournalText(Head + "rows\t0\n").Rows.empty());
}

// A file probed again comes back with its kept check, trim and mark; a row an
// interrupted batch had converted comes back unchecked, and a trim the file's
// new length moves loses its mark.
TEST(ListJournal, RestoredRowsKeepTheirChoicesWithinTheFilesLengthNow) {
    const TJournalRow Converted{"/a.rm", true, "00:00:10", "00:01:00", {TKind::Converted, "/out"}};
    const TJournalRow Failed{"/a.rm", true, "00:00:10", "00:01:00", {TKind::NotConverted, "cut"}};
    const TJournalRow Unchecked{"/a.rm", false, "00:00:00", "00:02:00", {}};
    struct TCase {
        const TJournalRow& Kept;
        bool Interrupted;
        const char* Duration;           // as probed now
        std::vector<std::string> Cells; // check, start, end, cut
        TKind Mark;
    } const Cases[] = {
        {Converted,
         true,
         "00:02:00",
         {"False", "00:00:10", "00:01:00", "00:00:50"},
         TKind::Converted},
        {Converted,
         false,
         "00:02:00",
         {"True", "00:00:10", "00:01:00", "00:00:50"},
         TKind::Converted},
        {Failed,
         true,
         "00:02:00",
         {"True", "00:00:10", "00:01:00", "00:00:50"},
         TKind::NotConverted},
        {Unchecked, true, "00:02:00", {"False", "00:00:00", "00:02:00", "00:02:00"}, TKind::None},
        {Converted, true, "00:00:30", {"True", "00:00:10", "00:00:30", "00:00:20"}, TKind::None},
    };
    for (const TCase& Case : Cases) {
        const auto [Cells, Outcome] =
            RestoredRow(NewSourceRow("/a.rm", "5 MB", Case.Duration), Case.Kept, Case.Interrupted);
        EXPECT_THAT(Case.Cells, ElementsAre(Cells[CheckStatusColumn], Cells[StartTimeColumn],
                                            Cells[EndTimeColumn], Cells[CutDurationColumn]));
        EXPECT_EQ(Cells[FileSizeColumn], "5 MB");
        EXPECT_EQ(Outcome.Kind, Case.Mark);
    }
}

TEST(ListJournal, TheWriterLeavesTheNewestWholeAndRemovesItOnRequest) {
    TTempFolder Temp;
    std::vector<std::string> Failures;
    const std::string FileName = Temp.Path("list-journal.txt");
    {
        TJournalWriter Writer(FileName, [&](const std::string& Why) { Failures.push_back(Why); });
        for (int Rows = 1; Rows <= 50; ++Rows) {
            TListJournal Journal;
            Journal.Rows.resize(static_cast<size_t>(Rows), {"/a.rm"});
            Writer.Post(Journal);
        }
        Writer.Flush();
        EXPECT_EQ(ReadJournalText(Temp.Read("list-journal.txt")).Rows.size(), 50u);
        Writer.PostRemoval();
        Writer.Flush();
        EXPECT_FALSE(Temp.Exists("list-journal.txt"));
        Writer.Post({true, {{"/b.rm"}}});
    } // the last one is written before the writer goes
    EXPECT_TRUE(ReadJournalText(Temp.Read("list-journal.txt")).Converting);
    EXPECT_TRUE(Failures.empty());

    TJournalWriter Failing(Temp.Path("no-folder/list-journal.txt"),
                           [&](const std::string& Why) { Failures.push_back(Why); });
    Failing.Post({false, {{"/b.rm"}}});
    Failing.Flush();
    EXPECT_THAT(Failures, ElementsAre(HasSubstr("no-folder")));
}

} // namespace
