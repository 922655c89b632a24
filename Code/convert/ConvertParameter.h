#pragma once

#include <functional>
#include <span>
#include <stdexcept>
#include <string>

class TAppFunc;
class TFileFunc;

// What the command builder reads of one source-list row: the full path and the
// start and end time texts (hh:mm:ss).
struct TSourceRow {
    std::string SourceFileName;
    std::string StartTime;
    std::string EndTime;
};

// The encoding options as the controls show them: the entry index of the output
// type (-1 when none is selected) and the selected text of each option list
// (empty when none is selected).
struct TOptionSelection {
    int OutputType = -1;
    std::string VideoSize, VideoBitrate, Framerate, Aspectratio;
    std::string AudioBitrate, AudioSample, AudioChannels, AudioVolumeGain;
};

// The pieces of the encoder command for the file being converted. Every ...Param
// is empty or starts with a blank, so the command is their plain concatenation.
struct TConvertParameters {
    std::string EncoderFile, SourceFile;
    std::string CodecParam, VideoBitrateParam, VideoSizeParam, FramerateParam, AspectParam;
    std::string AudioBitrateParam, VolumeParam, ChannelsParam, SampleParam, FormatParam, CutParam;
    std::string OutputFolder, OutputName, OutputExt;
};

// The trim range of the file being converted: its start time text and the
// length to convert in whole seconds.
struct TTrimValues {
    std::string StartTime;
    std::string CutDuration;
};

// What the builder asks of the windows. The custom profile is applied again for
// every row of the file before the options are read, so the options are read
// through a call, after that.
struct TConvertInputs {
    std::span<const TSourceRow> Rows;
    std::string OutputFolderText;
    std::function<void()> ApplyCustomProfile;
    std::function<TOptionSelection()> ReadOptions;
};

// The helpers the builder logs and names files through; the encoder and the
// script are found through the program's folders.
struct TConvertServices {
    const TAppFunc& AppFunc;
    TFileFunc& FileFunc;
};

// A source path that cannot travel safely through the script and command line.
class EUnsafeSourcePath : public std::runtime_error {
public:
    explicit EUnsafeSourcePath(const std::string& Path);
};

// True when the path holds no double quote, line break or NUL.
bool IsSafeSourcePath(const std::string& Path);

// Builds the encoder command for one source file: re-applies the custom profile,
// works out the trim range, creates the output folder, writes the script and
// picks a free output name. Returns the command line, or an empty text when the
// output type's codec arguments form no command. Throws EFCreateError when the
// script cannot be written and EUnsafeSourcePath for a path it cannot quote.
std::string CreateConvertParameter(const std::string& SourceFile, const TConvertInputs& Inputs,
                                   const TConvertServices& Services, TConvertParameters& Params,
                                   TTrimValues& TrimValues);

// The steps of CreateConvertParameter that stand on their own. AssembleCommand
// chooses the command form by the codec arguments and picks the free output name.
// ReadOptionPieces fills the option pieces and the extension from a selection,
// each with its fallback when nothing is selected.
void ReadOptionPieces(const TOptionSelection& Options, TConvertParameters& Params);
// The command's forms: video and sound; sound for phones, always mono at
// 8000 Hz (PhoneAudioPieces); sound; a target preset; or no command.
enum class TCommandForm { Video, PhoneAudio, Audio, Target, None };
inline constexpr const char* PhoneAudioPieces = " -ac 1 -ar 8000";
TCommandForm CommandFormOf(const TConvertParameters& Params);
std::string AssembleCommand(const TConvertParameters& Params, const TConvertServices& Services);
std::string GetStartTime(const std::string& SourceFile, const TConvertInputs& Inputs);
std::string GetCutDuration(const std::string& SourceFile, std::span<const TSourceRow> Rows);
// End minus start of a row in whole seconds.
long long CutSecondsOf(const TSourceRow& Row);
// The same of the last row of the file (ignoring ASCII case); 0 when no row has it.
long long GetCutSeconds(const std::string& SourceFile, std::span<const TSourceRow> Rows);
std::string GetOutputFolder(const std::string& FolderText, const TAppFunc& AppFunc);

// Whole seconds of an hh:mm:ss text; a text that does not split into exactly
// three integers counts as 0.
long long SecondsOfTimeText(const std::string& Text);
