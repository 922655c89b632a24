#include "CommandLine.h"

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
