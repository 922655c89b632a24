#include "DurationProbe.h"

#include "FileSystem.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <memory>

namespace {

struct TInputCloser {
    void operator()(AVFormatContext* Context) const { avformat_close_input(&Context); }
};

bool IsPlayable(const AVStream& Stream) {
    const AVCodecParameters& Codec = *Stream.codecpar;
    return (Codec.codec_type == AVMEDIA_TYPE_AUDIO || Codec.codec_type == AVMEDIA_TYPE_VIDEO) &&
           avcodec_find_decoder(Codec.codec_id) != nullptr;
}

struct TPacketFreer {
    void operator()(AVPacket* Packet) const { av_packet_free(&Packet); }
};

// A header alone tells a length but plays nothing: the file must hold media
// of a stream that can be decoded. The packets read while probing the streams
// are kept, so this reads little more.
bool HoldsPlayableMedia(AVFormatContext& Context) {
    const std::unique_ptr<AVPacket, TPacketFreer> Packet(av_packet_alloc());
    while (Packet && av_read_frame(&Context, Packet.get()) >= 0) {
        const bool Playable = IsPlayable(*Context.streams[Packet->stream_index]);
        av_packet_unref(Packet.get());
        if (Playable)
            return true;
    }
    return false;
}

// libavformat asks this between reads; true ends the probe.
int PastDeadline(void* Deadline) {
    return std::chrono::steady_clock::now() >
           *static_cast<const std::chrono::steady_clock::time_point*>(Deadline);
}

} // namespace

TMediaDurationProber::TMediaDurationProber(std::chrono::milliseconds TimeLimit)
    : TimeLimit(TimeLimit) {
    av_log_set_level(AV_LOG_QUIET); // a file that does not play is an answer, not a message
}

int32_t TMediaDurationProber::ProbeDuration(const std::string& Path) const {
    return static_cast<int32_t>(std::min<int64_t>(ProbeMilliseconds(Path) / 1000, INT32_MAX));
}

int64_t TMediaDurationProber::ProbeMilliseconds(const std::string& Path) const {
    if (!IsRegularFile(Path))
        return 0;
    auto Deadline = std::chrono::steady_clock::now() + TimeLimit;
    AVFormatContext* Opened = avformat_alloc_context();
    if (!Opened)
        return 0;
    Opened->interrupt_callback = {&PastDeadline, &Deadline};
    // The prefix and the list keep a name such as "http:..." or "concat:..." a
    // plain file name, also for whatever the file itself refers to.
    AVDictionary* Options = nullptr;
    av_dict_set(&Options, "protocol_whitelist", "file", 0);
    const int Result = avformat_open_input(&Opened, ("file:" + Path).c_str(), nullptr, &Options);
    av_dict_free(&Options);
    if (Result != 0) // the context is freed already
        return 0;
    const std::unique_ptr<AVFormatContext, TInputCloser> Context(Opened);
    if (avformat_find_stream_info(Context.get(), nullptr) < 0 ||
        Context->duration == AV_NOPTS_VALUE || Context->duration <= 0 ||
        !HoldsPlayableMedia(*Context))
        return 0;
    return Context->duration / (AV_TIME_BASE / 1000);
}
