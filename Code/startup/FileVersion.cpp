#include "FileVersion.h"

#include "StrFunc.h"

#include <charconv>
#include <cstdio>
#include <map>
#include <vector>

namespace {

std::map<std::string, std::string> NamedValues(const std::string& Block) {
    std::map<std::string, std::string> Values;
    size_t Position = 0;
    const auto Next = [&](std::string& Text) {
        const size_t End = Block.find('\0', Position);
        if (End == std::string::npos)
            return false;
        Text = Block.substr(Position, End - Position);
        Position = End + 1;
        return true;
    };
    for (std::string Name, Value; Next(Name) && !Name.empty() && Next(Value);)
        Values.emplace(Name, Value);
    return Values;
}

} // namespace

std::string GetFileVersionText(const std::string& Path) {
    const std::optional<std::string> Block = ReadVersionBlock(Path);
    return Block ? FileVersionOfBlock(*Block) : std::string();
}

std::string GetFullFileVersion(const std::string& Path) {
    const std::optional<std::string> Block = ReadVersionBlock(Path);
    return Block ? FullFileVersionOfBlock(*Block) : std::string();
}

std::string FullFileVersionOfBlock(const std::string& Block) {
    const std::map<std::string, std::string> Values = NamedValues(Block);
    const auto Translation = Values.find("\\VarFileInfo\\Translation");
    if (Translation == Values.end() || Translation->second.size() != 8)
        return {};
    const std::string& Hex = Translation->second;
    unsigned long Entry = 0;
    if (std::from_chars(Hex.data(), Hex.data() + Hex.size(), Entry, 16).ptr != Hex.data() + 8)
        return {};
    char Name[64];
    std::snprintf(Name, sizeof Name, "\\StringFileInfo\\%.04lX%.04lX\\FileVersion", Entry & 0xFFFF,
                  (Entry >> 16) & 0xFFFF);
    const auto FileVersion = Values.find(Name);
    return FileVersion == Values.end() ? std::string() : FileVersion->second;
}

std::string FileVersionOfBlock(const std::string& Block) {
    const std::string FileVersion = FullFileVersionOfBlock(Block);
    std::vector<std::string> Pieces;
    SplitText(FileVersion, '.', Pieces);
    if (Pieces.size() < 2) // no minor number: the version as it stands
        return FileVersion;
    return Pieces[0] + "." + Pieces[1];
}
