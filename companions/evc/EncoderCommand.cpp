#include "EncoderCommand.h"

#include "LocalFile.h"

#include <cctype>
#include <charconv>
#include <map>
#include <regex>
#include <sstream>
#include <string_view>

namespace evc {
namespace {

// What the value of an option must look like; the lengths keep every number
// within range.
struct TValueRule {
    std::regex Pattern;
    const char* Expected;
};

const std::map<std::string, TValueRule>& ValueRules() {
    static const TValueRule WholeNumber{std::regex("[0-9]{1,9}"), "a whole number"};
    static const std::map<std::string, TValueRule> Rules = {
        {"-b", WholeNumber},
        {"-ab", WholeNumber},
        {"-ac", WholeNumber},
        {"-ar", WholeNumber},
        {"-vol", WholeNumber},
        {"-r",
         {std::regex("0*[1-9][0-9]{0,5}(\\.[0-9]{1,9})?|0*\\.[0-9]*[1-9][0-9]*"),
          "frames per second"}},
        {"-s", {std::regex("[1-9][0-9]{0,4}x[1-9][0-9]{0,4}"), "width x height"}},
        {"-aspect",
         {std::regex("[1-9][0-9]{0,4}:[1-9][0-9]{0,4}|[0-9]{1,6}(\\.[0-9]{1,9})?"),
          "a ratio such as 4:3"}},
        {"-ss", {std::regex("[0-9]{1,6}:[0-5][0-9]:[0-5][0-9]"), "hh:mm:ss"}},
    };
    return Rules;
}

// No value evc checks is longer; a longer one is refused before any pattern
// looks at it, so that no input can make the matching run deep.
constexpr size_t LongestValue = 32;

// Checks the value of an option against what the option takes.
void CheckValue(const std::string& Option, const std::string& Value) {
    const auto Rule = ValueRules().find(Option);
    if (Rule != ValueRules().end() &&
        (Value.size() > LongestValue || !std::regex_match(Value, Rule->second.Pattern)))
        throw ECommandError("Invalid value '" + Value + "' for " + Option + ": expected " +
                            Rule->second.Expected + ".");
}

// The ffmpeg encoder for a codec name of the command line.
std::string EncoderName(const std::string& Codec) {
    static const std::map<std::string, std::string> Names = {{"mp3", "libmp3lame"},
                                                             {"xvid", "libxvid"},
                                                             {"amr_nb", "libopencore_amrnb"},
                                                             {"h264", "libx264"}};
    const auto Found = Names.find(Codec);
    return Found == Names.end() ? Codec : Found->second;
}

// Reads the script line from left to right; every step either takes what it
// expects or leaves the position alone and says so.
class TScriptReader {
public:
    explicit TScriptReader(const std::string& Text) : Text(Text) {}

    void SkipBlanks() {
        while (Position < Text.size() && std::isspace(static_cast<unsigned char>(Text[Position])))
            ++Position;
    }
    bool Take(std::string_view Expected) {
        if (Text.compare(Position, Expected.size(), Expected) != 0)
            return false;
        Position += Expected.size();
        return true;
    }
    // Characters up to the next double quote, none of them a line break or NUL.
    std::string TakeQuotedText() {
        const size_t Start = Position;
        while (Position < Text.size() && Text[Position] != '"' &&
               std::string_view("\r\n\0", 3).find(Text[Position]) == std::string_view::npos)
            ++Position;
        return Text.substr(Start, Position - Start);
    }
    // Digits with at most one full stop between digits.
    std::string TakeDecimal() {
        const size_t Start = Position;
        TakeDigits();
        if (Position > Start && Take(".") && !TakeDigits())
            --Position;
        return Text.substr(Start, Position - Start);
    }
    bool AtEnd() const { return Position == Text.size(); }

private:
    bool TakeDigits() {
        const size_t Start = Position;
        while (Position < Text.size() && std::isdigit(static_cast<unsigned char>(Text[Position])))
            ++Position;
        return Position > Start;
    }
    const std::string& Text;
    size_t Position = 0;
};

// The loudness factor for a volume in percent: 100 keeps it, 200 doubles it.
std::string VolumeFactor(const std::string& Percent) {
    std::ostringstream Text;
    Text << std::stol(Percent) / 100.0;
    return Text.str();
}

// Peaks stay below -1.5 dBFS: lossy encoders overshoot the peaks they are
// given by up to about a decibel, and their decoded output must not clip.
// Below the ceiling the gain is left exact (no automatic levelling), and the
// limiter's look-ahead is taken back out.
constexpr const char* Limiter = "alimiter=limit=0.841:attack=5:release=50:level=false:latency=true";

// The sound's way to the encoder: the output's rate and channels first, so
// that no resampling or down-mix after the limiter can raise a peak again.
std::string AudioFilter(const TEncodeOptions& Options) {
    std::string Format;
    if (Options.SampleRate)
        Format += ":sample_rates=" + *Options.SampleRate;
    if (Options.Channels == "1" || Options.Channels == "2")
        Format += std::string(":channel_layouts=") + (*Options.Channels == "1" ? "mono" : "stereo");
    std::string Chain = Format.empty() ? "" : "aformat=" + Format.substr(1) + ",";
    if (Options.Volume)
        Chain += "volume=" + VolumeFactor(*Options.Volume) + ",";
    return Chain + Limiter;
}

// Whether the output is 3GP, whose own asset boxes carry the author as such.
bool IsThreeGpp(const TEncodeOptions& Options) {
    return Options.Format == "3gp" || Options.Format == "3g2";
}

} // namespace

TEncodeOptions ParseArguments(const std::vector<std::string>& Arguments) {
    TEncodeOptions Options;
    std::map<std::string, std::optional<std::string>*> Valued = {{"-vcodec", &Options.VideoCodec},
                                                                 {"-acodec", &Options.AudioCodec},
                                                                 {"-b", &Options.VideoBitrate},
                                                                 {"-ab", &Options.AudioBitrate},
                                                                 {"-s", &Options.Size},
                                                                 {"-r", &Options.Rate},
                                                                 {"-aspect", &Options.Aspect},
                                                                 {"-vol", &Options.Volume},
                                                                 {"-ac", &Options.Channels},
                                                                 {"-ar", &Options.SampleRate},
                                                                 {"-f", &Options.Format},
                                                                 {"-ss", &Options.Start},
                                                                 {"-target", &Options.Target}};
    std::optional<std::string> Script, Duration;
    Valued["-i"] = &Script;
    Valued["-t"] = &Duration;

    for (size_t I = 0; I < Arguments.size(); ++I) {
        const std::string& Argument = Arguments[I];
        if (Argument == "-y") {
            Options.Overwrite = true;
        } else if (Argument == "-vn") {
            Options.NoVideo = true;
        } else if (const auto Option = Valued.find(Argument); Option != Valued.end()) {
            if (I + 1 >= Arguments.size())
                throw ECommandError("Missing value for option " + Argument + ".");
            const std::string& Value = Arguments[++I];
            CheckValue(Argument, Value);
            *Option->second = Value;
        } else if (!Argument.empty() && Argument[0] == '-') {
            throw ECommandError("Unknown option " + Argument + ".");
        } else if (I + 1 == Arguments.size()) {
            Options.OutputFile = Argument;
        } else {
            throw ECommandError("Unexpected argument '" + Argument +
                                "': the output file comes last.");
        }
    }
    if (!Script)
        throw ECommandError("No input script given (-i).");
    if (Options.OutputFile.empty())
        throw ECommandError("No output file given.");
    if (Duration) {
        long Seconds = 0;
        const auto [End, Error] =
            std::from_chars(Duration->data(), Duration->data() + Duration->size(), Seconds);
        if (End != Duration->data() + Duration->size() || Error != std::errc() || Seconds < 1)
            throw ECommandError("Invalid duration '" + *Duration +
                                "' for -t: expected whole seconds, at least 1.");
        Options.Duration = Seconds;
    }
    Options.ScriptFile = *Script;
    return Options;
}

TScriptSource ParseScript(const std::string& Text) {
    TScriptReader Reader(Text);
    TScriptSource Script;
    Reader.SkipBlanks();
    bool Valid = Reader.Take("DirectShowSource(\"");
    if (Valid) {
        Script.SourceFile = Reader.TakeQuotedText();
        Valid = !Script.SourceFile.empty() && Reader.Take("\",");
    }
    if (Valid) {
        Reader.SkipBlanks();
        Valid = Reader.Take("fps=");
    }
    if (Valid) {
        Script.FrameRate = Reader.TakeDecimal();
        Valid = !Script.FrameRate.empty() && Script.FrameRate.size() <= LongestValue &&
                Reader.Take(",");
    }
    if (Valid) {
        Reader.SkipBlanks();
        Valid = Reader.Take("convertfps=true)");
        Reader.SkipBlanks();
    }
    if (!Valid || !Reader.AtEnd())
        throw ECommandError("The script is not a DirectShowSource(\"file\", fps=..., "
                            "convertfps=true) line.");
    return Script;
}

TScriptSource ReadScript(const std::string& ScriptFile) {
    const std::string Text = ReadScriptFile(ScriptFile);
    try {
        return ParseScript(Text);
    } catch (const ECommandError& Error) {
        throw ECommandError("'" + ScriptFile + "': " + Error.what());
    }
}

std::vector<std::string> FfmpegArguments(const TEncodeOptions& Options, const TScriptSource& Script,
                                         const TSourceTags& SourceTags) {
    std::vector<std::string> Args = {"ffmpeg",
                                     "-hide_banner",
                                     "-nostdin",
                                     "-nostats",
                                     "-loglevel",
                                     "error",
                                     "-progress",
                                     "pipe:1",
                                     "-stats_period",
                                     "0.25",
                                     Options.Overwrite ? "-y" : "-n"};
    auto Add = [&](const char* Flag, const std::optional<std::string>& Value,
                   const std::string& Suffix = "") {
        if (Value)
            Args.insert(Args.end(), {Flag, *Value + Suffix});
    };
    Add("-ss", Options.Start);
    // Only ever a file on this machine: without the prefix and the list, a
    // script could name a web address or another program's output instead.
    Args.insert(Args.end(), {"-protocol_whitelist", "file", "-i", "file:" + Script.SourceFile});
    if (Options.Duration)
        Args.insert(Args.end(), {"-t", std::to_string(*Options.Duration)});
    if (Options.NoVideo) {
        Args.push_back("-vn");
    } else {
        if (Options.VideoCodec)
            Args.insert(Args.end(), {"-c:v", EncoderName(*Options.VideoCodec)});
        // H.264 in the form every browser, phone and television decodes: 4:2:0
        // pixels, Main profile, level 3.1 (up to 720x576 at 30 frames a second).
        if (Options.VideoCodec == "h264")
            Args.insert(Args.end(),
                        {"-pix_fmt", "yuv420p", "-profile:v", "main", "-level:v", "3.1"});
        Add("-b:v", Options.VideoBitrate, "k");
        Add("-s", Options.Size);
        Add("-r", Options.Rate);
        Add("-aspect", Options.Aspect);
        Args.insert(Args.end(), {"-filter:v", "fps=" + Script.FrameRate});
    }
    if (Options.AudioCodec)
        Args.insert(Args.end(), {"-c:a", EncoderName(*Options.AudioCodec)});
    // ffmpeg's own AAC coder overshoots far past full scale with its default
    // search on clean tones; the fast one stays within the limiter's room.
    if (Options.AudioCodec == "aac")
        Args.insert(Args.end(), {"-aac_coder", "fast"});
    Add("-b:a", Options.AudioBitrate, "k");
    Add("-ac", Options.Channels);
    Add("-ar", Options.SampleRate);
    Args.insert(Args.end(), {"-filter:a", AudioFilter(Options)});
    // Players of MP3 and MP4 show the artist; the author is that.
    if (const auto Author = SourceTags.find("author");
        Author != SourceTags.end() && !SourceTags.contains("artist") && !IsThreeGpp(Options))
        Args.insert(Args.end(), {"-metadata", "artist=" + Author->second, "-metadata", "author="});
    // The index before the media data, so that playback over the web starts
    // before the whole file has arrived.
    if (Options.VideoCodec == "h264")
        Args.insert(Args.end(), {"-movflags", "+faststart"});
    Add("-f", Options.Format);
    Add("-target", Options.Target);
    Args.push_back("file:" + Options.OutputFile);
    return Args;
}

} // namespace evc
