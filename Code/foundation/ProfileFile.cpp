#include "ProfileFile.h"

#include "FileSystem.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

namespace {

std::string_view Trimmed(std::string_view Text) {
    const size_t First = Text.find_first_not_of(" \t");
    if (First == std::string_view::npos)
        return {};
    return Text.substr(First, Text.find_last_not_of(" \t") - First + 1);
}

std::string_view WithoutByteOrderMark(std::string_view Text) {
    constexpr std::string_view Mark = "\xEF\xBB\xBF";
    return Text.substr(0, Mark.size()) == Mark ? Text.substr(Mark.size()) : Text;
}

bool SameName(std::string_view A, std::string_view B) {
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char X, char Y) {
               return std::tolower(static_cast<unsigned char>(X)) ==
                      std::tolower(static_cast<unsigned char>(Y));
           });
}

// A line with its ending kept, so that unchanged lines go back as they came.
struct TLine {
    std::string_view Text;
    std::string_view Ending;
};

std::vector<TLine> SplitLines(std::string_view Content) {
    std::vector<TLine> Lines;
    while (!Content.empty()) {
        const size_t Break = Content.find('\n');
        const size_t End = Break == std::string_view::npos ? Content.size() : Break + 1;
        std::string_view Line = Content.substr(0, End);
        size_t EndingLength = Break == std::string_view::npos ? 0 : 1;
        if (EndingLength == 1 && Line.size() > 1 && Line[Line.size() - 2] == '\r')
            EndingLength = 2;
        Lines.push_back(
            {Line.substr(0, Line.size() - EndingLength), Line.substr(Line.size() - EndingLength)});
        Content.remove_prefix(End);
    }
    return Lines;
}

// The section's name when the line is a section header.
std::optional<std::string_view> SectionOf(std::string_view Line) {
    const std::string_view Text = Trimmed(Line);
    if (Text.size() < 2 || Text.front() != '[')
        return std::nullopt;
    const size_t Close = Text.find(']');
    if (Close == std::string_view::npos)
        return std::nullopt;
    return Trimmed(Text.substr(1, Close - 1));
}

bool IsKeyLine(std::string_view Line, std::string_view Key) {
    const size_t Equals = Line.find('=');
    return Equals != std::string_view::npos && SameName(Trimmed(Line.substr(0, Equals)), Key);
}

std::string ReadWhole(const std::string& FileName) {
    std::error_code Error;
    if (!std::filesystem::is_regular_file(FileName, Error)) // a pipe would never end
        throw EProfileWriteError(FileName);
    std::ifstream File(FileName, std::ios::binary);
    if (!File)
        throw EProfileWriteError(FileName);
    std::string Content{std::istreambuf_iterator<char>(File), {}};
    if (File.bad())
        throw EProfileWriteError(FileName);
    return Content;
}

} // namespace

void WriteProfileString(const std::string& FileName, const std::string& Section,
                        const std::string& Key, const std::string& Value) {
    const std::string Content = ReadWhole(FileName);
    const std::vector<TLine> Lines = SplitLines(Content);
    const std::string_view NewLine =
        !Lines.empty() && Lines.front().Ending == "\n" ? std::string_view("\n") : "\r\n";
    const std::string Entry = Key + "=" + Value;

    bool InSection = false, SeenSection = false, Done = false;
    size_t LastLineOfSection = std::string::npos; // where a new key goes
    std::vector<std::string> Out;
    for (const TLine& Line : Lines) {
        const bool First = &Line == &Lines.front();
        if (const auto Name = SectionOf(First ? WithoutByteOrderMark(Line.Text) : Line.Text)) {
            InSection = !SeenSection && SameName(*Name, Section); // the first one counts
            SeenSection |= InSection;
            if (InSection)
                LastLineOfSection = Out.size();
        } else if (InSection && IsKeyLine(Line.Text, Key)) {
            Out.push_back(Entry + std::string(Line.Ending));
            Done = true;
            InSection = false;
            continue;
        } else if (InSection && !Trimmed(Line.Text).empty()) {
            LastLineOfSection = Out.size();
        }
        Out.push_back(std::string(Line.Text) + std::string(Line.Ending));
    }
    if (!Done) {
        const auto EndLine = [&](size_t Index) {
            if (!Out.empty() && Index < Out.size() && Out[Index].back() != '\n')
                Out[Index] += NewLine; // the file's last line had no ending
        };
        if (LastLineOfSection != std::string::npos) {
            EndLine(LastLineOfSection);
            Out.insert(Out.begin() + static_cast<std::ptrdiff_t>(LastLineOfSection) + 1,
                       Entry + std::string(NewLine));
        } else {
            EndLine(Out.size() - 1);
            Out.push_back("[" + Section + "]" + std::string(NewLine));
            Out.push_back(Entry + std::string(NewLine));
        }
    }
    std::string Result;
    for (const std::string& Line : Out)
        Result += Line;
    try {
        ReplaceFileContent(FileName, Result);
    } catch (const std::exception&) {
        throw EProfileWriteError(FileName);
    }
}
