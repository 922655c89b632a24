#include "TimeEstimate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

TEST(TimeEstimate, TextsSayDurationsAsPeopleDo) {
    const std::pair<double, const char*> Durations[] = {{0.2, "1 s"},    {45, "45 s"},
                                                        {59.2, "1 min"}, {80, "1 min 20 s"},
                                                        {3600, "1 h"},   {7530, "2 h 5 min"}};
    for (const auto& [Seconds, Text] : Durations)
        EXPECT_EQ(DurationText(Seconds), Text) << Seconds;
    EXPECT_EQ(TimeLeftText(std::nullopt), "Estimating\u2026");
    EXPECT_EQ(TimeLeftText(TTimeLeft{4.2, 20, 20}), "4.2\u00d7 real time \u00b7 About 20 s left");
    EXPECT_EQ(TimeLeftText(TTimeLeft{12.04, 20, 80}),
              "12.0\u00d7 real time \u00b7 About 20 s left for this file, 1 min 20 s for all");
}

// After the driver's 2 s pause, an encoder at a steady Speed reporting whole
// seconds every half second, as the progress window sees it; the truth is what
// is really left of the file.
struct TRun {
    explicit TRun(std::vector<double> Lengths) : Lengths(Lengths) {
        Estimator.StartBatch(std::move(Lengths));
    }
    void File(size_t Index, double Speed, double Startup,
              const std::function<void(double Truth)>& Check) {
        const double Length = Lengths[Index];
        Estimator.StartFile(Now, Index);
        Now += 2;
        for (Encoding = 0.5; Encoding < Startup + Length / Speed; Encoding += 0.5) {
            Estimator.Report(Now + Encoding,
                             std::floor(std::max(0.0, (Encoding - Startup) * Speed)));
            Check(Startup + Length / Speed - Encoding);
        }
        Now += Encoding;
    }
    std::optional<TTimeLeft> Left() const { return Estimator.TimeLeft(Now + Encoding); }
    const std::vector<double> Lengths;
    TTimeEstimator Estimator;
    double Now = 0, Encoding = 0; // seconds since the encoder started
};

TEST(TimeEstimate, StartsAfterTwoSecondsThenRunsDownCloseToTheTruth) {
    TRun Run({60});
    std::optional<double> Previous;
    double FirstEstimateAt = -1;
    Run.File(0, 4, 0.4, [&](double Truth) {
        const std::optional<TTimeLeft> Left = Run.Left();
        if (!Left) {
            EXPECT_LT(Run.Encoding, 3.0);
            return;
        }
        if (FirstEstimateAt < 0)
            FirstEstimateAt = Run.Encoding;
        EXPECT_NEAR(Left->Speed, 4, 0.8);
        EXPECT_NEAR(Left->FileSeconds, Truth, std::max(0.25 * Truth, 1.0)) << Run.Encoding;
        EXPECT_EQ(Left->BatchSeconds, Left->FileSeconds);
        if (Previous) {
            EXPECT_LE(Left->FileSeconds, *Previous + 0.1) << "a steady encoder's estimate rose";
        }
        Previous = Left->FileSeconds;
    });
    EXPECT_GE(FirstEstimateAt, 2.4); // two seconds after the first progress
}

TEST(TimeEstimate, BatchCountsLaterFilesWithTheirPausesAndKeepsTheSpeed) {
    TRun Run({60, 120, 10});
    std::optional<TTimeLeft> First;
    // At 10× a 10 s file takes 1 s, less than the driver's wait for the encoder.
    Run.File(0, 10, 0.5, [&](double) {
        if (!First)
            First = Run.Left();
    });
    ASSERT_TRUE(First);
    EXPECT_NEAR(First->BatchSeconds - First->FileSeconds, (2 + 0.5 + 12) + (2 + 3), 1.5);
    Run.File(1, 10, 0.5, [&](double Truth) {
        const std::optional<TTimeLeft> Left = Run.Left();
        ASSERT_TRUE(Left) << "the speed of the file before carries over";
        EXPECT_NEAR(Left->BatchSeconds, Truth + 2 + 3, std::max(0.25 * (Truth + 5), 1.0));
    });
}

} // namespace
