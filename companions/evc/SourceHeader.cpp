#include "SourceHeader.h"

#include <algorithm>
#include <cctype>

extern "C" {
#include <libavformat/avformat.h>
}

namespace evc {

std::string FfmpegVersion() {
    return std::string("ffmpeg version ") + av_version_info();
}

TSourceHeader ReadSourceHeader(const std::string& SourceFile) {
    TSourceHeader Header;
    av_log_set_level(AV_LOG_QUIET); // what is wrong with the source, ffmpeg itself will say
    AVDictionary* Options = nullptr;
    av_dict_set(&Options, "protocol_whitelist", "file", 0); // as the conversion reads it
    AVFormatContext* Format = nullptr;
    const int Opened =
        avformat_open_input(&Format, ("file:" + SourceFile).c_str(), nullptr, &Options);
    av_dict_free(&Options);
    if (Opened < 0)
        return Header;
    // RealMedia tells the length of each stream in its header, and only
    // reading packets would make a length of the whole of it.
    double Longest = Format->duration != AV_NOPTS_VALUE
                         ? static_cast<double>(Format->duration) / AV_TIME_BASE
                         : 0;
    double Sound = 0;
    for (unsigned I = 0; I < Format->nb_streams; ++I) {
        const AVStream* Stream = Format->streams[I];
        if (Stream->duration == AV_NOPTS_VALUE)
            continue;
        const double Seconds = static_cast<double>(Stream->duration) * av_q2d(Stream->time_base);
        Longest = std::max(Longest, Seconds);
        if (Stream->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
            Sound = std::max(Sound, Seconds);
    }
    if (Longest > 0)
        Header.DurationSeconds = Longest;
    if (Sound > 0)
        Header.SoundSeconds = Sound;
    for (const AVDictionaryEntry* Tag = nullptr;
         (Tag = av_dict_get(Format->metadata, "", Tag, AV_DICT_IGNORE_SUFFIX));) {
        std::string Key = Tag->key;
        std::transform(Key.begin(), Key.end(), Key.begin(),
                       [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
        if (*Tag->value)
            Header.Tags.emplace(Key, Tag->value);
    }
    avformat_close_input(&Format);
    return Header;
}

} // namespace evc
