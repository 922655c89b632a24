#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace evc {

// A command line or script that evc refuses; the text says why.
class ECommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The options of one encoder run, as given on the command line.
struct TEncodeOptions {
    bool Overwrite = false; // -y
    bool NoVideo = false;   // -vn
    std::string ScriptFile; // -i
    std::optional<std::string> VideoCodec, AudioCodec, VideoBitrate, AudioBitrate, Size, Rate,
        Aspect, Volume, Channels, SampleRate, Format, Start, Target;
    std::optional<long> Duration; // -t, whole seconds
    std::string OutputFile;       // the last argument
};

// Reads the arguments after the program name. Throws ECommandError for an
// unknown option, a missing value, a value evc cannot use or a missing output.
TEncodeOptions ParseArguments(const std::vector<std::string>& Arguments);

// What the script names: the source and the constant frame rate to convert it to.
struct TScriptSource {
    std::string SourceFile;
    std::string FrameRate;
};

// Understands one line of the form
//   DirectShowSource("path", fps=29.97, convertfps=true)
// Throws ECommandError for anything else.
TScriptSource ParseScript(const std::string& Text);

// Reads and parses the script file; throws ECommandError when it cannot.
TScriptSource ReadScript(const std::string& ScriptFile);

// The source's tags by lower-case name ("title", "author", ...).
using TSourceTags = std::map<std::string, std::string>;

// The ffmpeg arguments (program name first) that carry out the run, reporting
// progress as key=value lines on its standard output. The sound is brought to
// the output's rate and channels, given its volume and then limited to just
// below full scale; the source's tags are carried over in the form the output
// type's players read.
std::vector<std::string> FfmpegArguments(const TEncodeOptions& Options, const TScriptSource& Script,
                                         const TSourceTags& SourceTags = {});

} // namespace evc
