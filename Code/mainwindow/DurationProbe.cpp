#include "DurationProbe.h"

#include "LocalMedia.h"

#include <algorithm>
#include <memory>

namespace {

bool IsPlayable(const AVStream& Stream) {
    const AVCodecParameters& Codec = *Stream.codecpar;
    return (Codec.codec_type == AVMEDIA_TYPE_AUDIO || Codec.codec_type == AVMEDIA_TYPE_VIDEO) &&
           avcodec_find_decoder(Codec.codec_id) != nullptr;
}

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

} // namespace

TMediaDurationProber::TMediaDurationProber(std::chrono::milliseconds TimeLimit)
    : TimeLimit(TimeLimit) {
    av_log_set_level(AV_LOG_QUIET); // a file that does not play is an answer, not a message
}

int32_t TMediaDurationProber::ProbeDuration(const std::string& Path) const {
    return static_cast<int32_t>(std::min<int64_t>(ProbeMilliseconds(Path) / 1000, INT32_MAX));
}

int64_t TMediaDurationProber::ProbeMilliseconds(const std::string& Path) const {
    const auto Deadline = std::chrono::steady_clock::now() + TimeLimit;
    const std::function<bool()> PastDeadline = [&] {
        return std::chrono::steady_clock::now() > Deadline;
    };
    const TMediaInput Context = OpenLocalMedia(Path, PastDeadline);
    if (!Context)
        return 0;
    if (avformat_find_stream_info(Context.get(), nullptr) < 0 ||
        Context->duration == AV_NOPTS_VALUE || Context->duration <= 0 ||
        !HoldsPlayableMedia(*Context))
        return 0;
    return Context->duration / (AV_TIME_BASE / 1000);
}
