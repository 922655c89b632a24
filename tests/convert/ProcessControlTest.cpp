#include "ProcessControl.h"
#include "AdvanceSystem.h"
#include "AppFunc.h"
#include "LogFile.h"
#include "RecordingSystem.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;

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

// Stop asks the run to end its encoder, then looks every 500 ms at that encoder's
// group alone, and gives up after a bound.
TEST_F(ProcessControl, StopWaitsForItsOwnEncoderOnly) {
    struct TCase {
        long Group;
        int LooksAlive;
        bool Stopped;
        size_t Waits;
    };
    for (const TCase Case : {TCase{0, 5, true, 0}, TCase{42, 0, true, 0}, TCase{42, 2, true, 2},
                             TCase{42, 1000, false, TProcessControl::StopAttempts}}) {
        TRunControl Run;
        Run.Started(Case.Group);
        System.LooksLeft = Case.LooksAlive;
        System.Looked.clear();
        Waits.clear();
        EXPECT_EQ(Control.StopEncoder(Run), Case.Stopped) << Case.Group << " " << Case.LooksAlive;
        EXPECT_TRUE(Run.EndRequested());
        EXPECT_EQ(Waits.size(), Case.Waits);
        EXPECT_THAT(System.Looked, testing::Each(42));
    }
    EXPECT_THAT(LogMessages(), ElementsAre("Stop encoder error."));
}

TEST_F(ProcessControl, SystemActionsGoThroughTheInterface) {
    Control.OpenFolder("/out/");
    Control.OpenFolder("");
    Control.TrimWorkingSet();
    Control.ShutdownComputer();
    EXPECT_THAT(System.Actions, ElementsAre("open /out/", "open ", "trim", "power off"));
}

} // namespace
