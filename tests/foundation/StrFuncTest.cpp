#include "StrFunc.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

TEST(TextAfterLast, CutsAtTheLastSeparator) {
    const TStrFunc StrFunc;
    EXPECT_EQ(StrFunc.TextAfterLast("clip_12", '_'), "12");
    EXPECT_EQ(StrFunc.TextAfterLast("a.b.c", '.'), "c");
    EXPECT_EQ(StrFunc.TextAfterLast("abc", '.'), "abc");
    EXPECT_EQ(StrFunc.TextAfterLast("abc.", '.'), "");
    EXPECT_EQ(StrFunc.TextAfterLast("", '.'), "");
}

TEST(SplitString, KeepsInnerAndLeadingEmptyPiecesButNotATrailingOne) {
    EXPECT_THAT(SplitString("a==b=", '='), ElementsAre("a", "", "b"));
    EXPECT_THAT(SplitString("=a", '='), ElementsAre("", "a"));
    EXPECT_THAT(SplitString("a==", '='), ElementsAre("a", ""));
    EXPECT_THAT(SplitString("=", '='), ElementsAre(""));
    EXPECT_THAT(SplitString("", '='), IsEmpty());
    EXPECT_THAT(SplitString("3|0|2|4|1|1", '|'), ElementsAre("3", "0", "2", "4", "1", "1"));
    EXPECT_THAT(SplitString("00:01:30", ':'), ElementsAre("00", "01", "30"));
}

TEST(SplitText, DropsEveryEmptyPiece) {
    std::vector<std::string> List{"stale"};
    SplitText("1.8.0.0", '.', List);
    EXPECT_THAT(List, ElementsAre("1", "8", "0", "0"));
    SplitText(".a..b.", '.', List);
    EXPECT_THAT(List, ElementsAre("a", "b"));
    SplitText("", '.', List);
    EXPECT_THAT(List, IsEmpty());
}

struct TNumberCase {
    const char* Text;
    double Expected;
    friend void PrintTo(const TNumberCase& Case, std::ostream* Out) {
        *Out << '"' << Case.Text << '"';
    }
};

class ExtractNumberCases : public testing::TestWithParam<TNumberCase> {};

TEST_P(ExtractNumberCases, KeepsDigitsFirstStopAndALeadingSign) {
    EXPECT_DOUBLE_EQ(ExtractNumber(GetParam().Text), GetParam().Expected) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ExtractNumberCases,
    testing::Values(TNumberCase{" 12", 12}, TNumberCase{"1.2.3", 1.23}, TNumberCase{"ab-4x2", -42},
                    TNumberCase{"", 0}, TNumberCase{"-", 0}, TNumberCase{"+", 0},
                    TNumberCase{"7", 7}, TNumberCase{"x7y", 7}, TNumberCase{"4-2", 42},
                    TNumberCase{"+-3", 3}, TNumberCase{"-+-3", -3}, TNumberCase{".5", 0.5},
                    TNumberCase{".-5", 0.5}, TNumberCase{"5.", 5}, TNumberCase{"-.", 0},
                    TNumberCase{"+.", 0}, TNumberCase{"10.00 bitrate", 10},
                    TNumberCase{" 40.96 ", 40.96}, TNumberCase{"00:01:30", 130}));

TEST(ExtractNumber, OverlongNumbersSaturate) {
    EXPECT_TRUE(std::isinf(ExtractNumber("9" + std::string(400, '0'))));
    EXPECT_LT(ExtractNumber("-9" + std::string(400, '0')), 0);
    EXPECT_EQ(ExtractNumber("0." + std::string(400, '0') + "1"), 0);
}

TEST(Trim, RemovesControlCharactersButNotHighBytes) {
    EXPECT_EQ(Trim(" \t\r\n a b \x01"), "a b");
    EXPECT_EQ(Trim("\xC3\xA4 "), "\xC3\xA4");
    EXPECT_EQ(Trim("   "), "");
}

TEST(SameText, IgnoresAsciiCaseAndComparesWholeTexts) {
    EXPECT_TRUE(SameText("[USRInfo]", "[usrinfo]"));
    EXPECT_FALSE(SameText("[USRInfo]", "[USRInfo] "));
    EXPECT_FALSE(SameText("abc", "ab"));
    EXPECT_TRUE(SameText("", ""));
    EXPECT_FALSE(SameText("\xFF", "\xFE")); // undecodable bytes compare as bytes
    EXPECT_TRUE(SameText("\xFFx", "\xFFX"));
}

} // namespace
