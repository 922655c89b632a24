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

// Why ffmpeg failed: what the system said when WrittenFile, which becomes
// OutputFile, could take no more ("Cannot write '...': No space left on
// device."), else ffmpeg's exit code and last line.
std::string FailureReason(const TFfmpegResult& Result, const std::string& OutputFile,
                          const std::string& WrittenFile);

// Counts the places where ffmpeg reported damage while converting: all its
// error lines at one output time are one place.
class TDamageCounter {
public:
    void AddErrorLine(const std::string& Line, long long OutputMicroseconds);
    int Places() const { return Count; }

private:
    int Count = 0;
    long long LastTime = -1;
};

} // namespace evc
