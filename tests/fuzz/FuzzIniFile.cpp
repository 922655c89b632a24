// Loads arbitrary bytes as an INI file and works on it: no crash, a key just
// written reads back, and the saved file loads to the same lines.
#include "IniFiles32.h"
#include "StrFunc.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// The file each input is written to, removed when the fuzzer ends.
struct TScratchFile {
    std::string Path = "/tmp/korvalin-fuzz-" + std::to_string(getpid()) + ".ini";
    ~TScratchFile() { std::remove(Path.c_str()); }
};

const std::string& ScratchFile() {
    static const TScratchFile File;
    return File.Path;
}

// A line of the input, used as a section, key or value name.
std::string TakeLine(std::string& Text) {
    const size_t End = Text.find_first_of(std::string("\r\n\0", 3));
    std::string Line = Text.substr(0, End);
    Text.erase(0, End == std::string::npos ? Text.size() : End + 1);
    return Line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    std::string Input(reinterpret_cast<const char*>(Data), Size);
    const std::string Section = TakeLine(Input);
    const std::string Key = Trim(TakeLine(Input));
    const std::string Value = Trim(TakeLine(Input));
    std::ofstream(ScratchFile(), std::ios::binary | std::ios::trunc) << Input;

    TIniFile32 Ini(ScratchFile());
    std::vector<std::string> Sections;
    Ini.ReadSections(&Sections);
    for (const std::string& Name : Sections)
        Ini.ReadInteger(Name, Key, 0);

    const bool Readable = !Key.empty() && Key.find('=') == std::string::npos && !Value.empty() &&
                          !IsSectionLine(Key + "=" + Value);
    Ini.WriteString(Section, Key, Value);
    if (Readable && Ini.ReadString(Section, Key, "") != Value)
        std::abort();
    if (TIniFile32(ScratchFile()).Lines() != Ini.Lines())
        std::abort();
    Ini.EraseSection(Section);
    return 0;
}
