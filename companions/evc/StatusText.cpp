#include "StatusText.h"

#include <cstdio>
#include <cstdlib>

namespace evc {

void ApplyProgressLine(const std::string& Line, TProgress& Progress) {
    const size_t Equals = Line.find('=');
    if (Equals == std::string::npos)
        return;
    const std::string Key = Line.substr(0, Equals);
    const char* Value = Line.c_str() + Equals + 1;
    char* End = nullptr;
    const double Number = std::strtod(Value, &End);
    if (End == Value) // "N/A" and the like keep the last figure
        return;
    if (Key == "frame")
        Progress.Frame = static_cast<long long>(Number);
    else if (Key == "total_size")
        Progress.SizeBytes = static_cast<long long>(Number);
    else if (Key == "out_time_us")
        Progress.TimeMicroseconds = Number > 0 ? static_cast<long long>(Number) : 0;
    else if (Key.size() > 2 && Key.compare(Key.size() - 2, 2, "_q") == 0)
        Progress.Quality = Number;
}

std::string StatusLine(const TProgress& Progress, bool HasVideo) {
    const double Seconds = static_cast<double>(Progress.TimeMicroseconds) / 1e6;
    const double Kilobits = static_cast<double>(Progress.SizeBytes) * 8 / 1000;
    char Line[160];
    const int Length =
        std::snprintf(Line, sizeof Line, "size=%8lldkB time=%.2f bitrate=%6.1fkbits/s",
                      Progress.SizeBytes / 1024, Seconds, Seconds > 0 ? Kilobits / Seconds : 0.0);
    std::string Status(Line, static_cast<size_t>(Length));
    if (HasVideo) {
        std::snprintf(Line, sizeof Line, "frame=%5lld q=%.1f ", Progress.Frame, Progress.Quality);
        Status = Line + Status;
    }
    return Status;
}

std::string Description(const TEncodeOptions& Options, const TScriptSource& Script) {
    auto Or = [](const std::optional<std::string>& Value, const char* Fallback) {
        return Value ? *Value : std::string(Fallback);
    };
    std::string Text =
        "Input #0, from '" + Script.SourceFile + "' at " + Script.FrameRate + " fps constant:\n";
    if (Options.Start || Options.Duration)
        Text += "  Range: start " + Or(Options.Start, "00:00:00") + ", duration " +
                (Options.Duration ? std::to_string(*Options.Duration) + " s" : "to the end") + "\n";
    Text +=
        "Output #0, " + Or(Options.Format, "by extension") + ", to '" + Options.OutputFile + "':\n";
    if (!Options.NoVideo)
        Text += "  Video: " + Or(Options.VideoCodec, "default") + ", " +
                Or(Options.Size, "source size") + ", " + Or(Options.Rate, "source") + " fps, " +
                Or(Options.VideoBitrate, "default") + " kb/s, aspect " +
                Or(Options.Aspect, "source") + "\n";
    Text += "  Audio: " + Or(Options.AudioCodec, "default") + ", " +
            Or(Options.SampleRate, "source") + " Hz, " + Or(Options.Channels, "source") +
            " channels, " + Or(Options.AudioBitrate, "default") + " kb/s, volume " +
            Or(Options.Volume, "100") + "%\n";
    return Text;
}

} // namespace evc
