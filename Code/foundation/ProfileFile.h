#pragma once

#include <stdexcept>
#include <string>

// A settings file of another program could not be changed.
class EProfileWriteError : public std::runtime_error {
public:
    explicit EProfileWriteError(const std::string& FileName)
        : std::runtime_error("Unable to write to " + FileName) {}
};

// Sets Key to Value in Section of an existing settings file that another
// program owns, keeping every other line byte for byte: the key's line is
// replaced where the section has it (names compare without regard to ASCII
// case), added after the section's last line otherwise, and a missing section
// is added at the end. New lines end like the file's first line. Throws
// EProfileWriteError when the file cannot be read or written.
void WriteProfileString(const std::string& FileName, const std::string& Section,
                        const std::string& Key, const std::string& Value);
