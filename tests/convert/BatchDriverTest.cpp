#include "BatchDriver.h"
#include "EvcContract.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

namespace {

// The windows and the system as the driver sees them, with a clock that only
// moves when the test lets the pending timer elapse. Every call is recorded.
class TFakeHost : public IBatchHost {
public:
    struct TRow {
        bool Checked;
        std::string Source;
    };
    std::vector<TRow> Rows;
    std::vector<std::string> Calls;
    int PendingTimer = -1;                        // milliseconds, -1 when none
    long long Now = 0;                            // milliseconds
    int EncoderLooksLeft = 0;                     // how many more looks find an encoder
    std::set<std::string> Outputs;                // files that exist
    std::map<std::string, TPathKind> SourceKinds; // regular files when not given
    bool ShowFolder = false, Shutdown = false, Active = true;
    std::map<std::string, TRunEnd> RunEnds; // by source; started and 0 when not given
    std::map<int, std::string> Marks;       // by row: "to OUTPUT" or "not: REASON"
    TBatchDriver* Driver = nullptr;

    int RowCount() const override { return static_cast<int>(Rows.size()); }
    bool RowChecked(int Row) const override { return Rows.at(static_cast<size_t>(Row)).Checked; }
    std::string RowSource(int Row) const override {
        return Rows.at(static_cast<size_t>(Row)).Source;
    }
    std::string CreateConvertParameter(const std::string& Source) override {
        if (Source.find("unquotable") != std::string::npos)
            throw std::runtime_error("cannot be converted");
        const std::string Cut = Source.find("emptycut") != std::string::npos ? " -t 0" : "";
        return "evc.exe -y -i \"VideoFile.avs\"" + Cut + " \"/out" + Source + ".3gp\"";
    }
    void MarkRow(int Row, const TRowOutcome& Outcome) override {
        Marks[Row] =
            (Outcome.Kind == TRowOutcome::TKind::Converted ? "to " : "not: ") + Outcome.Text;
    }
    void ClearMarksOfCheckedRows() override {
        std::erase_if(Marks, [this](const auto& Mark) {
            return Mark.first >= RowCount() || RowChecked(Mark.first);
        });
    }
    void WriteLog(const std::string& Line) override { Calls.push_back("log " + Line); }
    void ShowWarning(const std::string& Text) override { Calls.push_back("warn " + Text); }
    void ShowProgress() override { Calls.push_back("show"); }
    void HideProgress() override { Calls.push_back("hide"); }
    void StartRunner(const std::string& Command) override {
        Calls.push_back("run at " + std::to_string(Now));
        Running = Command;
    }
    void FreeRunner() override { Calls.push_back("free at " + std::to_string(Now)); }
    bool EncoderRunning() const override {
        if (EncoderLooksLeft == 0)
            return false;
        --const_cast<TFakeHost*>(this)->EncoderLooksLeft;
        return true;
    }
    bool FileExists(const std::string& Path) const override { return Outputs.contains(Path); }
    void RemoveLeftoverPartialFiles(const std::string& Folder) override {
        Calls.push_back("remove partial files in " + Folder);
    }
    TPathKind PathKind(const std::string& Path) const override {
        return SourceKinds.contains(Path) ? SourceKinds.at(Path) : TPathKind::RegularFile;
    }
    bool ShowOutputDirectoryChecked() const override { return ShowFolder; }
    bool ShutdownChecked() const override { return Shutdown; }
    void OpenOutputFolder() override { Calls.push_back("open folder"); }
    void PowerOffAndQuit() override { Calls.push_back("save settings and power off"); }
    bool ProgramWindowActive() const override { return Active; }
    void NotifyDesktop(const std::string& Text) override { Calls.push_back("notify " + Text); }
    void StartTimer(int Milliseconds) override { PendingTimer = Milliseconds; }

    // Lets time pass until the driver waits for nothing; the runner reports its
    // end right after it starts, as a quick encoder would.
    void RunToEnd(const std::function<void()>& AtEachStep = {}) {
        while (PendingTimer >= 0) {
            Now += std::exchange(PendingTimer, -1);
            if (AtEachStep)
                AtEachStep();
            Driver->TimerElapsed();
            if (!Running.empty()) {
                const std::string Source = Running.substr(Running.rfind("/out") + 4);
                Driver->RunEnded(RunEnds.contains(Source.substr(0, Source.size() - 5))
                                     ? RunEnds[Source.substr(0, Source.size() - 5)]
                                     : TRunEnd{true, 0, {}});
                Running.clear();
            }
        }
    }
    std::vector<std::string> Only(const std::string& Prefix) const {
        std::vector<std::string> Found;
        for (const std::string& Call : Calls)
            if (Call.starts_with(Prefix))
                Found.push_back(Call);
        return Found;
    }

private:
    std::string Running;
};

class Batch : public testing::Test {
protected:
    Batch() { Host.Driver = &Driver; }
    void Rows(std::initializer_list<TFakeHost::TRow> List) {
        Host.Rows = List;
        for (const TFakeHost::TRow& Row : List)
            Host.Outputs.insert("/out" + Row.Source + ".3gp");
    }
    TFakeHost Host;
    TBatchDriver Driver{Host};
};

TEST_F(Batch, CheckedRowsRunInTurnWithTheirPausesAndEndActions) {
    Rows({{true, "/a.rm"}, {false, "/b.rm"}, {true, "/c.rm"}, {true, "/d.rm"}});
    Host.ShowFolder = true;
    Host.EncoderLooksLeft = 2; // the first file's encoder is seen twice
    Driver.ConvertFileList();
    EXPECT_EQ(Driver.TotalCount, 3);
    Host.RunToEnd();
    EXPECT_EQ(Driver.DoneCount, 3);
    EXPECT_THAT(Host.Only("run"), ElementsAre("run at 2000", "run at 7200", "run at 12200"));
    EXPECT_THAT(Host.Only("free"), ElementsAre("free at 5200", "free at 10200", "free at 15200"));
    EXPECT_THAT(Host.Only("log parameter: "), testing::SizeIs(3));
    EXPECT_THAT(Host.Calls, testing::Contains("open folder"));
    EXPECT_EQ(Host.Calls.back(), "hide");
    EXPECT_FALSE(Driver.Running());
}

TEST_F(Batch, StopDuringThePauseSkipsTheFileAndTheEndActionsOnce) {
    Rows({{true, "/a.rm"}, {true, "/b.rm"}});
    Host.ShowFolder = true;
    Driver.ConvertFileList();
    Driver.RequestStop(true);
    Driver.ConvertFileList(); // ignored: the stopped batch has not ended yet
    Host.RunToEnd();
    EXPECT_THAT(Host.Only("run"), IsEmpty());
    EXPECT_THAT(Host.Only("open"), IsEmpty());
    EXPECT_FALSE(Driver.StopRequested);

    Host.Calls.clear();
    Driver.ConvertFileList(); // the next batch runs its end actions again
    Host.RunToEnd();
    EXPECT_THAT(Host.Only("run"), testing::SizeIs(2));
    EXPECT_THAT(Host.Only("open"), ElementsAre("open folder"));
}

TEST_F(Batch, StopConfirmedAfterTheBatchEndedLeavesTheNextBatchAlone) {
    Rows({{true, "/a.rm"}});
    Driver.ConvertFileList();
    Host.RunToEnd();
    Driver.RequestStop(true); // the question was still open when the last file ended
    Driver.ConvertFileList();
    Host.RunToEnd();
    EXPECT_THAT(Host.Only("run"), testing::SizeIs(2));
}

TEST_F(Batch, StopWhileEncodingEndsAfterThatFile) {
    for (const bool StopButton : {true, false}) {
        SCOPED_TRACE(StopButton ? "stop button" : "close box");
        Host.Calls.clear();
        Host.Now = 0;
        Rows({{true, "/a.rm"}, {true, "/b.rm"}});
        Host.ShowFolder = true;
        Host.EncoderLooksLeft = 5;
        Host.RunEnds["/a.rm"] = {true, 137, {}}; // killed by the stop
        Driver.ConvertFileList();
        Host.RunToEnd([&] {
            if (Host.Now == 5200) {
                Driver.RequestStop(StopButton);
                for (int Row = 0; Row < 20; ++Row) // the list is usable again meanwhile
                    Host.Rows.push_back({true, "/late" + std::to_string(Row) + ".rm"});
            }
        });
        EXPECT_THAT(Host.Only("run"), ElementsAre("run at 2000"));
        EXPECT_EQ(Driver.DoneCount, 1);
        EXPECT_EQ(Host.Rows.size(), 22u); // rows added after the stop stayed unconverted
        EXPECT_THAT(Host.Only("log Convert error"), IsEmpty()); // stopped is not failed
        EXPECT_THAT(Host.Only("remove"), ElementsAre("remove partial files in /out/"));
        // The close box leaves the end-of-batch actions to run.
        EXPECT_EQ(Host.Only("open").size(), StopButton ? 0u : 1u);
    }
}

TEST_F(Batch, AnUnrelatedEncoderMakesEveryFileWait) {
    Rows({{true, "/a.rm"}, {true, "/b.rm"}});
    Host.EncoderLooksLeft = 1000;
    Driver.ConvertFileList();
    Host.RunToEnd();
    EXPECT_THAT(Host.Only("free"), ElementsAre("free at 105000", "free at 110000"));
}

TEST_F(Batch, AnEncoderThatEndsBetweenTwoLooksFinishesItsFileAtOnce) {
    Rows({{true, "/a.rm"}});
    Driver.ConvertFileList();
    Host.Now += std::exchange(Host.PendingTimer, -1);
    Driver.TimerElapsed(); // 2000 ms: the runner starts
    Host.EncoderLooksLeft = 1;
    Host.Now += std::exchange(Host.PendingTimer, -1);
    Driver.TimerElapsed(); // 5000 ms: the encoder is still there
    Host.Now += 40;
    Driver.RunEnded({true, 0, {}});
    EXPECT_THAT(Host.Only("free"), ElementsAre("free at 5040"));
    EXPECT_EQ(Driver.DoneCount, 1);
}

TEST_F(Batch, EmptyListWarnsAndNothingElse) {
    Host.ShowFolder = Host.Shutdown = true;
    Driver.ConvertFileList();
    EXPECT_THAT(
        Host.Calls,
        ElementsAre("warn Please add media files you want to convert into the list.", "hide"));
}

TEST_F(Batch, ShutdownSavesTheSettingsAndPowersOffInsteadOfWarning) {
    Rows({{true, "/a.rm"}});
    Host.Outputs.clear(); // would be a failure to report
    Host.Shutdown = true;
    Driver.ConvertFileList();
    Host.RunToEnd();
    EXPECT_EQ(Host.Calls.back(), "save settings and power off");
    EXPECT_THAT(Host.Only("warn"), IsEmpty());
}

TEST_F(Batch, FilesThatFailedAreLoggedAndNamedOnceAtTheEnd) {
    Rows({{true, "/ok.rm"},
          {true, "/nostart.rm"},
          {true, "/exit.rm"},
          {true, "/said.rm"},
          {true, "/short.rm"},
          {true, "/emptycut.rm"},
          {true, "/none.rm"},
          {true, "/unquotable.rm"},
          {true, "/gone.rm"},
          {true, "/pipe.rm"}});
    Host.Outputs.erase("/out/none.rm.3gp");
    Host.SourceKinds = {{"/gone.rm", TPathKind::Missing}, {"/pipe.rm", TPathKind::Other}};
    Host.RunEnds["/nostart.rm"] = {false, 0, {}};
    Host.RunEnds["/exit.rm"] = {true, 1, {}};
    Host.RunEnds["/said.rm"] = {true, 1, "Cannot write '/out/said.rm.3gp': Permission denied."};
    Host.RunEnds["/short.rm"] = {true,
                                 evc::IncompleteExitCode,
                                 "incomplete: the output holds 00:00:20 of 00:01:00; the source "
                                 "ends early or is damaged after 00:00:20.",
                                 {"2 damaged places in the source were skipped",
                                  "the name was taken meanwhile; the output is /out/short_1.3gp"}};
    Driver.ConvertFileList();
    Host.RunToEnd();
    EXPECT_EQ(Driver.DoneCount, 6); // a file counts as done whatever its encoder did
    EXPECT_THAT(Host.Only("log Convert error"), testing::SizeIs(9));
    EXPECT_THAT(Host.Only("log Convert note: /short.rm (2 damaged places"), testing::SizeIs(1));
    EXPECT_THAT(Host.Only("run"), testing::SizeIs(6));
    EXPECT_THAT(Host.Only("remove"), IsEmpty()); // only a stop removes anything
    EXPECT_EQ(Host.Marks.size(), 10u) << "every row tells how it ended";
    EXPECT_EQ(Host.Marks[0], "to /out/ok.rm.3gp");
    EXPECT_EQ(Host.Marks[8], "not: the file no longer exists");
    Host.Marks[0] = "left from before";
    Rows({{true, "/ok.rm"}});
    Driver.ConvertFileList(); // a new batch starts with no mark
    EXPECT_THAT(Host.Marks, IsEmpty());
    EXPECT_THAT(Host.Only("warn"), ElementsAre("warn These files were not converted:"
                                               "\n/nostart.rm (the encoder could not be started)"
                                               "\n/exit.rm (the encoder ended with exit code 1)"
                                               "\n/said.rm (Cannot write '/out/said.rm.3gp': "
                                               "Permission denied.)"
                                               "\n/short.rm (only 00:00:20 of 00:01:00 could be "
                                               "read: the source ends early or is damaged; what "
                                               "could be read is kept in /out/short_1.3gp)"
                                               "\n/emptycut.rm (nothing to convert: the end time "
                                               "is not after the start time)"
                                               "\n/none.rm (the encoder left no output file)"
                                               "\n/unquotable.rm (cannot be converted)"
                                               "\n/gone.rm (the file no longer exists)"
                                               "\n/pipe.rm (it is not a regular file)"));
}

struct TNoticeCase {
    const char* What;
    bool Active, Shutdown, Fails;
    int StopAt;         // the batch's clock when the user stops it, 0 when never
    const char* Notice; // "" when none
};

TEST(BatchEnd, AnUnseenBatchThatEndsByItselfTellsTheDesktopOnce) {
    const TNoticeCase Cases[] = {
        {"all converted", false, false, false, 0, "notify Korvalin: 3 files converted"},
        {"one failed", false, false, true, 0, "notify Korvalin: 2 of 3 files converted"},
        {"the user looks at it", true, false, false, 0, ""},
        {"it powers off", false, true, false, 0, ""},
        {"stopped", false, false, false, 2000, ""},
    };
    for (const TNoticeCase& Case : Cases) {
        SCOPED_TRACE(Case.What);
        TFakeHost Host;
        TBatchDriver Driver(Host);
        Host.Driver = &Driver;
        for (const char* Source : {"/a.rm", "/b.rm", "/c.rm"}) {
            Host.Rows.push_back({true, Source});
            Host.Outputs.insert(std::string("/out") + Source + ".3gp");
        }
        Host.Active = Case.Active;
        Host.Shutdown = Case.Shutdown;
        if (Case.Fails) // kept in part, but not converted
            Host.RunEnds["/b.rm"] = {true, evc::IncompleteExitCode, {}};
        Driver.ConvertFileList();
        Host.RunToEnd([&] {
            if (Host.Now == Case.StopAt)
                Driver.RequestStop(false);
        });
        if (*Case.Notice)
            EXPECT_THAT(Host.Only("notify"), ElementsAre(Case.Notice));
        else
            EXPECT_THAT(Host.Only("notify"), IsEmpty());
    }
}

} // namespace
