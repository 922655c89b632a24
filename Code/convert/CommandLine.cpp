#include "CommandLine.h"

#include <algorithm>

std::vector<std::string> SplitCommandLine(std::string_view CommandLine) {
    std::vector<std::string> Words;
    std::string Word;
    bool InWord = false, Quoted = false;
    for (const char C : CommandLine) {
        if (C == '"') {
            Quoted = !Quoted;
            InWord = true;
        } else if ((C == ' ' || C == '\t') && !Quoted) {
            if (InWord)
                Words.push_back(std::move(Word));
            Word.clear();
            InWord = false;
        } else {
            Word += C;
            InWord = true;
        }
    }
    if (InWord)
        Words.push_back(std::move(Word));
    return Words;
}

std::vector<std::string> ResolveCommandLine(std::string_view CommandLine,
                                            bool (*IsProgram)(const std::string& Path)) {
    const auto IsBlank = [](char C) { return C == ' ' || C == '\t'; };
    const size_t Start = CommandLine.find_first_not_of(" \t");
    if (Start == std::string_view::npos || CommandLine[Start] == '"')
        return SplitCommandLine(CommandLine);
    const std::string_view Line = CommandLine.substr(Start);
    const size_t Unquoted = std::min(Line.find('"'), Line.size());
    for (size_t End = 1; End <= Unquoted; ++End) {
        const bool WordEnds = End == Unquoted || (IsBlank(Line[End]) && !IsBlank(Line[End - 1]));
        if (!WordEnds || !IsProgram(std::string(Line.substr(0, End))))
            continue;
        std::vector<std::string> Words{std::string(Line.substr(0, End))};
        for (std::string& Word : SplitCommandLine(Line.substr(End)))
            Words.push_back(std::move(Word));
        return Words;
    }
    return SplitCommandLine(CommandLine);
}
