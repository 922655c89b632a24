#include "ConvertParameter.h"

#include "AppFunc.h"
#include "FileFunc.h"
#include "FileSystem.h"
#include "Paths.h"
#include "StrFunc.h"
#include "Unit_ConfigInfo.h"

#include <filesystem>

namespace {

// The piece for one option: Flag + Value, or Fallback when nothing is selected.
std::string OptionPiece(const char* Flag, const std::string& Value, const char* Fallback) {
    return Value.empty() ? Fallback : Flag + Value;
}

// The output type's column entry, or the empty text when no valid type is selected.
std::string ColumnOf(std::span<const std::string_view> Column, int OutputType) {
    const bool Valid = OutputType >= 0 && static_cast<size_t>(OutputType) < Column.size();
    return Valid ? std::string(Column[static_cast<size_t>(OutputType)]) : std::string();
}

// The last row whose path matches the source, ignoring ASCII case.
const TSourceRow* LastRowOf(const std::string& SourceFile, std::span<const TSourceRow> Rows) {
    const TSourceRow* Found = nullptr;
    for (const TSourceRow& Row : Rows) {
        if (SameAsciiText(Row.SourceFileName, SourceFile))
            Found = &Row;
    }
    return Found;
}

// The option pieces of the command's form; false when they form no command.
bool CommandPieces(const TConvertParameters& P, std::string& Pieces) {
    switch (CommandFormOf(P)) {
    case TCommandForm::Video:
        Pieces = P.CodecParam + P.VideoBitrateParam + P.VideoSizeParam + P.FramerateParam +
                 P.AspectParam + P.AudioBitrateParam + P.VolumeParam + P.ChannelsParam +
                 P.SampleParam + P.FormatParam + P.CutParam;
        return true;
    case TCommandForm::PhoneAudio:
        Pieces = P.CodecParam + P.VideoSizeParam + P.VideoBitrateParam + P.AudioBitrateParam +
                 P.VolumeParam + PhoneAudioPieces + P.FormatParam + P.CutParam;
        return true;
    case TCommandForm::Audio:
        Pieces = P.CodecParam + P.AudioBitrateParam + P.VolumeParam + P.ChannelsParam +
                 P.SampleParam + P.FormatParam + P.CutParam;
        return true;
    case TCommandForm::Target:
        Pieces = P.CodecParam + P.CutParam;
        return true;
    case TCommandForm::None:
        return false;
    }
    return false;
}

} // namespace

TCommandForm CommandFormOf(const TConvertParameters& P) {
    const std::string Codec = Trim(P.CodecParam).substr(0, 7);
    if (Codec == "-vcodec")
        return TCommandForm::Video;
    if (Codec == "-acodec")
        return P.OutputExt == ".3gp" || P.OutputExt == ".3g2" || P.OutputExt == ".amr"
                   ? TCommandForm::PhoneAudio
                   : TCommandForm::Audio;
    return Codec == "-target" ? TCommandForm::Target : TCommandForm::None;
}

void ReadOptionPieces(const TOptionSelection& Options, TConvertParameters& Params) {
    const std::string CodecArgs = ColumnOf(ConfigInfo::cstCodecArgs, Options.OutputType);
    Params.CodecParam = OptionPiece(" ", CodecArgs, " -vcodec xvid -acodec mp3");
    Params.VideoBitrateParam = OptionPiece(" -b ", Options.VideoBitrate, " -b 512");
    Params.VideoSizeParam = OptionPiece(" -s ", Options.VideoSize, " -s 320x240");
    Params.FramerateParam = OptionPiece(" -r ", Options.Framerate, " -r 25");
    Params.AspectParam = OptionPiece(" -aspect ", Options.Aspectratio, " -aspect 4:3");
    Params.AudioBitrateParam = OptionPiece(" -ab ", Options.AudioBitrate, " -ab 64");
    Params.VolumeParam = OptionPiece(" -vol ", Options.AudioVolumeGain, " ");
    Params.ChannelsParam = OptionPiece(" -ac ", Options.AudioChannels.substr(0, 1), " -ac 2");
    Params.SampleParam = OptionPiece(" -ar ", Options.AudioSample, " -ar 44100");
    const std::string Format = ColumnOf(ConfigInfo::cstFileFormats, Options.OutputType);
    Params.FormatParam = Format.empty() || Format == "none" ? std::string() : " -f " + Format;
    Params.OutputExt = ColumnOf(ConfigInfo::cstFileExts, Options.OutputType);
    if (Params.OutputExt.empty())
        Params.OutputExt = ".avi";
}

EUnsafeSourcePath::EUnsafeSourcePath(const std::string& Path)
    : std::runtime_error("The file name \"" + Path +
                         "\" holds a double quote or a line break and cannot be converted.") {}

bool IsSafeSourcePath(const std::string& Path) {
    return Path.find_first_of(std::string("\"\r\n\0", 4)) == std::string::npos;
}

long long SecondsOfTimeText(const std::string& Text) {
    const std::vector<std::string> Parts = SplitString(Text, ':');
    if (Parts.size() != 3)
        return 0;
    long long Seconds = 0;
    for (const std::string& Part : Parts) {
        int32_t Value = 0;
        if (!TryDecimalToInt(Part, Value))
            return 0;
        Seconds = Seconds * 60 + Value;
    }
    return Seconds;
}

std::string GetStartTime(const std::string& SourceFile, const TConvertInputs& Inputs) {
    std::string StartTime;
    for (const TSourceRow& Row : Inputs.Rows) {
        if (SameAsciiText(Row.SourceFileName, SourceFile)) {
            StartTime = Row.StartTime;
            if (Inputs.ApplyCustomProfile)
                Inputs.ApplyCustomProfile();
        }
    }
    return StartTime;
}

long long CutSecondsOf(const TSourceRow& Row) {
    return SecondsOfTimeText(Row.EndTime) - SecondsOfTimeText(Row.StartTime);
}

long long GetCutSeconds(const std::string& SourceFile, std::span<const TSourceRow> Rows) {
    const TSourceRow* Row = LastRowOf(SourceFile, Rows);
    return Row ? CutSecondsOf(*Row) : 0;
}

std::string GetCutDuration(const std::string& SourceFile, std::span<const TSourceRow> Rows) {
    return LastRowOf(SourceFile, Rows) ? std::to_string(GetCutSeconds(SourceFile, Rows))
                                       : std::string();
}

std::string GetOutputFolder(const std::string& FolderText, const TAppFunc& AppFunc) {
    std::string Folder = FolderText;
    if (Folder.empty() || Folder.back() != PathDelim)
        Folder += PathDelim;
    std::error_code Error;
    std::filesystem::create_directories(Folder, Error);
    const bool Exists = std::filesystem::is_directory(Folder, Error);
    AppFunc.TryWriteLog((Exists ? "Output directory " : "Output directory error. ->") + Folder);
    return Folder;
}

std::string CreateConvertParameter(const std::string& SourceFile, const TConvertInputs& Inputs,
                                   const TConvertServices& Services, TConvertParameters& Params,
                                   TTrimValues& TrimValues) {
    if (!IsSafeSourcePath(SourceFile))
        throw EUnsafeSourcePath(SourceFile);

    TrimValues.StartTime = GetStartTime(SourceFile, Inputs);
    TrimValues.CutDuration = GetCutDuration(SourceFile, Inputs.Rows);
    Params.CutParam = TrimValues.StartTime.empty() || TrimValues.CutDuration.empty()
                          ? std::string()
                          : " -ss " + TrimValues.StartTime + " -t " + TrimValues.CutDuration;

    Params.EncoderFile = Services.AppFunc.Folders().ProgramFile("evc.exe");
    Params.SourceFile = SourceFile;
    const TOptionSelection Options = Inputs.ReadOptions ? Inputs.ReadOptions() : TOptionSelection();
    ReadOptionPieces(Options, Params);

    Params.OutputFolder = GetOutputFolder(Inputs.OutputFolderText, Services.AppFunc);
    Params.OutputName = Services.FileFunc.FileBaseName(SourceFile);

    ReplaceFileContent(Services.AppFunc.Folders().ScriptFile(),
                       "DirectShowSource(\"" + SourceFile +
                           "\", fps=29.9700898503294, convertfps=true)\r\n");

    return AssembleCommand(Params, Services);
}

std::string AssembleCommand(const TConvertParameters& Params, const TConvertServices& Services) {
    std::string Pieces;
    if (!CommandPieces(Params, Pieces)) {
        if (Trim(Params.CodecParam).starts_with("-none"))
            Services.AppFunc.TryWriteLog("Create convert parameter failure.");
        return std::string();
    }
    const std::string OutputPath = Services.FileFunc.UniqueFileName(
        Params.OutputFolder + Params.OutputName + Params.OutputExt);
    return Params.EncoderFile + " -y -i \"" + Services.AppFunc.Folders().ScriptFile() + "\"" +
           Pieces + " \"" + OutputPath + "\"";
}
