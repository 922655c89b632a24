#include "ConvertRequest.h"

#include "OptionChoice.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <regex>

namespace {

constexpr std::array<std::string_view, ConfigInfo::OutputTypeCount> TypeNames = {
    "3gp", "mp4", "psp", "ipod", "mp3", "h264"};
constexpr std::array<std::string_view, 5> QualityNames = {"low", "acceptable", "normal",
                                                          "excellent", "superb"};

template <size_t N>
int IndexOf(const std::array<std::string_view, N>& Names, const std::string& Value,
            const std::string& Option) {
    const auto Found = std::find(Names.begin(), Names.end(), Value);
    if (Found != Names.end())
        return static_cast<int>(Found - Names.begin());
    std::string Allowed;
    for (const std::string_view Name : Names)
        Allowed += (Allowed.empty() ? "" : ", ") + std::string(Name);
    throw EUsageError(Option + " cannot be '" + Value + "'; it may be one of: " + Allowed);
}

long long PositiveNumber(const std::string& Value, const std::string& Option) {
    long long Number = 0;
    const auto [End, Error] = std::from_chars(Value.data(), Value.data() + Value.size(), Number);
    if (Error != std::errc() || End != Value.data() + Value.size() || Number < 1)
        throw EUsageError(Option + " needs a whole number from 1 on, not '" + Value + "'");
    return Number;
}

std::string TimeText(const std::string& Value, const std::string& Option) {
    static const std::regex Time("[0-9]{2,}:[0-5][0-9]:[0-5][0-9]");
    if (!std::regex_match(Value, Time))
        throw EUsageError(Option + " needs a time as hh:mm:ss, not '" + Value + "'");
    return Value;
}

const TOptionField* OverrideField(const std::string& Name) {
    for (const TOptionField& Field : OptionFields())
        if ("--" + std::string(Field.Name) == Name)
            return &Field;
    return nullptr;
}

// Hands out the arguments one by one, and an option's value whether it came
// as "--name value", "--name=value", "-n value" or "-nvalue".
class TArgumentReader {
public:
    explicit TArgumentReader(const std::vector<std::string>& Arguments) : Arguments(Arguments) {}
    // False at the end. After "--", which it passes over, every argument is an input.
    bool Next(std::string& Argument) {
        if (!Ended && Index < Arguments.size() && Arguments[Index] == "--") {
            Ended = true;
            ++Index;
        }
        if (Index == Arguments.size())
            return false;
        Argument = Arguments[Index++];
        Attached.reset();
        if (IsInput(Argument))
            return true;
        if (const size_t Equals = Argument.find('=');
            Argument.starts_with("--") && Equals != std::string::npos) {
            Attached = Argument.substr(Equals + 1);
            Argument.resize(Equals);
        } else if (Argument.size() > 2 && Argument[0] == '-' && Argument[1] != '-') {
            Attached = Argument.substr(2); // -j4, as short options are written
            Argument.resize(2);
        }
        return true;
    }
    std::string Value(const std::string& Option) {
        if (Attached)
            return *std::exchange(Attached, std::nullopt);
        if (Index == Arguments.size())
            throw EUsageError(Option + " needs a value");
        return Arguments[Index++];
    }
    bool IsInput(const std::string& Argument) const {
        return Ended || Argument == "-" || !Argument.starts_with('-');
    }
    void RejectAttachedValue(const std::string& Option) const {
        if (Attached)
            throw EUsageError(Option + " takes no value");
    }

private:
    const std::vector<std::string>& Arguments;
    size_t Index = 0;
    bool Ended = false;
    std::optional<std::string> Attached;
};

void CheckCombination(const TConvertRequest& Request, bool QualityGiven) {
    if (Request.ShowHelp || Request.ShowVersion)
        return;
    if (Request.OutputType < 0)
        throw EUsageError("--type is missing: 3gp, mp4, psp, ipod, mp3 or h264");
    if (QualityGiven && !Request.Profile.empty())
        throw EUsageError("--quality and --profile cannot be given together");
    if (Request.ListIndex && !Request.ListFile)
        throw EUsageError("--index needs --list");
    if (Request.ListIndex && !Request.Inputs.empty())
        throw EUsageError("--index picks from the list alone; give no files or folders with it");
    if (!Request.StartTime.empty() && !Request.EndTime.empty() &&
        SecondsOfTimeText(Request.EndTime) <= SecondsOfTimeText(Request.StartTime))
        throw EUsageError("--end must come after --start");
}

} // namespace

TConvertRequest ParseConvertArguments(const std::vector<std::string>& Arguments) {
    TConvertRequest Request;
    TArgumentReader Reader(Arguments);
    bool QualityGiven = false;
    std::string Argument;
    while (Reader.Next(Argument)) {
        if (Reader.IsInput(Argument)) {
            Request.Inputs.push_back(Argument);
        } else if (Argument == "-h" || Argument == "--help" || Argument == "--version") {
            Reader.RejectAttachedValue(Argument);
            (Argument == "--version" ? Request.ShowVersion : Request.ShowHelp) = true;
        } else if (Argument == "-t" || Argument == "--type") {
            Request.TypeName = Reader.Value(Argument);
            Request.OutputType = IndexOf(TypeNames, Request.TypeName, "--type");
        } else if (Argument == "-q" || Argument == "--quality") {
            Request.Quality = IndexOf(QualityNames, Reader.Value(Argument), "--quality");
            QualityGiven = true;
        } else if (Argument == "--profile") {
            Request.Profile = Reader.Value(Argument);
        } else if (const TOptionField* Field = OverrideField(Argument)) {
            TOptionSelection Check; // refused here, before anything is touched
            try {
                OverrideOption(Check, *Field, Reader.Value(Argument));
            } catch (const std::invalid_argument& Error) {
                throw EUsageError(Error.what());
            }
            Request.Overrides.emplace_back(Field->Name, EntryWord(Check.*Field->Field));
        } else if (Argument == "--start" || Argument == "--end") {
            (Argument == "--start" ? Request.StartTime : Request.EndTime) =
                TimeText(Reader.Value(Argument), Argument);
        } else if (Argument == "-o" || Argument == "--output") {
            Request.OutputFolder = Reader.Value(Argument);
        } else if (Argument == "-j" || Argument == "--jobs") {
            Request.Jobs = static_cast<int>(
                std::min<long long>(PositiveNumber(Reader.Value(Argument), "--jobs"), 1024));
        } else if (Argument == "--record") {
            Request.RecordFile = Reader.Value(Argument);
        } else if (Argument == "--progress") {
            constexpr std::array<std::string_view, 4> Styles = {"auto", "bar", "json", "none"};
            Request.Progress =
                static_cast<TProgressStyle>(IndexOf(Styles, Reader.Value(Argument), "--progress"));
        } else if (Argument == "--list") {
            Request.ListFile = Reader.Value(Argument);
        } else if (Argument == "--index") {
            Request.ListIndex = PositiveNumber(Reader.Value(Argument), "--index");
        } else {
            throw EUsageError("unknown option '" + Argument + "'");
        }
    }
    CheckCombination(Request, QualityGiven);
    return Request;
}

TOptionSelection SelectionOf(const TConvertRequest& Request, const std::string& ProfileTuple) {
    TOptionSelection Selection = SelectionFor(Request.OutputType, Request.Quality, ProfileTuple);
    for (const auto& [Name, Value] : Request.Overrides)
        OverrideOption(Selection, *OverrideField("--" + Name), Value);
    return Selection;
}

std::string ConvertUsage() {
    return R"(Usage: korvalin-convert --type TYPE [OPTION]... [FILE | FOLDER]...
Converts RealMedia files (.rm, .rmvb) as Korvalin does, without a window.

  -t, --type TYPE         3gp, mp4, psp, ipod, mp3 or h264 (H.264 in MP4, which
                          browsers, phones and televisions play)
  -q, --quality Q         low, acceptable, normal (the default), excellent, superb
      --profile NAME      a custom profile saved in Korvalin's Options dialog,
                          applied over the type's normal quality
      --size WxH, --video-bitrate KBITS, --fps RATE, --aspect RATIO,
      --audio-bitrate KBITS, --sample-rate HZ, --channels 1|2, --volume PERCENT
                          set one option; the values are those of the Options dialog
      --start hh:mm:ss    convert from this time on (default: the start)
      --end hh:mm:ss      convert up to this time (default: the end)
  -o, --output DIR        the output folder, made when missing (default: .)
  -j, --jobs N            files converted at once (default: one per core)
      --record FILE       the record, one JSON line a file
                          (default: DIR/korvalin-convert.jsonl)
      --progress STYLE    auto, bar, json or none (auto: bars on a terminal,
                          otherwise one line a file)
      --list FILE         convert the paths in FILE, one a line (- for standard input)
      --index N           convert only the N-th path of the list (from 1)
  -h, --help              show this text
      --version           show the versions of korvalin-convert, evc.exe and ffmpeg

Folders are searched with their sub-folders for .rm and .rmvb files. A file
whose output the record shows as made from the same source with the same
settings, and still there unchanged, is skipped; no other file is overwritten.

Exit status: 0 all converted or already done, 1 a file failed or came out
incomplete, 2 the command line cannot be carried out, 130 or 143 stopped by
SIGINT or SIGTERM.
)";
}
