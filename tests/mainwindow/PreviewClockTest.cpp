#include "PreviewClock.h"

#include <gtest/gtest.h>

namespace {

TEST(PreviewClock, TimeTextAndTheTwoStops) {
    struct TCase {
        int64_t Position, Previous; // 100 ns
        int64_t DurationMs;
        std::string EndStop;
        std::string Text;
        bool Pause, Stop;
    };
    const TCase Cases[] = {
        {0, 0, 100000, "", "00:00:00", false, false},
        {9'999'999, 0, 100000, "", "00:00:00", false, false}, // the fraction is dropped
        {230'000'000, 220'000'000, 100000, "00:00:23", "00:00:23", true, false},
        {240'500'000, 229'900'000, 100000, "00:00:23", "00:00:24", true, false}, // 23 skipped
        {240'500'000, 230'100'000, 100000, "00:00:23", "00:00:24", false, false}, // left at 23
        {300'000'000, 290'000'000, 100000, "00:00:23", "00:00:30", false, false}, // beyond it
        {36'610'000'000, 0, 40'000'000, "", "01:01:01", false, false},
        {3'600'000'000'000, 0, 400'000'000, "", "100:00:00", false, false},
        {1'000'000'000, 990'000'000, 100000, "00:01:40", "00:01:40", true, true}, // both
        {999'990'000, 990'000'000, 100000, "", "00:01:39", false, false}, // a millisecond short
        {50'000'000, 0, 0, "", "00:00:05", false, false}, // a length not known yet stops nothing
    };
    for (const TCase& Case : Cases) {
        const TPreviewTick Tick =
            PreviewTick(Case.Position, Case.Previous, Case.DurationMs, Case.EndStop);
        EXPECT_EQ(Tick.TimeText, Case.Text) << Case.Position;
        EXPECT_EQ(Tick.PauseAtStart, Case.Pause) << Case.Position;
        EXPECT_EQ(Tick.StopAtStart, Case.Stop) << Case.Position;
    }
}

} // namespace
