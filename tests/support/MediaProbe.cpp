#include "MediaProbe.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

TMediaInfo ProbeMedia(const std::string& Path) {
    TMediaInfo Info;
    AVFormatContext* Context = nullptr;
    if (avformat_open_input(&Context, Path.c_str(), nullptr, nullptr) != 0)
        return Info;
    if (avformat_find_stream_info(Context, nullptr) >= 0) {
        Info.Opened = true;
        Info.Demuxer = Context->iformat->name;
        if (const AVDictionaryEntry* Brand =
                av_dict_get(Context->metadata, "major_brand", nullptr, 0))
            Info.Brand = Brand->value;
        Info.Duration = static_cast<double>(Context->duration) / AV_TIME_BASE;
        for (unsigned I = 0; I < Context->nb_streams; ++I) {
            const AVStream* Stream = Context->streams[I];
            const AVCodecParameters* Codec = Stream->codecpar;
            if (Codec->codec_type == AVMEDIA_TYPE_VIDEO && Info.VideoCodec.empty()) {
                Info.VideoCodec = avcodec_get_name(Codec->codec_id);
                Info.Width = Codec->width;
                Info.Height = Codec->height;
                Info.FrameRate = av_q2d(Stream->r_frame_rate);
            } else if (Codec->codec_type == AVMEDIA_TYPE_AUDIO && Info.AudioCodec.empty()) {
                Info.AudioCodec = avcodec_get_name(Codec->codec_id);
                Info.SampleRate = Codec->sample_rate;
                Info.Channels = Codec->ch_layout.nb_channels;
            }
        }
    }
    avformat_close_input(&Context);
    return Info;
}
