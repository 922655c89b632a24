#pragma once

#include "ConvertParameter.h"
#include "StrFunc.h"
#include "Unit_ConfigInfo.h"

#include <string>

// The option selection the windows show after choosing an output type and a
// quality: the preset's six options, aspect ratio and volume at their defaults.
inline TOptionSelection PresetSelection(int OutputType, int Quality) {
    using namespace ConfigInfo;
    const auto Entry = [](TTextList List, const std::string& Index) {
        return std::string(EntriesOf(List)[std::stoul(Index)]);
    };
    const auto Default = [&](TTextList List) {
        return Entry(List, std::to_string(DefaultIndexOf(List)));
    };
    const auto Fields =
        SplitString(PresetsOfOutputType(OutputType)[static_cast<size_t>(Quality)], '|');
    TOptionSelection Options;
    Options.OutputType = OutputType;
    Options.VideoSize = Entry(cstVideoSizes, Fields[0]);
    Options.Framerate = Entry(cstFrameRates, Fields[1]);
    Options.VideoBitrate = Entry(cstVideoBitrates, Fields[2]);
    Options.AudioBitrate = Entry(cstAudioBitrates, Fields[3]);
    Options.AudioChannels = Entry(cstAudioChannels, Fields[4]);
    Options.AudioSample = Entry(cstAudioSamples, Fields[5]);
    Options.Aspectratio = Default(cstAspectRatios);
    Options.AudioVolumeGain = Default(cstAudioVolumeGains);
    return Options;
}
