#include "Waveform.h"

#include "LocalMedia.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Packets decoded at the start of each column's share; the rest are only read.
constexpr int PacketsPerColumn = 4;
constexpr double QuietestDecibels = -60;

// A sample of any of the formats the audio decoders deliver, full scale being 1.
double SampleAt(const AVFrame& Frame, int Channel, int Index) {
    const auto Format = static_cast<AVSampleFormat>(Frame.format);
    const bool Planar = av_sample_fmt_is_planar(Format);
    const int Channels = Frame.ch_layout.nb_channels;
    const uint8_t* Data = Frame.extended_data[Planar ? Channel : 0];
    const int At = Planar ? Index : Index * Channels + Channel;
    switch (av_get_packed_sample_fmt(Format)) {
    case AV_SAMPLE_FMT_FLT:
        return reinterpret_cast<const float*>(Data)[At];
    case AV_SAMPLE_FMT_DBL:
        return reinterpret_cast<const double*>(Data)[At];
    case AV_SAMPLE_FMT_S16:
        return reinterpret_cast<const int16_t*>(Data)[At] / 32768.0;
    case AV_SAMPLE_FMT_S32:
        return reinterpret_cast<const int32_t*>(Data)[At] / 2147483648.0;
    case AV_SAMPLE_FMT_U8:
        return (Data[At] - 128) / 128.0;
    default:
        return 0;
    }
}

// The frame's loudness: its RMS over every channel, on the drawing's scale.
float LevelOf(const AVFrame& Frame) {
    double Sum = 0;
    const int Channels = Frame.ch_layout.nb_channels;
    for (int Channel = 0; Channel < Channels; ++Channel)
        for (int Index = 0; Index < Frame.nb_samples; ++Index)
            Sum += std::pow(SampleAt(Frame, Channel, Index), 2);
    const double Count = static_cast<double>(Channels) * Frame.nb_samples;
    const double Decibels = Count > 0 && Sum > 0 ? 10 * std::log10(Sum / Count) : -1000;
    return static_cast<float>(std::clamp(1 - Decibels / QuietestDecibels, 0.0, 1.0));
}

} // namespace

std::vector<float> ReadWaveform(const std::string& Path, size_t Columns, std::stop_token Stop) {
    const std::function<bool()> Stopped = [&] { return Stop.stop_requested(); };
    const TMediaInput Context = Columns == 0 ? TMediaInput() : OpenLocalMedia(Path, Stopped);
    const AVCodec* Codec = nullptr;
    if (!Context || avformat_find_stream_info(Context.get(), nullptr) < 0 || Context->duration <= 0)
        return {};
    const int Stream = av_find_best_stream(Context.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &Codec, 0);
    if (Stream < 0 || !Codec)
        return {};
    const std::unique_ptr<AVCodecContext, TDecoderFreer> Decoder(avcodec_alloc_context3(Codec));
    const AVStream& Sound = *Context->streams[Stream];
    const std::unique_ptr<AVPacket, TPacketFreer> Packet(av_packet_alloc());
    const std::unique_ptr<AVFrame, TFrameFreer> Frame(av_frame_alloc());
    if (!Decoder || !Packet || !Frame ||
        avcodec_parameters_to_context(Decoder.get(), Sound.codecpar) < 0 ||
        avcodec_open2(Decoder.get(), Codec, nullptr) < 0)
        return {};

    const double Seconds = static_cast<double>(Context->duration) / AV_TIME_BASE;
    const double Start =
        Sound.start_time == AV_NOPTS_VALUE ? 0 : Sound.start_time * av_q2d(Sound.time_base);
    std::vector<float> Levels(Columns, 0);
    std::vector<int> Decoded(Columns, 0);
    bool Heard = false;
    const auto Receive = [&](size_t Column) {
        while (avcodec_receive_frame(Decoder.get(), Frame.get()) >= 0) {
            Levels[Column] = std::max(Levels[Column], LevelOf(*Frame));
            Heard = true;
            av_frame_unref(Frame.get());
        }
    };
    size_t Column = 0, Last = Columns; // the column of the packet decoded last
    while (av_read_frame(Context.get(), Packet.get()) >= 0) {
        const std::unique_ptr<AVPacket, void (*)(AVPacket*)> Held(Packet.get(), av_packet_unref);
        if (Stop.stop_requested())
            return {};
        if (Packet->stream_index != Stream)
            continue;
        // Interleaved RealAudio stamps only the first packet of each block:
        // the others belong where it does.
        if (Packet->pts != AV_NOPTS_VALUE)
            Column = std::min(
                Columns - 1,
                static_cast<size_t>(std::max(0.0, (Packet->pts * av_q2d(Sound.time_base) - Start) /
                                                      Seconds * static_cast<double>(Columns))));
        if (Decoded[Column] >= PacketsPerColumn)
            continue;
        if (Column != Last) // a jump: what the decoder kept belongs elsewhere
            avcodec_flush_buffers(Decoder.get());
        Last = Column;
        ++Decoded[Column];
        if (avcodec_send_packet(Decoder.get(), Packet.get()) >= 0)
            Receive(Column);
    }
    if (Last < Columns && avcodec_send_packet(Decoder.get(), nullptr) >= 0)
        Receive(Last); // what the decoder still holds
    if (!Heard || Stop.stop_requested())
        return {};
    // A short file has fewer packets than columns: a packet's sound lasts on
    // over the columns up to the next one.
    for (size_t Next = 1; Next < Columns; ++Next)
        if (Decoded[Next] == 0)
            Levels[Next] = Levels[Next - 1];
    return Levels;
}
