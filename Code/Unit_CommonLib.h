#pragma once

#include "ConvertParameter.h"
#include "UserDialogs.h"

#include <QString>
#include <QStringList>
#include <string>

class ISystemActions;

// Common operations of the windows: message boxes, the stored custom profiles,
// the output folder choice, and the parameters of the file being converted.
class TCommonLib {
public:
    TCommonLib(const std::string& ProgramFolder, IUserDialogs& Dialogs, ISystemActions& System);

    // The current conversion parameters; AppPath is the program folder.
    TConvertParameters Params;

    // The Config folder beside the program, with its trailing separator.
    std::string ConfigFolder() const;

    // A message box captioned with the application title: kind 0 error,
    // 1 warning, 2 question, 3 information; any other kind shows nothing.
    // True when a box was shown and closed.
    bool ShowMessageBox(const QString& Text, int Kind) const;

    // The profile names of a file in the Config folder, in file order.
    QStringList GetCustomProfileNames(const QString& FileName) const;
    // The stored tuple of a profile, empty when there is none.
    QString ReadCustomProfile(const QString& FileName, const QString& ProfileName) const;

    // Asks for an output folder and returns it when it is usable; otherwise
    // warns and returns CurrentFolder. The returned folder is created when missing.
    QString SelectOutputFolder(const QString& CurrentFolder) const;
    // The folder browser: true, with Selected set, when a folder was chosen.
    bool BrowseForFolder(const QString& Title, QString& Selected) const;

    IUserDialogs& Dialogs;
    ISystemActions& System;
};
