// The encoder's command line and script reader on arbitrary input: each piece
// of text is accepted or refused with ECommandError, never a crash or a hang,
// and what is accepted always makes an ffmpeg command. The script reader is
// also handed paths that are not plain files.
#include "EncoderCommand.h"
#include "LocalFile.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

// A folder of its own for the run, holding a pipe nobody writes, a folder and
// the script file each input is written to; removed when the run ends.
class TRunFolder {
public:
    TRunFolder() {
        std::string Pattern =
            (std::filesystem::temp_directory_path() / "korvalin-fuzz-XXXXXX").string();
        Path = mkdtemp(Pattern.data()) + std::string("/");
        mkfifo((Path + "pipe.avs").c_str(), 0600);
        std::filesystem::create_directory(Path + "folder.avs");
    }
    ~TRunFolder() { std::filesystem::remove_all(Path); }
    std::string Path;
};

const std::string& RunFolder() {
    static const TRunFolder Folder;
    return Folder.Path;
}

// The input's length chooses where the script is read from; a regular file holds the input.
std::string ScriptPathFor(const std::string& Input) {
    const std::string Special[] = {"pipe.avs",     "folder.avs", "/dev/zero",
                                   "/dev/urandom", "/dev/null",  "missing.avs"};
    const size_t Choice = Input.size() % 8;
    if (Choice < std::size(Special))
        return Special[Choice][0] == '/' ? Special[Choice] : RunFolder() + Special[Choice];
    std::ofstream(RunFolder() + "script.avs", std::ios::binary) << Input;
    return RunFolder() + "script.avs";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string Input(reinterpret_cast<const char*>(Data), Size);
    evc::TScriptSource Script{"/a.rm", "25"};
    bool Parsed = false;
    try {
        Script = evc::ParseScript(Input);
        Parsed = true;
    } catch (const evc::ECommandError&) {
    }
    // Only a regular file is read, and then exactly as its text is parsed.
    const std::string ScriptPath = ScriptPathFor(Input);
    const bool Readable = ScriptPath == RunFolder() + "script.avs" && Size <= evc::MaxScriptBytes;
    try {
        const evc::TScriptSource Read = evc::ReadScript(ScriptPath);
        if (!Readable || Read.SourceFile != Script.SourceFile)
            __builtin_trap();
    } catch (const evc::ECommandError&) {
        if (Readable && Parsed)
            __builtin_trap();
    }
    std::vector<std::string> Arguments(1); // NUL separates the arguments
    for (const char Character : Input) {
        if (Character == '\0')
            Arguments.emplace_back();
        else
            Arguments.back() += Character;
    }
    try {
        const std::vector<std::string> Command =
            evc::FfmpegArguments(evc::ParseArguments(Arguments), Script);
        if (Command.empty())
            __builtin_trap();
    } catch (const evc::ECommandError&) {
    }
    return 0;
}
