#pragma once

#include "AppFolders.h"
#include "ConvertParameter.h"
#include "ProcessControl.h"
#include "UserDialogs.h"

#include <QString>
#include <QStringList>
#include <string>

class IDurationProber;
class ISystemActions;
class TSourceListView;

// Common operations of the windows: message boxes, the stored custom profiles,
// the output folder choice, adding source files, and the parameters of the
// file being converted.
class TCommonLib {
public:
    TCommonLib(const TAppFolders& Folders, IUserDialogs& Dialogs, ISystemActions& System,
               const IDurationProber& Prober);

    // The current conversion parameters.
    TConvertParameters Params;

    // The user's Config folder, with its trailing separator.
    std::string ConfigFolder() const { return Folders.ConfigFolder(); }

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

    // The open dialog for source files, starting in InitialFolder: the chosen
    // paths in the dialog's order, each once when asked; none when cancelled.
    QStringList RunOpenDialog(bool RemoveDuplicates, const QString& InitialFolder) const;
    // Adds the files to the list as a drop does (see TFileAdder).
    void AddSourceFiles(TSourceListView& List, const QStringList& Paths) const;
    // Finding and ending the encoder and the end-of-batch system actions; its
    // pauses let the windows go on meanwhile.
    TProcessControl ProcessControl() const;

    const TAppFolders& Folders;
    IUserDialogs& Dialogs;
    ISystemActions& System;
    const IDurationProber& Prober;
};
