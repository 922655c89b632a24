#include "MediaProbe.h"

#include <algorithm>
#include <cmath>
#include <fstream>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
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
                if (const char* Pixels =
                        av_get_pix_fmt_name(static_cast<AVPixelFormat>(Codec->format)))
                    Info.PixelFormat = Pixels;
                if (const char* Profile = avcodec_profile_name(Codec->codec_id, Codec->profile))
                    Info.VideoProfile = Profile;
                Info.VideoLevel = Codec->level;
            } else if (Codec->codec_type == AVMEDIA_TYPE_AUDIO && Info.AudioCodec.empty()) {
                Info.AudioCodec = avcodec_get_name(Codec->codec_id);
                Info.SampleRate = Codec->sample_rate;
                Info.Channels = Codec->ch_layout.nb_channels;
                if (const char* Profile = avcodec_profile_name(Codec->codec_id, Codec->profile))
                    Info.AudioProfile = Profile;
            }
        }
    }
    avformat_close_input(&Context);
    return Info;
}

std::vector<std::string> TopLevelBoxes(const std::string& Path) {
    std::vector<std::string> Boxes;
    std::ifstream File(Path, std::ios::binary);
    for (unsigned char Header[16]; File.read(reinterpret_cast<char*>(Header), 8);) {
        uint64_t Size = 0;
        for (int I = 0; I < 4; ++I)
            Size = Size << 8 | Header[I];
        Boxes.emplace_back(reinterpret_cast<const char*>(Header + 4), 4);
        if (Size == 1 && File.read(reinterpret_cast<char*>(Header + 8), 8)) { // a 64-bit size
            Size = 0;
            for (int I = 8; I < 16; ++I)
                Size = Size << 8 | Header[I];
            Size -= 8;
        }
        if (Size < 8)
            break; // to the file's end, or broken
        File.seekg(static_cast<std::streamoff>(Size - 8), std::ios::cur);
    }
    return Boxes;
}

namespace {

// A sample of any of the formats the decoders of the outputs deliver.
double SampleAt(const AVFrame* Frame, int Channel, int Index) {
    const auto Format = static_cast<AVSampleFormat>(Frame->format);
    const bool Planar = av_sample_fmt_is_planar(Format);
    const int Channels = Frame->ch_layout.nb_channels;
    const uint8_t* Data = Frame->extended_data[Planar ? Channel : 0];
    const int At = Planar ? Index : Index * Channels + Channel;
    switch (av_get_packed_sample_fmt(Format)) {
    case AV_SAMPLE_FMT_FLT:
        return reinterpret_cast<const float*>(Data)[At];
    case AV_SAMPLE_FMT_S16:
        return reinterpret_cast<const int16_t*>(Data)[At] / 32768.0;
    case AV_SAMPLE_FMT_S32:
        return reinterpret_cast<const int32_t*>(Data)[At] / 2147483648.0;
    default:
        return 0;
    }
}

} // namespace

TAudioLevels MeasureAudio(const std::string& Path) {
    TAudioLevels Levels;
    AVFormatContext* Context = nullptr;
    if (avformat_open_input(&Context, Path.c_str(), nullptr, nullptr) != 0)
        return Levels;
    const AVCodec* Decoder = nullptr;
    const int Stream = avformat_find_stream_info(Context, nullptr) >= 0
                           ? av_find_best_stream(Context, AVMEDIA_TYPE_AUDIO, -1, -1, &Decoder, 0)
                           : -1;
    AVCodecContext* Codec = Stream >= 0 ? avcodec_alloc_context3(Decoder) : nullptr;
    if (Codec && avcodec_parameters_to_context(Codec, Context->streams[Stream]->codecpar) >= 0 &&
        avcodec_open2(Codec, Decoder, nullptr) >= 0) {
        AVPacket* Packet = av_packet_alloc();
        AVFrame* Frame = av_frame_alloc();
        const auto Drain = [&] {
            while (avcodec_receive_frame(Codec, Frame) >= 0) {
                for (int Channel = 0; Channel < Frame->ch_layout.nb_channels; ++Channel)
                    for (int I = 0; I < Frame->nb_samples; ++I) {
                        const double Sample = std::abs(SampleAt(Frame, Channel, I));
                        Levels.Peak = std::max(Levels.Peak, Sample);
                        Levels.FullScale += Sample >= 32767.0 / 32768;
                        ++Levels.Samples;
                    }
            }
        };
        while (av_read_frame(Context, Packet) >= 0) {
            if (Packet->stream_index == Stream && avcodec_send_packet(Codec, Packet) >= 0)
                Drain();
            av_packet_unref(Packet);
        }
        avcodec_send_packet(Codec, nullptr);
        Drain();
        av_frame_free(&Frame);
        av_packet_free(&Packet);
    }
    avcodec_free_context(&Codec);
    avformat_close_input(&Context);
    return Levels;
}
