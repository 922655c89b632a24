// The encoder's command line and script reader on arbitrary input: each piece
// of text is accepted or refused with ECommandError, never a crash, and what
// is accepted always makes an ffmpeg command.
#include "EncoderCommand.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string Input(reinterpret_cast<const char*>(Data), Size);
    evc::TScriptSource Script{"/a.rm", "25"};
    try {
        Script = evc::ParseScript(Input);
    } catch (const evc::ECommandError&) {
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
