#include "ProgressRules.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgressRules, TotalBarCountsDoneFilesAndTheCurrentShare) {
    const auto Total = TotalBar({120, 60}, 1, 3);
    ASSERT_TRUE(Total);
    EXPECT_EQ(Total->Maximum, 300);
    EXPECT_EQ(Total->Position, 149);       // 60 × 100 div 121 + 100
    EXPECT_FALSE(TotalBar({-1, 0}, 0, 1)); // no division by zero
    EXPECT_EQ(CounterText(1, 3), "Current: 2 , Total: 3.");
}

TEST(ProgressRules, FileBarRangeNeedsAWholePositiveCut) {
    EXPECT_EQ(FileBarMaximum("120"), 120);
    for (const char* Unusable : {"", "0", "-30", "abc", "1.5"})
        EXPECT_FALSE(FileBarMaximum(Unusable)) << Unusable;
}

struct TStatusCase {
    const char* Text;
    const char* Codec;
    const char* Ext;
    int Seconds; // -1: no change
    friend void PrintTo(const TStatusCase& Case, std::ostream* Out) {
        *Out << '"' << Case.Text << "\" for" << Case.Codec << " " << Case.Ext;
    }
};

class StatusSeconds : public testing::TestWithParam<TStatusCase> {};

TEST_P(StatusSeconds, ComeFromTheFieldOfTheCommandForm) {
    const std::optional<int> Seconds =
        ReportedSeconds(GetParam().Text, GetParam().Codec, GetParam().Ext);
    EXPECT_EQ(Seconds.value_or(-1), GetParam().Seconds);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StatusSeconds,
    testing::Values(
        TStatusCase{"a= 250 b= 2.0 c= 512 t= 10.00 r= 419.4", " -vcodec mpeg4", ".mp4", 10},
        TStatusCase{"c= 640 t= 40.96 r= 128.0", " -acodec mp3", ".mp3", 40},
        TStatusCase{"a= 250 b= 2.0 c= 512 t= 10.00 r= 419.4", " -acodec aac", ".3gp", 10},
        TStatusCase{"c= 640 t= 40.96 r= 128.0", " -acodec amr_nb", ".3gp", -1},
        TStatusCase{"a= 1 b= 2 c= 3 t= 10000000000.00 r= 4", " -vcodec mpeg4", ".mp4", -1},
        TStatusCase{"frame=  250 q=2.0 size=     512kB time=10.00 bitrate= 419.4kbits/s",
                    " -vcodec mpeg4", ".3gp", 10},
        TStatusCase{"", " -vcodec mpeg4", ".mp4", -1}));

TEST(ProgressRules, AnimationRunsThroughFiveMarks) {
    int Step = 0;
    std::string Seen;
    for (int Tick = 0; Tick < 6; ++Tick) {
        Step = NextAnimationStep(Step);
        Seen += AnimationText(Step, 0).back();
    }
    EXPECT_EQ(Seen, "|/-\\||");
    EXPECT_EQ(AnimationText(2, 3), "Converting  /");
    EXPECT_EQ(AnimationText(1, 2), "Installing convert information  |");
}

} // namespace
