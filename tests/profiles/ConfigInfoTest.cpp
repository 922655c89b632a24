#include "StrFunc.h"
#include "Unit_ConfigInfo.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

using namespace ConfigInfo;
using testing::ElementsAre;

namespace {

// The option texts a preset selects: size, frame rate, video and audio
// bitrate, channel count and sample rate.
std::vector<std::string> OptionsOf(std::string_view Tuple) {
    const std::vector<std::string> Fields = SplitString(Tuple, '|');
    const TTextList Lists[] = {cstVideoSizes,    cstFrameRates,    cstVideoBitrates,
                               cstAudioBitrates, cstAudioChannels, cstAudioSamples};
    std::vector<std::string> Texts;
    for (size_t I = 0; I < Fields.size(); ++I) {
        const TTextList Entries = EntriesOf(Lists[I]);
        const size_t Index = std::stoul(Fields[I]);
        EXPECT_LT(Index, Entries.size()) << Tuple;
        const bool IsChannelCount = I == 4; // "2 channels, Stereo" stands for 2
        if (Index < Entries.size())
            Texts.emplace_back(IsChannelCount ? Entries[Index].substr(0, 1) : Entries[Index]);
    }
    return Texts;
}

TEST(OptionLists, EntriesAndDefaults) {
    struct {
        TTextList List;
        size_t Count;
        std::string_view Default;
    } const Cases[] = {
        {cstOutputFileTypes, 6, "3GPP Video Files (*.3gp)"},
        {cstQualities, 5, "Normal Quality"},
        {cstVideoSizes, 23, "160x112"},
        {cstFrameRates, 8, "14.985"},
        {cstVideoBitrates, 10, "128"},
        {cstAspectRatios, 2, "4:3"},
        {cstAudioBitrates, 11, "48"},
        {cstAudioSamples, 4, "44100"},
        {cstAudioVolumeGains, 21, "200"},
        {cstAudioChannels, 2, "2 channels, Stereo"},
    };
    for (const auto& Case : Cases) {
        const TTextList Entries = EntriesOf(Case.List);
        ASSERT_EQ(Entries.size(), Case.Count) << Case.Default;
        EXPECT_EQ(Entries[static_cast<size_t>(DefaultIndexOf(Case.List))], Case.Default);
    }
    for (size_t I = 0; I < 21; ++I)
        EXPECT_EQ(cstAudioVolumeGains[I], std::to_string(25 * I));
    EXPECT_EQ(cstFrameRates[3], "23.967");
}

TEST(OutputTypes, ColumnsPerType) {
    EXPECT_THAT(cstFileExts, ElementsAre(".3gp", ".mp4", ".mp4", ".mp4", ".mp3", ".mp4"));
    EXPECT_THAT(cstFileFormats, ElementsAre("3gp", "none", "none", "none", "none", "none"));
    EXPECT_EQ(cstCodecArgs[0], "-vcodec mpeg4 -acodec aac");
    EXPECT_EQ(cstCodecArgs[4], "-acodec mp3 -vn");
    EXPECT_EQ(cstOutputFileTypes[5], "H.264 Video Files (*.mp4)");
    EXPECT_EQ(cstCodecArgs[5], "-vcodec h264 -acodec aac");
}

TEST(Presets, SelectTheDocumentedOptions) {
    EXPECT_THAT(OptionsOf(PresetsOfOutputType(0)[2]),
                ElementsAre("176x144", "15", "256", "128", "2", "44100"));
    EXPECT_THAT(OptionsOf(PresetsOfOutputType(0)[0]),
                ElementsAre("176x144", "11", "40", "48", "1", "22050"));
    EXPECT_THAT(OptionsOf(PresetsOfOutputType(4)[4]),
                ElementsAre("720x576", "30", "1500", "224", "2", "48000"));
    EXPECT_THAT(OptionsOf(PresetsOfOutputType(4)[2]),
                ElementsAre("480x480", "25", "768", "128", "2", "44100"));
    EXPECT_THAT(OptionsOf(PresetsOfOutputType(2)[1]),
                ElementsAre("160x112", "11", "80", "80", "2", "32000"));
    const std::vector<std::vector<std::string>> H264 = {
        {"320x240", "15", "256", "64", "1", "22050"},
        {"320x240", "25", "512", "80", "2", "44100"},
        {"640x480", "25", "1000", "128", "2", "44100"},
        {"640x480", "29.97", "1500", "160", "2", "48000"},
        {"720x576", "25", "2500", "192", "2", "48000"}};
    for (size_t Quality = 0; Quality < 5; ++Quality)
        EXPECT_EQ(OptionsOf(PresetsOfOutputType(5)[Quality]), H264[Quality]) << Quality;
}

TEST(Presets, TypesOneAndThreeAgreeAndPspDiffersOnlyInAudio) {
    for (size_t Quality = 0; Quality < 5; ++Quality) {
        const auto Mp4 = OptionsOf(PresetsOfOutputType(1)[Quality]);
        const auto Psp = OptionsOf(PresetsOfOutputType(2)[Quality]);
        EXPECT_EQ(Mp4, OptionsOf(PresetsOfOutputType(3)[Quality]));
        EXPECT_EQ(std::vector(Mp4.begin(), Mp4.begin() + 4),
                  std::vector(Psp.begin(), Psp.begin() + 4));
        EXPECT_EQ(Mp4[5], "22050");
        if (Quality >= 1) {
            EXPECT_GT(std::stoi(Psp[5]), std::stoi(Mp4[5]));
        }
    }
}

TEST(Presets, OnlyTheSixTypesHaveThem) {
    for (int Type = 0; Type < OutputTypeCount; ++Type)
        EXPECT_EQ(PresetsOfOutputType(Type).size(), 5u);
    EXPECT_TRUE(PresetsOfOutputType(-1).empty());
    EXPECT_TRUE(PresetsOfOutputType(6).empty());
}

} // namespace
