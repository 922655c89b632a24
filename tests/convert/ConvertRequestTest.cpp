#include "ConvertRequest.h"
#include "PresetSelection.h"
#include "SourceGathering.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

using testing::HasSubstr;

namespace {

TEST(ConvertRequest, RefusesWhatCannotBeCarriedOut) {
    const std::pair<std::vector<std::string>, std::string> Cases[] = {
        {{"a.rm"}, "--type is missing"},
        {{"-t", "avi"}, "one of: 3gp, mp4, psp, ipod, mp3, h264"},
        {{"-t", "mp4", "--quality", "best"}, "one of: low, acceptable, normal, excellent, superb"},
        {{"-t", "mp4", "-q", "low", "--profile", "Mine"}, "cannot be given together"},
        {{"-t", "mp4", "--channels", "3"}, "--channels cannot be '3'; it may be one of: 1, 2"},
        {{"-t", "mp4", "--volume=510"}, "one of: 0, 25, 50"},
        {{"-t", "mp4", "--start", "1:00"}, "hh:mm:ss"},
        {{"-t", "mp4", "--start", "00:01:00", "--end", "00:00:59"}, "--end must come after"},
        {{"-t", "mp4", "--jobs", "0"}, "from 1 on"},
        {{"-t", "mp4", "--index", "2"}, "--index needs --list"},
        {{"-t", "mp4", "--list", "l", "--index", "2", "x.rm"}, "give no files"},
        {{"-t", "mp4", "--help=yes"}, "takes no value"},
        {{"-tmp4", "-j0"}, "from 1 on"},
        {{"-t", "mp4", "--output"}, "--output needs a value"},
        {{"-t", "mp4", "--frobnicate"}, "unknown option '--frobnicate'"},
    };
    for (const auto& [Arguments, Reason] : Cases) {
        try {
            ParseConvertArguments(Arguments);
            ADD_FAILURE() << "accepted: " << testing::PrintToString(Arguments);
        } catch (const EUsageError& Error) {
            EXPECT_THAT(Error.what(), HasSubstr(Reason));
        }
    }
}

// The options sent to the encoder are the window's for the same type and
// quality, with a profile and single options laid over them in that order.
TEST(ConvertRequest, SelectsTheWindowsOptionsAndLaysChoicesOverThem) {
    const TConvertRequest Superb =
        ParseConvertArguments({"--type=psp", "-q", "superb", "--", "-odd name.rm"});
    EXPECT_EQ(Superb.Inputs, std::vector<std::string>{"-odd name.rm"});
    const TOptionSelection Expected = PresetSelection(2, 4);
    const TOptionSelection Got = SelectionOf(Superb, "");
    EXPECT_EQ(std::tie(Got.OutputType, Got.VideoSize, Got.VideoBitrate, Got.AudioSample,
                       Got.AudioChannels, Got.AudioVolumeGain),
              std::tie(Expected.OutputType, Expected.VideoSize, Expected.VideoBitrate,
                       Expected.AudioSample, Expected.AudioChannels, Expected.AudioVolumeGain));

    const TConvertRequest Custom = ParseConvertArguments(
        {"-t", "mp3", "--profile", "Mine", "--channels", "2", "--volume", "150"});
    const TOptionSelection Mixed = SelectionOf(Custom, "|||10||0"); // 320 kbit/s, 22050 Hz
    EXPECT_EQ(Mixed.AudioBitrate, "320");
    EXPECT_EQ(Mixed.AudioSample, "22050");
    EXPECT_EQ(Mixed.AudioChannels, "2 channels, Stereo");
    EXPECT_EQ(Mixed.AudioVolumeGain, "150");
    EXPECT_EQ(Mixed.VideoSize, PresetSelection(4, 2).VideoSize); // untouched by the profile
}

TEST(ConvertRequest, ListsGivePathsOrTheOneAnIndexPicks) {
    const std::string List = "/a/one.rm\r\n\n/b/two.rmvb\n/c/three.rm";
    std::istringstream All(List), Second(List), Past(List);
    EXPECT_EQ(PathsOfList(All, std::nullopt),
              (std::vector<std::string>{"/a/one.rm", "/b/two.rmvb", "/c/three.rm"}));
    EXPECT_EQ(PathsOfList(Second, 2), std::vector<std::string>{"/b/two.rmvb"});
    EXPECT_THROW(PathsOfList(Past, 4), EUsageError);
}

} // namespace
