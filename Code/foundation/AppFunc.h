#pragma once

#include "AppFolders.h"

#include <string>

// The program folder and the log file.
class TAppFunc {
public:
    // Uses the folder of the running executable for everything.
    TAppFunc();
    // Uses the given folders in place of it.
    explicit TAppFunc(TAppFolders Folders);
    // Uses the given folder (with its trailing separator) for everything.
    explicit TAppFunc(std::string Folder);

    // Appends one line "Quorvane <short date> <long time>|<message>" with CR LF to
    // log.txt in the data folder, opening and closing the file for this line.
    // Throws EInOutError when the file cannot be opened or written.
    void WriteLog(const std::string& Message) const;
    // The same, for lines that must not stop the work they tell of: a log that
    // cannot be written is passed over.
    void TryWriteLog(const std::string& Message) const noexcept;

    // The program folder, ending with the folder separator.
    const std::string& AppFolder() const { return Where.ProgramFolder; }
    const TAppFolders& Folders() const { return Where; }

private:
    TAppFolders Where;
};
