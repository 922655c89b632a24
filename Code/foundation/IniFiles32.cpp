#include "IniFiles32.h"

#include "Errors.h"
#include "FileSystem.h"
#include "StrFunc.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

bool IsSectionLine(const std::string& Line) {
    const std::string Trimmed = Trim(Line);
    return !Trimmed.empty() && Trimmed.front() == '[' && Trimmed.back() == ']';
}

std::string KeyOfLine(const std::string& Line) {
    const size_t Equals = Line.find('=');
    return Equals == std::string::npos ? std::string() : Trim(Line.substr(0, Equals));
}

std::string ValueOfLine(const std::string& Line, const std::string& Key) {
    if (Line.empty() || Key.empty())
        return std::string();
    const size_t KeyAt = Line.find(Key);
    const size_t Equals = Line.find('=');
    if (KeyAt == std::string::npos || Equals == std::string::npos || KeyAt > Equals)
        return std::string();
    return Trim(Line.substr(Equals + 1));
}

std::vector<std::string> SplitLines(const std::string& Content) {
    std::vector<std::string> Lines;
    const size_t End = std::min(Content.find('\0'), Content.size());
    for (size_t Start = 0; Start < End;) {
        const size_t Stop = std::min(Content.find_first_of("\r\n", Start), End);
        Lines.push_back(Content.substr(Start, Stop - Start));
        Start = Stop + 1;
        if (Stop < End && Content[Stop] == '\r' && Start < End && Content[Start] == '\n')
            ++Start;
    }
    return Lines;
}

TIniFile32::TIniFile32(std::string FileName) : Path(std::move(FileName)) {
    std::error_code Ignored;
    if (std::filesystem::is_regular_file(Path, Ignored))
        LoadLines();
}

int TIniFile32::IndexOfSection(const std::string& Section) const {
    const std::string Header = "[" + Section + "]";
    for (size_t I = 0; I < Text.size(); ++I) {
        if (SameText(Text[I], Header))
            return static_cast<int>(I);
    }
    return -1;
}

size_t TIniFile32::ScanForKey(int HeaderIndex, const std::string& Key) const {
    size_t I = static_cast<size_t>(HeaderIndex) + 1;
    while (I < Text.size() && !IsSectionLine(Text[I]) && KeyOfLine(Text[I]) != Key)
        ++I;
    return I;
}

std::string TIniFile32::ReadString(const std::string& Section, const std::string& Key,
                                   const std::string& Default) const {
    const int Header = IndexOfSection(Section);
    if (Header < 0)
        return Default;
    const size_t Found = ScanForKey(Header, Key);
    if (Found == Text.size() || IsSectionLine(Text[Found]))
        return Default;
    const std::string Value = ValueOfLine(Text[Found], Key);
    return Value.empty() ? Default : Value;
}

int32_t TIniFile32::ReadInteger(const std::string& Section, const std::string& Key,
                                int32_t Default) const {
    std::string Number = ReadString(Section, Key, "");
    if (Number.size() > 2 && Number[0] == '0' && (Number[1] == 'x' || Number[1] == 'X'))
        Number.replace(0, 2, "$");
    int32_t Value = 0;
    return TryStrToInt(Number, Value) ? Value : Default;
}

void TIniFile32::WriteString(const std::string& Section, const std::string& Key,
                             const std::string& Value) {
    const int Header = IndexOfSection(Section);
    if (Header < 0) {
        Text.emplace_back();
        Text.push_back("[" + Section + "]");
        if (!Key.empty())
            Text.push_back(Key + "=" + Value);
    } else if (!Key.empty()) {
        const size_t Found = ScanForKey(Header, Key);
        if (Found < Text.size() && !IsSectionLine(Text[Found]))
            Text[Found] = Key + "=" + Value;
        else
            Text.insert(Text.begin() + static_cast<std::ptrdiff_t>(Found), Key + "=" + Value);
    }
    SaveLines();
}

void TIniFile32::WriteInteger(const std::string& Section, const std::string& Key, int32_t Value) {
    WriteString(Section, Key, std::to_string(Value));
}

void TIniFile32::ReadSections(std::vector<std::string>* Strings) const {
    if (!Strings)
        throw EAssertionFailed("Param Strings must be assigned");
    Strings->clear();
    for (const std::string& Line : Text) {
        if (IsSectionLine(Line)) {
            const std::string Trimmed = Trim(Line);
            Strings->push_back(Trim(std::string_view(Trimmed).substr(1, Trimmed.size() - 2)));
        }
    }
}

void TIniFile32::EraseSection(const std::string& Section) {
    const int Header = IndexOfSection(Section);
    if (Header < 0)
        return;
    const auto First = Text.begin() + Header;
    auto Last = First + 1;
    while (Last != Text.end() && !IsSectionLine(*Last))
        ++Last;
    const auto Erased = Text.erase(First, Last);
    if (Header > 0)
        Text.emplace(Erased);
    SaveLines();
}

void TIniFile32::LoadLines() {
    std::unique_ptr<FILE, decltype(&fclose)> File(fopen(Path.c_str(), "rb"), &fclose);
    if (!File)
        throw EFOpenError(Path, SystemErrorText(errno));
    std::string Content;
    char Buffer[65536];
    while (size_t Read = fread(Buffer, 1, sizeof Buffer, File.get()))
        Content.append(Buffer, Read);
    if (ferror(File.get()))
        throw EFOpenError(Path, SystemErrorText(errno));
    Text = SplitLines(Content);
}

void TIniFile32::SaveLines() const {
    std::string Content;
    for (const std::string& Line : Text)
        Content += Line + "\r\n";
    ReplaceFileContent(Path, Content);
}
