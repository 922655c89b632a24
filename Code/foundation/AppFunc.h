#pragma once

#include <string>

// The program folder and the log file beside the executable.
class TAppFunc {
public:
    // Uses the folder of the running executable.
    TAppFunc();
    // Uses the given folder (with its trailing separator) in place of it.
    explicit TAppFunc(std::string ProgramFolder);

    // Appends one line "Quorvane <short date> <long time>|<message>" with CR LF to
    // log.txt in the program folder, opening and closing the file for this line.
    // Throws EInOutError when the file cannot be opened or written.
    void WriteLog(const std::string& Message) const;

    // The program folder, ending with the folder separator.
    const std::string& AppFolder() const { return Folder; }

private:
    std::string Folder;
};
