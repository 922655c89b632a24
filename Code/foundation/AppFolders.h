#pragma once

#include <string>
#include <string_view>

// Where the program's files are, and the one place that names them. The
// program folder holds what ships with the program and is only read: the
// program itself, its companions, the help and the default settings. The data
// folder holds what the program writes: the settings, the log, the encoder's
// script and the updater's settings. A copy that its user may change keeps
// both in one folder; an installed copy keeps its data in a folder of the user's.
struct TAppFolders {
    // Both in one folder, given with its trailing separator.
    explicit TAppFolders(std::string Folder = {});
    TAppFolders(std::string ProgramFolder, std::string DataFolder);

    // A file that ships beside the program: evc.exe, Res.dll, Help.chm, ...
    std::string ProgramFile(std::string_view Name) const;
    // The help as web pages, for desktops that cannot show Help.chm: its
    // contents, and one page of it.
    std::string HelpPages() const;
    std::string HelpPage(std::string_view Name) const;
    // The settings that ship with the program, copied for a new user.
    std::string DefaultConfigFolder() const;

    // The user's settings files, with its trailing separator.
    std::string ConfigFolder() const;
    std::string LogFile() const;
    std::string ScriptFile() const;
    std::string UpdateSettingsFile() const;
    // The source list's journal, and where one that cannot be read is set aside.
    std::string ListJournalFile() const;
    std::string SetAsideListJournalFile() const;

    std::string ProgramFolder; // with its trailing separator
    std::string DataFolder;    // with its trailing separator
};

// How the data folder was settled at start-up.
struct TDataFolderChoice {
    TAppFolders Folders;
    // Empty when the data folder is there to be written; otherwise what to
    // tell the user about it.
    std::string Problem;
};

// The user's folder for the program's data, with its trailing separator: on
// Linux Korvalin/ in XDG_DATA_HOME, or in ~/.local/share where that is unset
// or not an absolute path, so that nothing is ever written into the current
// folder. The window and the command line share it. The matching
// UserDataFolder_<platform>.cpp is chosen by the build.
std::string UserDataFolder();

// Settles the data folder: the program folder itself when this user may write
// it; otherwise UserFolder (the user's folder for the program's data, with its
// trailing separator). Looks only, and changes nothing.
TAppFolders ChooseAppFolders(const std::string& ProgramFolder, const std::string& UserFolder);

// Makes a data folder of the user's ready: creates it and its Config folder
// when missing and copies into them the shipped settings files they lack, so a
// file the user already has is never replaced. The data folder that is the
// program folder is left as it is.
TDataFolderChoice PrepareDataFolder(const TAppFolders& Folders);
