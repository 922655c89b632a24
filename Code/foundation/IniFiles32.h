#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An INI file held in memory as its lines, exactly as read. Sections are found
// without regard to case, keys with regard to case; every write saves the whole
// file. One object serves one short operation on one file.
class TIniFile32 {
public:
    // Loads the file when it exists. Throws EFOpenError when it cannot be read.
    explicit TIniFile32(std::string FileName);

    std::string ReadString(const std::string& Section, const std::string& Key,
                           const std::string& Default) const;
    // Decimal, "$" hexadecimal or "0x" hexadecimal; anything else gives Default.
    int32_t ReadInteger(const std::string& Section, const std::string& Key, int32_t Default) const;

    // Set the key and save the file; throw EFCreateError when it cannot be saved
    // (the change then stays in this object only).
    void WriteString(const std::string& Section, const std::string& Key, const std::string& Value);
    void WriteInteger(const std::string& Section, const std::string& Key, int32_t Value);

    // Fills Strings with every section name in file order. Throws
    // EAssertionFailed when Strings is null.
    void ReadSections(std::vector<std::string>* Strings) const;

    // Removes the section's header and member lines and saves the file.
    void EraseSection(const std::string& Section);

    const std::string& FileName() const { return Path; }
    const std::vector<std::string>& Lines() const { return Text; }

private:
    int IndexOfSection(const std::string& Section) const;
    // Index of the first line after the header that is a header or has Key.
    size_t ScanForKey(int HeaderIndex, const std::string& Key) const;
    void LoadLines();
    void SaveLines() const;

    std::string Path;
    std::vector<std::string> Text;
};

// The line rules, shared by the lookups above.
bool IsSectionLine(const std::string& Line);
std::string KeyOfLine(const std::string& Line);
std::string ValueOfLine(const std::string& Line, const std::string& Key);

// The text split into lines at CR LF, LF or CR, ending at the first NUL; a final
// line break adds no empty line.
std::vector<std::string> SplitLines(const std::string& Content);
