#include "PreviewClock.h"

#include <gtest/gtest.h>

namespace {

TEST(PreviewClock, TimeTextAndTheTwoStops) {
    struct TCase {
        int64_t Position; // 100 ns
        int64_t DurationMs;
        std::string EndStop;
        std::string Text;
        bool Pause, Stop;
    };
    const TCase Cases[] = {
        {0, 100000, "", "00:00:00", false, false},
        {9'999'999, 100000, "", "00:00:00", false, false}, // the fraction is dropped
        {230'000'000, 100000, "00:00:23", "00:00:23", true, false},
        {36'610'000'000, 40'000'000, "", "01:01:01", false, false},
        {3'600'000'000'000, 400'000'000, "", "100:00:00", false, false},
        {1'000'000'000, 100000, "00:01:40", "00:01:40", true, true}, // both at the end
        {999'990'000, 100000, "", "00:01:39", false, false},         // a millisecond short
        {50'000'000, 0, "", "00:00:05", false, false}, // a length not known yet stops nothing
    };
    for (const TCase& Case : Cases) {
        const TPreviewTick Tick = PreviewTick(Case.Position, Case.DurationMs, Case.EndStop);
        EXPECT_EQ(Tick.TimeText, Case.Text) << Case.Position;
        EXPECT_EQ(Tick.PauseAtStart, Case.Pause) << Case.Position;
        EXPECT_EQ(Tick.StopAtStart, Case.Stop) << Case.Position;
    }
}

} // namespace
