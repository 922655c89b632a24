#include "AdvanceSystem.h"
#include "AppFunc.h"
#include "OutputRecorder.h"
#include "Processes.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <thread>
#include <unistd.h>

using namespace std::chrono;
using testing::_;
using testing::ElementsAre;
using testing::EndsWith;
using testing::Field;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Pair;
using testing::StartsWith;

namespace {

int OpenDescriptors() {
    int Count = 0;
    for ([[maybe_unused]] const auto& Entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++Count;
    return Count;
}

class Runner : public testing::Test {
protected:
    Runner() { std::filesystem::copy_file(FAKE_ENCODER, Encoder); }

    // Runs the encoder with the given steps on this thread.
    bool Run(const std::string& Steps) {
        Started = steady_clock::now();
        return RunConsoleCommand("\"" + Encoder + "\" " + Steps, Recorder.Callback());
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> Result;
        for (const TDelivery& Delivery : Recorder.Deliveries)
            Result.push_back(Delivery.Text);
        return Result;
    }

    TTempFolder Temp;
    const std::string Encoder = Temp.Path("evc.exe");
    const TAppFunc AppFunc{Temp.Folder()}; // the log of a runner that cannot start
    TOutputRecorder Recorder;
    steady_clock::time_point Started;
};

TEST_F(Runner, MissingProgramGivesFalseAndNoCallback) {
    const int Before = OpenDescriptors();
    EXPECT_FALSE(RunConsoleCommand(Temp.Path("missing/evc.exe") + " -y", Recorder.Callback()));
    EXPECT_FALSE(RunConsoleCommand("", Recorder.Callback()));
    EXPECT_THAT(Recorder.Deliveries, IsEmpty());
    EXPECT_EQ(OpenDescriptors(), Before);
}

TEST_F(Runner, SilentChildGivesNoCallbackAndTheLoopEnds) {
    EXPECT_TRUE(Run("--sleep 200 --exit 3"));
    EXPECT_THAT(Recorder.Deliveries, IsEmpty());
}

TEST_F(Runner, MuchOutputAtOnceDeliversOnlyTheNewestPiece) {
    EXPECT_TRUE(Run("--write 3000"));
    EXPECT_THAT(Texts(), ElementsAre(std::string(954, 'x')));
}

TEST_F(Runner, TheEncodersLastWordIsFoundAlsoInPiecesNotDelivered) {
    struct TCase {
        const char* Steps;
        const char* Words;
        std::vector<std::string> Notes = {}; // the lines before the last word
    };
    const TCase Cases[] = {
        // Said, then buried under 3000 bytes of which only the last 954 are delivered.
        {R"(--line "evc: first" --line "evc: Cannot write x: Permission denied." --write 3000)",
         "Cannot write x: Permission denied.",
         {"first"}},
        {R"(--write 1020 --line "" --line "evc: cut across two pieces")", "cut across two pieces"},
        {R"(--line "evc: said" --line "ffmpeg: after")", "said"},
        {R"(--line "not evc: words" --write 5)", ""},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Steps);
        TRunEnd End;
        EXPECT_TRUE(RunConsoleCommand("\"" + Encoder + "\" " + Case.Steps + " --exit 1",
                                      Recorder.Callback(), &End));
        EXPECT_EQ(End.ExitCode, 1);
        EXPECT_EQ(End.EncoderWords, Case.Words);
        EXPECT_EQ(End.EncoderNotes, Case.Notes);
    }
}

TEST_F(Runner, TwoFullPiecesDeliverTheSecondWithoutWaitingForMore) {
    EXPECT_TRUE(Run("--write 2046 --sleep 2500"));
    ASSERT_THAT(Texts(), ElementsAre(std::string(1023, 'x')));
    EXPECT_LT(Recorder.Deliveries[0].At - Started, milliseconds(1500));
}

TEST_F(Runner, PauseAfterTheLastDeliveryEndsWithTheChild) {
    EXPECT_TRUE(Run("--write 5 --sleep 100"));
    const auto Returned = steady_clock::now();
    ASSERT_EQ(Recorder.Deliveries.size(), 1u);
    EXPECT_LT(Returned - Recorder.Deliveries[0].At, milliseconds(450)); // not the whole 500 ms
}

TEST_F(Runner, ChildSeesAnInputThatNeverDeliversData) {
    EXPECT_TRUE(Run("--stdin 300"));
    EXPECT_THAT(Texts(), ElementsAre("stdin: nothing"));
}

TEST_F(Runner, ChildGetsItsOwnSessionTheProgramFolderAndOnlyStandardDescriptors) {
    const int Stray = open("/dev/null", O_RDONLY); // inheritable on purpose
    EXPECT_TRUE(Run("--fds"));
    close(Stray);
    EXPECT_TRUE(Run("--where"));
    const std::string ProgramFolder = std::filesystem::canonical("/proc/self/exe").parent_path();
    EXPECT_THAT(Texts(), ElementsAre("fds: 3", "cwd: " + ProgramFolder + " session leader"));
}

TEST_F(Runner, UnquotedProgramPathWithBlanksStartsTheRightProgram) {
    std::filesystem::create_directories(Temp.Path("my app"));
    std::filesystem::copy_file(FAKE_ENCODER, Temp.Path("my app/evc.exe"));
    Temp.Write("my", "not a program");
    EXPECT_TRUE(RunConsoleCommand(Temp.Path("my app/evc.exe") + " --write 5", Recorder.Callback()));
    EXPECT_THAT(Texts(), ElementsAre("xxxxx"));
}

TEST_F(Runner, SlowOutputArrivesPieceByPiece) {
    EXPECT_TRUE(Run("--slow 3 700"));
    EXPECT_THAT(Texts(), ElementsAre("line 0\n", "line 1\n", "line 2\n"));
}

TEST_F(Runner, HundredRunsLeaveNoDescriptorOpen) {
    const int Before = OpenDescriptors();
    for (int Round = 0; Round < 50; ++Round) {
        EXPECT_TRUE(Run("--exit 1"));
        EXPECT_FALSE(RunConsoleCommand(Temp.Path("missing"), Recorder.Callback()));
    }
    EXPECT_EQ(OpenDescriptors(), Before);
}

TEST_F(Runner, ThreadStartsOnlyWhenToldAndPostsTextsInOrder) {
    TQueueDispatcher Dispatcher;
    {
        TAdvanceSystem Runner("\"" + Encoder + "\" --slow 3 600", Recorder.Callback(), Dispatcher,
                              AppFunc);
        Dispatcher.RunPosted(milliseconds(300));
        EXPECT_THAT(Recorder.Deliveries, IsEmpty()) << "created suspended";
        Runner.Start();
        for (int Wait = 0; Wait < 10 && Recorder.Deliveries.size() < 3; ++Wait)
            Dispatcher.RunPosted(seconds(1));
    } // waits for the thread
    EXPECT_THAT(Texts(), ElementsAre("line 0\n", "line 1\n", "line 2\n"));
    for (const TDelivery& Delivery : Recorder.Deliveries)
        EXPECT_EQ(Delivery.Thread, std::this_thread::get_id());
}

TEST_F(Runner, ThreadReportsHowTheRunEndedAndLogsAProgramThatCannotStart) {
    TQueueDispatcher Dispatcher;
    std::vector<std::pair<bool, int>> Ends;
    const TRunEndProc Record = [&](const TRunEnd& End) {
        Ends.emplace_back(End.Started, End.ExitCode);
    };
    for (const std::string& Command :
         {"\"" + Encoder + "\" --write 2 --exit 3", Temp.Path("missing") + " -y"}) {
        TAdvanceSystem Runner(Command, Recorder.Callback(), Dispatcher, AppFunc, Record);
        Runner.Start();
    } // each waits for its thread
    Dispatcher.RunPosted(milliseconds(0));
    EXPECT_THAT(Ends, ElementsAre(Pair(true, 3), Pair(false, _)));
    EXPECT_THAT(Texts(), ElementsAre("xx"));
    std::ifstream Log(Temp.Path("log.txt"), std::ios::binary);
    std::string Line, Last;
    while (std::getline(Log, Line))
        Last = Line;
    EXPECT_THAT(Last, EndsWith("|Run command error.\r"));
}

// Ending a run ends its encoder and what that started, and nothing else.
TEST_F(Runner, AnEndRequestEndsTheEncoderAndItsChildren) {
    TRunControl Control;
    TRunEnd End;
    std::thread Run([&] {
        RunConsoleCommand("/bin/sh -c \"sleep 30 & wait\"", Recorder.Callback(), &End, &Control);
    });
    while (Control.Group() == 0)
        std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(ProcessGroupExists(Control.Group()));
    Control.RequestEnd();
    Run.join();
    EXPECT_EQ(End.ExitCode, 128 + SIGKILL);
    for (int Look = 0; Look < 100 && ProcessGroupExists(Control.Group()); ++Look)
        std::this_thread::sleep_for(10ms); // the killed child may take a moment to go
    EXPECT_FALSE(ProcessGroupExists(Control.Group())) << "the sleeping child is gone too";
}

} // namespace
