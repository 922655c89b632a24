#include "Unit_CommonLib.h"

#include "CustomProfiles.h"
#include "Folders.h"
#include "Paths.h"
#include "QtText.h"

#include <QDir>

TCommonLib::TCommonLib(const std::string& ProgramFolder, IUserDialogs& Dialogs,
                       ISystemActions& System)
    : Dialogs(Dialogs), System(System) {
    Params.AppPath = ProgramFolder;
}

std::string TCommonLib::ConfigFolder() const {
    return Params.AppPath + "Config" + PathDelim;
}

bool TCommonLib::ShowMessageBox(const QString& Text, int Kind) const {
    if (Kind < 0 || Kind > 3)
        return false;
    Dialogs.ShowMessage(Text, static_cast<TMessageKind>(Kind));
    return true;
}

QStringList TCommonLib::GetCustomProfileNames(const QString& FileName) const {
    QStringList Names;
    for (const std::string& Name :
         TCustomProfileStore(ConfigFolder(), ToEngineText(FileName)).Names())
        Names << FromEngineText(Name);
    return Names;
}

QString TCommonLib::ReadCustomProfile(const QString& FileName, const QString& ProfileName) const {
    return FromEngineText(TCustomProfileStore(ConfigFolder(), ToEngineText(FileName))
                              .Value(ToEngineText(ProfileName)));
}

QString TCommonLib::SelectOutputFolder(const QString& CurrentFolder) const {
    QString Chosen;
    if (BrowseForFolder("Please select output folder:", Chosen)) {
        switch (CheckOutputFolder(ToEngineText(Chosen))) {
        case TFolderCheck::Accepted:
            return Chosen;
        case TFolderCheck::ReadOnly:
            ShowMessageBox("This is a read-only path.", 1);
            break;
        case TFolderCheck::Missing:
            ShowMessageBox("The path is invalid.", 1);
            break;
        }
    }
    CreateFolderQuietly(ToEngineText(CurrentFolder));
    return CurrentFolder;
}

bool TCommonLib::BrowseForFolder(const QString& Title, QString& Selected) const {
    const QString Start = QDir(Selected).exists() ? Selected : QString();
    const std::optional<QString> Chosen = Dialogs.BrowseFolder(Title, Start);
    if (Chosen)
        Selected = *Chosen;
    return Chosen.has_value();
}
