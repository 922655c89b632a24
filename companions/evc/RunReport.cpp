#include "RunReport.h"

#include "EvcContract.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace evc {
namespace {

// The last non-empty line of Text after Lead, or nothing when Text has none.
std::string LastLineOf(const std::string& Text, const std::string& Lead) {
    const size_t End = Text.find_last_not_of("\r\n");
    if (End == std::string::npos)
        return {};
    const size_t Start = Text.find_last_of("\r\n", End) + 1; // 0 when it is the first line
    return Lead + Text.substr(Start, End + 1 - Start);
}

double StartSeconds(const TEncodeOptions& Options) {
    int Hours = 0, Minutes = 0, Seconds = 0;
    if (Options.Start)
        std::sscanf(Options.Start->c_str(), "%d:%d:%d", &Hours, &Minutes, &Seconds);
    return Hours * 3600.0 + Minutes * 60.0 + Seconds;
}

} // namespace

std::string ClockText(double Seconds) {
    const long long Whole = std::max(0LL, static_cast<long long>(Seconds));
    char Text[32];
    std::snprintf(Text, sizeof Text, "%02lld:%02lld:%02lld", Whole / 3600, Whole / 60 % 60,
                  Whole % 60);
    return Text;
}

std::optional<double> ExpectedSeconds(const TEncodeOptions& Options,
                                      std::optional<double> HeaderSeconds) {
    std::optional<double> Expected;
    if (HeaderSeconds)
        Expected = std::max(0.0, *HeaderSeconds - StartSeconds(Options));
    if (Options.Duration)
        Expected =
            std::min(Expected.value_or(*Options.Duration), static_cast<double>(*Options.Duration));
    return Expected;
}

std::string IncompleteReport(const TEncodeOptions& Options, double Expected, double Got) {
    if (Expected - Got <= std::max(1.0, 0.02 * Expected))
        return {};
    return std::string(IncompleteLead) + ClockText(Got) + IncompleteOf + ClockText(Expected) +
           "; the source ends early or is damaged after " + ClockText(StartSeconds(Options) + Got) +
           ".";
}

std::string FailureReason(const TFfmpegResult& Result, const std::string& OutputFile,
                          const std::string& WrittenFile) {
    // These only writing gives; the others also reading, so they count only
    // on a line about the file being written.
    const std::string_view Text = Result.ErrorText;
    for (const int Error : {ENOSPC, EDQUOT, EFBIG, EROFS, EACCES, EPERM, EIO}) {
        const std::string Reason = std::strerror(Error);
        const bool OnlyWriting =
            Error == ENOSPC || Error == EDQUOT || Error == EFBIG || Error == EROFS;
        for (size_t At = Text.find(Reason); At != std::string_view::npos;
             At = Text.find(Reason, At + 1)) {
            const size_t Start = Text.rfind('\n', At) + 1; // 0 on the first line
            const std::string_view Line = Text.substr(Start, Text.find('\n', At) - Start);
            if (OnlyWriting || Line.find(WrittenFile) != std::string_view::npos ||
                Line.find("writ") != std::string_view::npos)
                return "Cannot write '" + OutputFile + "': " + Reason + ".";
        }
    }
    return "conversion failed (ffmpeg exit code " + std::to_string(Result.ExitCode) + ")" +
           LastLineOf(Result.ErrorText, ": ");
}

void TDamageCounter::AddErrorLine(const std::string& Line, long long OutputMicroseconds) {
    // "[ac3 @ 0x55d0c8a1e2c0] error decoding the audio block"
    if (!Line.starts_with('[') || Line.find(" @ ") == std::string::npos)
        return;
    if (OutputMicroseconds != LastTime) // the picture's and the sound's reports are one place
        ++Count;
    LastTime = OutputMicroseconds;
}

} // namespace evc
