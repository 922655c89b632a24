#pragma once

#include <array>
#include <span>
#include <string_view>

// The converter's constant vocabulary: output types with their encoder columns,
// the option lists of the profile combos and the quality presets.
//
// An option list holds its display texts followed by its default entry index in
// decimal. A preset tuple holds six "|"-separated entry indexes (or "none") for
// video size, frame rate, video bitrate, audio bitrate, audio channels and
// sample rate.
namespace ConfigInfo {

using TTextList = std::span<const std::string_view>;

inline constexpr int OutputTypeCount = 6;
// The built-in qualities; profile entries after them are custom profiles.
inline constexpr int QualityCount = 5;

// The first five are the phones and players of their day; the last, H.264 in
// MP4, is what every browser, phone and television plays today.
inline constexpr std::array<std::string_view, OutputTypeCount + 1> cstOutputFileTypes = {
    "3GPP Video Files (*.3gp)",
    "MPEG4 Video Files (*.mp4)",
    "PSP Video Files (*.mp4)",
    "iPod Video Files (*.mp4)",
    "MP3 Files (*.mp3)",
    "H.264 Video Files (*.mp4)",
    "0"};

inline constexpr std::array<std::string_view, OutputTypeCount> cstCodecArgs = {
    "-vcodec mpeg4 -acodec aac", "-vcodec mpeg4 -acodec aac", "-vcodec mpeg4 -acodec aac",
    "-vcodec mpeg4 -acodec aac", "-acodec mp3 -vn",           "-vcodec h264 -acodec aac"};

inline constexpr std::array<std::string_view, OutputTypeCount> cstFileFormats = {
    "3gp", "none", "none", "none", "none", "none"};

inline constexpr std::array<std::string_view, OutputTypeCount> cstFileExts = {
    ".3gp", ".mp4", ".mp4", ".mp4", ".mp3", ".mp4"};

// The type in a word, as the line of what the next conversion makes begins.
inline constexpr std::array<std::string_view, OutputTypeCount> cstTypeWords = {
    "3GP", "MPEG-4", "PSP", "iPod", "MP3", "H.264"};

inline constexpr std::array<std::string_view, 6> cstQualities = {
    "Low Quality",       "Acceptable Quality", "Normal Quality",
    "Excellent Quality", "Superb Quality",     "2"};

inline constexpr std::array<std::string_view, 24> cstVideoSizes = {
    "128x96",  "160x112", "160x120", "176x144", "220x176", "320x180", "320x240", "352x240",
    "352x288", "360x208", "368x208", "480x272", "480x480", "512x384", "640x272", "640x360",
    "640x480", "704x576", "720x306", "720x320", "720x460", "720x480", "720x576", "1"};

inline constexpr std::array<std::string_view, 9> cstFrameRates = {
    "11", "14.985", "15", "23.967", "24", "25", "29.97", "30", "1"};

inline constexpr std::array<std::string_view, 11> cstVideoBitrates = {
    "40", "80", "128", "256", "512", "768", "1000", "1200", "1500", "2500", "2"};

inline constexpr std::array<std::string_view, 3> cstAspectRatios = {"4:3", "16:9", "0"};

inline constexpr std::array<std::string_view, 12> cstAudioBitrates = {
    "16", "32", "48", "64", "80", "128", "160", "192", "224", "256", "320", "2"};

inline constexpr std::array<std::string_view, 5> cstAudioSamples = {"22050", "32000", "44100",
                                                                    "48000", "2"};

inline constexpr std::array<std::string_view, 22> cstAudioVolumeGains = {
    "0",   "25",  "50",  "75",  "100", "125", "150", "175", "200", "225", "250",
    "275", "300", "325", "350", "375", "400", "425", "450", "475", "500", "8"};

inline constexpr std::array<std::string_view, 3> cstAudioChannels = {"1 channel, Mono",
                                                                     "2 channels, Stereo", "1"};

inline constexpr std::array<std::string_view, 5> cst3GPPresets = {
    "3|0|0|2|0|0", "3|0|2|4|1|1", "3|2|3|5|1|2", "3|2|4|7|1|2", "3|2|5|8|1|3"};

inline constexpr std::array<std::string_view, 5> cstMP4Presets = {
    "1|0|0|2|0|0", "1|0|1|4|0|0", "1|1|2|5|0|0", "1|1|3|7|0|0", "1|1|4|8|0|0"};

inline constexpr std::array<std::string_view, 5> cstPSPPresets = {
    "1|0|0|2|0|0", "1|0|1|4|1|1", "1|1|2|5|1|2", "1|1|3|7|1|2", "1|1|4|8|1|3"};

inline constexpr std::array<std::string_view, 5> cstiPodPresets = cstMP4Presets;

inline constexpr std::array<std::string_view, 5> cstMP3Presets = {
    "3|1|2|2|0|0", "7|2|4|4|1|1", "12|5|5|5|1|2", "17|6|6|7|1|2", "22|7|8|8|1|3"};

inline constexpr std::array<std::string_view, 5> cstH264Presets = {
    "6|2|3|3|0|0", "6|5|4|4|1|2", "16|5|6|5|1|2", "16|6|8|6|1|3", "22|5|9|7|1|3"};

// The tuple that changes no option.
inline constexpr std::string_view NoPreset = "none|none|none|none|none|none";

// The five presets of an output type, indexed by quality; empty for any other index.
TTextList PresetsOfOutputType(int OutputType);

// The entries an option list shows (every element but the last).
TTextList EntriesOf(TTextList OptionList);

// The default entry index that ends an option list.
int DefaultIndexOf(TTextList OptionList);

} // namespace ConfigInfo
