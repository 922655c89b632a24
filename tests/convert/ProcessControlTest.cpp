#include "ProcessControl.h"
#include "AppFunc.h"
#include "InertSystem.h"
#include "LogFile.h"
#include "RecordingSystem.h"
#include "SysFunc.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <spawn.h>
#include <sys/wait.h>

using testing::ElementsAre;
using testing::IsEmpty;

extern char** environ;

namespace {

class ProcessControl : public testing::Test {
protected:
    std::vector<std::string> LogMessages() const { return LogMessagesOf(Temp.Path("log.txt")); }

    TTempFolder Temp;
    TAppFunc AppFunc{Temp.Folder()};
    TRecordingSystem System;
    std::vector<int> Waits;
    TProcessControl Control{System, AppFunc,
                            [this](int Milliseconds) { Waits.push_back(Milliseconds); }};
};

TEST_F(ProcessControl, LookupReturnsTheLastMatchIgnoringCase) {
    System.Processes = {{5, "evc.exe"}, {9, "bash"}, {3, "EVC.exe"}, {4, "revc.exe"}};
    EXPECT_EQ(TSysFunc(System).FindProcess("EVC.EXE"), 3u);
    EXPECT_EQ(Control.GetProcessIdByName("evc.exe"), 3u);
    EXPECT_EQ(TSysFunc(System).FindProcess("ffmpeg"), 0u);
    EXPECT_FALSE(Temp.Exists("log.txt"));
    EXPECT_EQ(Control.GetProcessIdByName("ffmpeg"), 0u);
    EXPECT_THAT(LogMessages(), ElementsAre("Get Process id error."));
}

TEST_F(ProcessControl, KillEndsEveryMatchByFileNameOrWholeName) {
    System.Processes = {{1, "evc.exe"}, {2, "/opt/x/EVC.EXE"}, {3, "revc.exe"}, {4, "evc.exe.bak"}};
    EXPECT_TRUE(Control.KillProcess("evc.exe"));
    EXPECT_THAT(System.Terminated, ElementsAre(1u, 2u));
    EXPECT_FALSE(Temp.Exists("log.txt"));
}

TEST_F(ProcessControl, KillReportsTheOutcomeOfTheLastAttempt) {
    System.Processes = {{1, "evc.exe"}, {2, "evc.exe"}};
    System.Results = {true, false};
    EXPECT_FALSE(Control.KillProcess("evc.exe"));
    EXPECT_THAT(LogMessages(), ElementsAre("Terminate process error."));
    System.Processes = {{1, "evc.exe"}, {2, "evc.exe"}};
    System.Results = {false, true};
    EXPECT_TRUE(Control.KillProcess("evc.exe"));
    EXPECT_FALSE(Control.KillProcess("nothing.exe"));
    EXPECT_THAT(LogMessages(), ElementsAre("Terminate process error.", "Terminate process error."));
}

TEST_F(ProcessControl, StopWithNothingRunningLooksTwiceAndReturns) {
    System.Processes = {{4, "revc.exe"}};
    EXPECT_TRUE(Control.StopEncoder("/app/evc.exe"));
    EXPECT_THAT(LogMessages(), ElementsAre("Get Process id error.", "Get Process id error."));
    EXPECT_THAT(Waits, IsEmpty());
    EXPECT_THAT(System.Terminated, IsEmpty());
}

TEST_F(ProcessControl, StopEndsTheEncoderAndWaitsAfterEachRound) {
    System.Processes = {{7, "evc.exe"}, {4, "revc.exe"}};
    EXPECT_TRUE(Control.StopEncoder("/app/evc.exe"));
    EXPECT_THAT(System.Terminated, ElementsAre(7u));
    EXPECT_THAT(Waits, ElementsAre(500));
}

TEST_F(ProcessControl, StopGivesUpOnAnEncoderThatCannotBeEnded) {
    System.Processes = {{7, "evc.exe"}};
    System.Results = {false};
    EXPECT_FALSE(Control.StopEncoder("/app/evc.exe"));
    EXPECT_EQ(Waits.size(), static_cast<size_t>(TProcessControl::StopAttempts));
    EXPECT_EQ(System.Terminated.size(), static_cast<size_t>(TProcessControl::StopAttempts));
    EXPECT_EQ(LogMessages().back(), "Stop encoder error.");
}

TEST_F(ProcessControl, SystemActionsGoThroughTheInterface) {
    Control.OpenFolder("/out/");
    Control.OpenFolder("");
    Control.TrimWorkingSet();
    Control.ShutdownComputer();
    EXPECT_TRUE(Control.EnableDebugPrivilege());
    EXPECT_THAT(System.Actions, ElementsAre("open /out/", "open ", "trim", "power off"));
}

// The real process list and termination, limited to the processes this test starts.
class TOwnProcesses : public TInertSystem {
public:
    std::vector<TProcessEntry> ListProcesses() override {
        std::vector<TProcessEntry> Own;
        for (const TProcessEntry& Process : ::ListProcesses())
            if (Started.contains(Process.ProcessId))
                Own.push_back(Process);
        return Own;
    }
    bool TerminateProcess(uint32_t ProcessId) override {
        return Started.contains(ProcessId) && ::TerminateProcess(ProcessId);
    }
    uint32_t Start(const std::string& Program) {
        char* Argv[] = {const_cast<char*>(Program.c_str()), const_cast<char*>("--sleep"),
                        const_cast<char*>("20000"), nullptr};
        pid_t Pid = 0;
        posix_spawn(&Pid, Program.c_str(), nullptr, nullptr, Argv, environ);
        Started.insert(static_cast<uint32_t>(Pid));
        return static_cast<uint32_t>(Pid);
    }
    ~TOwnProcesses() override {
        for (uint32_t Pid : Started) {
            ::TerminateProcess(Pid);
            waitpid(static_cast<pid_t>(Pid), nullptr, 0);
        }
    }
    std::set<uint32_t> Started;
};

TEST(RealProcesses, TwoEncodersAreFoundByNameAndBothEnded) {
    TTempFolder Temp;
    std::filesystem::copy_file(FAKE_ENCODER, Temp.Path("evc.exe"));
    TOwnProcesses System;
    System.Start(Temp.Path("evc.exe"));
    System.Start(Temp.Path("evc.exe"));
    const std::vector<TProcessEntry> Listed = System.ListProcesses();
    ASSERT_EQ(Listed.size(), 2u);
    EXPECT_EQ(Listed[0].ExeName, "evc.exe");
    EXPECT_EQ(TSysFunc(System).FindProcess("EVC.EXE"), Listed[1].ProcessId);

    const TAppFunc AppFunc(Temp.Folder());
    const TProcessControl Control(System, AppFunc, [](int) {});
    EXPECT_TRUE(Control.KillProcess("evc.exe"));
    for (const TProcessEntry& Process : Listed) {
        int Status = 0;
        ASSERT_EQ(waitpid(static_cast<pid_t>(Process.ProcessId), &Status, 0),
                  static_cast<pid_t>(Process.ProcessId));
        EXPECT_TRUE(WIFSIGNALED(Status) && WTERMSIG(Status) == SIGKILL);
    }
    System.Started.clear();
}

} // namespace
