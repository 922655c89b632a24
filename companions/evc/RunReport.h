#pragma once

#include "EncoderCommand.h"
#include "FfmpegProcess.h"

#include <optional>
#include <string>

// What evc tells about a conversion beside its progress: whether the output
// holds all that was asked for, and how much of the source was damaged.
namespace evc {

// Whole seconds as hh:mm:ss.
std::string ClockText(double Seconds);

// The length the output should have: -t, or the header's length less the
// start, whichever is shorter; none when neither is known.
std::optional<double> ExpectedSeconds(const TEncodeOptions& Options,
                                      std::optional<double> HeaderSeconds);

// The incomplete report without "evc: " when the output falls short of
// Expected by more than max(1 s, 2 %); empty when it holds enough.
std::string IncompleteReport(const TEncodeOptions& Options, double Expected, double Got);

// Why ffmpeg failed: what the system said about the output when it refused to
// take more ("cannot write '...': No space left on device"), else ffmpeg's
// exit code and last line.
std::string FailureReason(const TFfmpegResult& Result, const std::string& OutputFile);

// Counts the places where ffmpeg's decoders reported damage: the error lines
// of one component at one output time are one place.
class TDamageCounter {
public:
    void AddErrorLine(const std::string& Line, long long OutputMicroseconds);
    int Places() const { return Count; }

private:
    int Count = 0;
    std::string LastComponent;
    long long LastTime = -1;
};

} // namespace evc
