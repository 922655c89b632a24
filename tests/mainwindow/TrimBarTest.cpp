#include "TrimBar.h"

#include <gtest/gtest.h>

using namespace TrimBar;

namespace {

struct TPercentCase {
    int Strip;
    int Percent;
    friend void PrintTo(const TPercentCase& Case, std::ostream* Out) { *Out << Case.Strip; }
};

class StartMarker : public testing::TestWithParam<TPercentCase> {};
class EndMarker : public testing::TestWithParam<TPercentCase> {};

TEST_P(StartMarker, PercentOfTheLeftStrip) {
    EXPECT_EQ(StartPercent(GetParam().Strip), GetParam().Percent);
}
TEST_P(EndMarker, PercentOfTheRightStrip) {
    EXPECT_EQ(EndPercent(GetParam().Strip), GetParam().Percent);
}

INSTANTIATE_TEST_SUITE_P(Widths, StartMarker,
                         testing::Values(TPercentCase{1, 0}, TPercentCase{5, 0}, TPercentCase{6, 1},
                                         TPercentCase{54, 23}));
INSTANTIATE_TEST_SUITE_P(Widths, EndMarker,
                         testing::Values(TPercentCase{1, 101}, TPercentCase{2, 100},
                                         TPercentCase{4, 100}, TPercentCase{5, 99}));

TEST(TrimBar, MarkersStandForWholeSecondsOfTheMarkedFile) {
    EXPECT_EQ(SecondsAt(StartPercent(54), 100), 23); // 00:00:23, cut 00:01:17
    EXPECT_EQ(SecondsAt(EndPercent(1), 100), 101);   // 00:01:41: beyond the file, as it stands
    EXPECT_EQ(SecondsAt(99, 5400), 5346);
}

struct TPlacingCase {
    int64_t Start, End, Duration;
    TStrips Now, Placed;
};

class Placing : public testing::TestWithParam<TPlacingCase> {};

TEST_P(Placing, MovesAStripOnlyWhenItsTargetIsFarEnough) {
    const TPlacingCase& Case = GetParam();
    const std::optional<TStrips> Strips =
        PlacedStrips(Case.Start, Case.End, Case.Duration, Case.Now);
    ASSERT_TRUE(Strips);
    EXPECT_EQ(Strips->Left, Case.Placed.Left);
    EXPECT_EQ(Strips->Right, Case.Placed.Right);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Placing,
    testing::Values(
        TPlacingCase{0, 100, 100, {2, 2}, {2, 2}},     // after Clear: the targets 1 are too near
        TPlacingCase{0, 100, 100, {30, 40}, {1, 1}},   // the whole file
        TPlacingCase{50, 75, 100, {1, 1}, {111, 56}},  // 110 + 1, 220 - 165 + 1
        TPlacingCase{1, 100, 200, {1, 1}, {1, 111}})); // 1.1 rounds to 1: stays

TEST(TrimBar, HalfPixelsRoundToEvenAndAnEmptyFileMovesNothing) {
    // 1 / 88 × 220 = 2.5 → 2 (even), so the left target is 3: one pixel from 2, not moved.
    EXPECT_EQ(PlacedStrips(1, 88, 88, {2, 1})->Left, 2);
    // 3 / 88 × 220 = 7.5 → 8 (even), so the target is 9.
    EXPECT_EQ(PlacedStrips(3, 88, 88, {1, 1})->Left, 9);
    EXPECT_FALSE(PlacedStrips(0, 0, 0, {1, 1}));
}

TEST(TrimBar, TimeTextsAreReadLeniently) {
    EXPECT_EQ(LenientSeconds("01:30:00"), 5400);
    EXPECT_EQ(LenientSeconds("1:2:3:4"), 3723);
    EXPECT_EQ(LenientSeconds("::5"), 5);
    EXPECT_EQ(LenientSeconds("0a1:x2:3.9"), 3723);
    EXPECT_FALSE(LenientSeconds("10:00"));
    EXPECT_GT(*LenientSeconds("99999999999999999999:0:0"), 0); // huge, but no overflow
}

TEST(TrimBar, ClicksStepOnlyWhereTheStripStaysAtLeastOnePixel) {
    EXPECT_EQ(ClickStep(true, false), 1);
    EXPECT_EQ(ClickStep(false, true), 10);
    EXPECT_EQ(ClickStep(false, false), 5);
    EXPECT_EQ(ClickStep(true, true), 5);
    EXPECT_FALSE(CanStepRightStrip({1, 1}, 1)); // Ctrl on the right strip at R = 1
    EXPECT_TRUE(CanStepRightStrip({1, 6}, 5));  // a plain click at R = 6 leaves R = 1
    EXPECT_FALSE(CanStepLeftStrip({5, 1}, 5));
    EXPECT_FALSE(CanStepLeftStrip({100, 120}, 1)); // markers too close together
}

} // namespace

TEST(TrimBar, DraggingKeepsEveryStripAtLeastOnePixel) {
    // 260 = left + 19 + middle + 19 + right; X is the dragged marker's left edge.
    struct TCase {
        int X;
        TStrips Now;
        int Strip;
    };
    const TCase LeftDrags[] = {
        {54, {1, 1}, 54}, {-30, {5, 1}, 1}, {300, {1, 1}, 220}, {200, {1, 41}, 180}};
    for (const TCase& Case : LeftDrags)
        EXPECT_EQ(DraggedLeftStrip(Case.X, Case.Now), Case.Strip) << Case.X;
    const TCase RightDrags[] = {
        {240, {1, 5}, 1}, {300, {1, 1}, 1}, {0, {1, 1}, 220}, {100, {100, 1}, 121}};
    for (const TCase& Case : RightDrags)
        EXPECT_EQ(DraggedRightStrip(Case.X, Case.Now), Case.Strip) << Case.X;
    EXPECT_FALSE(MarkersTouch({110, 111}));
    EXPECT_TRUE(MarkersTouch({111, 111})); // start and end at the same second
}
