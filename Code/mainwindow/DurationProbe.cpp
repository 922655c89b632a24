#include "DurationProbe.h"

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

bool HasPlayableStream(const AVFormatContext& Context) {
    return std::any_of(Context.streams, Context.streams + Context.nb_streams, [](AVStream* Stream) {
        const AVCodecParameters& Codec = *Stream->codecpar;
        return (Codec.codec_type == AVMEDIA_TYPE_AUDIO || Codec.codec_type == AVMEDIA_TYPE_VIDEO) &&
               avcodec_find_decoder(Codec.codec_id) != nullptr;
    });
}

} // namespace

TMediaDurationProber::TMediaDurationProber() {
    av_log_set_level(AV_LOG_QUIET); // a file that does not play is an answer, not a message
}

int32_t TMediaDurationProber::ProbeDuration(const std::string& Path) const {
    AVFormatContext* Opened = nullptr;
    if (avformat_open_input(&Opened, Path.c_str(), nullptr, nullptr) != 0)
        return 0;
    const std::unique_ptr<AVFormatContext, TInputCloser> Context(Opened);
    if (avformat_find_stream_info(Context.get(), nullptr) < 0 || !HasPlayableStream(*Context) ||
        Context->duration == AV_NOPTS_VALUE || Context->duration <= 0)
        return 0;
    const int64_t Milliseconds = Context->duration / (AV_TIME_BASE / 1000);
    return static_cast<int32_t>(std::min<int64_t>(Milliseconds / 1000, INT32_MAX));
}
