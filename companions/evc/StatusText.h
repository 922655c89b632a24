#pragma once

#include "EncoderCommand.h"

#include <string>

namespace evc {

// The latest figures of ffmpeg's progress report.
struct TProgress {
    long long Frame = 0;
    double Quality = 0;
    long long SizeBytes = 0;
    long long TimeMicroseconds = 0;
};

// Less output than this means that nothing of the source was converted: what
// is left is an encoder's start-up padding, or an empty file.
constexpr long long LeastConvertedMicroseconds = 100000;

// Takes one "key=value" line of ffmpeg's progress report into Progress.
void ApplyProgressLine(const std::string& Line, TProgress& Progress);

// The classic status line, without its line end:
//   frame=  250 q=2.0 size=     512kB time=10.00 bitrate= 419.4kbits/s
// or, without video,
//   size=     640kB time=40.96 bitrate= 128.0kbits/s
// Splitting it at "=" puts the elapsed seconds in the fifth or the third field.
std::string StatusLine(const TProgress& Progress, bool HasVideo);

// The lines that open the output: what is read and what is written.
std::string Description(const TEncodeOptions& Options, const TScriptSource& Script);

} // namespace evc
