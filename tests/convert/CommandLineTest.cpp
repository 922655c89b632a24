#include "CommandLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

TEST(SplitCommandLine, QuotesGroupBlanksAndAreRemoved) {
    EXPECT_THAT(SplitCommandLine("/app/evc.exe -y -i \"/my app/VideoFile.avs\" -vol 200 "
                                 "\"/out/my clip.3gp\""),
                ElementsAre("/app/evc.exe", "-y", "-i", "/my app/VideoFile.avs", "-vol", "200",
                            "/out/my clip.3gp"));
    EXPECT_THAT(SplitCommandLine("a  \t b   "), ElementsAre("a", "b"));
    EXPECT_THAT(SplitCommandLine("x\"y z\"w \"\""), ElementsAre("xy zw", ""));
    EXPECT_THAT(SplitCommandLine("-b 512  -ac 2"), ElementsAre("-b", "512", "-ac", "2"));
    EXPECT_THAT(SplitCommandLine("   "), IsEmpty());
    EXPECT_THAT(SplitCommandLine("\"unclosed quote"), ElementsAre("unclosed quote"));
}

} // namespace

namespace {

bool IsKnownProgram(const std::string& Path) {
    return Path == "/opt/my app/evc.exe" || Path == "/opt/my";
}

TEST(ResolveCommandLine, TriesEverLongerBeginningsOfAnUnquotedProgramPath) {
    EXPECT_THAT(ResolveCommandLine("/opt/my app/evc.exe -y -i \"/a b/s.avs\"", &IsKnownProgram),
                ElementsAre("/opt/my", "app/evc.exe", "-y", "-i", "/a b/s.avs"));
    EXPECT_THAT(
        ResolveCommandLine("/opt/my  app/evc.exe -y",
                           [](const std::string& Path) { return Path == "/opt/my  app/evc.exe"; }),
        ElementsAre("/opt/my  app/evc.exe", "-y"));
    EXPECT_THAT(ResolveCommandLine("  \"/opt/my app/evc.exe\" -y", &IsKnownProgram),
                ElementsAre("/opt/my app/evc.exe", "-y"));
    EXPECT_THAT(ResolveCommandLine("/nowhere/evc.exe -y", &IsKnownProgram),
                ElementsAre("/nowhere/evc.exe", "-y"));
}

} // namespace
