#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <functional>
#include <memory>
#include <string>

// FFmpeg's objects as owners that free them, and the one way the program opens
// a media file of its own with FFmpeg's libraries.

struct TInputCloser {
    void operator()(AVFormatContext* Context) const { avformat_close_input(&Context); }
};
struct TDecoderFreer {
    void operator()(AVCodecContext* Decoder) const { avcodec_free_context(&Decoder); }
};
struct TPacketFreer {
    void operator()(AVPacket* Packet) const { av_packet_free(&Packet); }
};
struct TFrameFreer {
    void operator()(AVFrame* Frame) const { av_frame_free(&Frame); }
};
using TMediaInput = std::unique_ptr<AVFormatContext, TInputCloser>;

// Opens a regular file on this machine, nothing else: the prefix and the list
// keep a name such as "http:..." or "concat:..." a plain file name, also for
// whatever the file itself refers to. Interrupted, asked between reads, ends
// the opening and every later read at once; it must outlive the input. Empty
// when the file cannot be opened.
TMediaInput OpenLocalMedia(const std::string& Path, const std::function<bool()>& Interrupted);
