#include "Unit_CommonLib.h"

#include "AppFunc.h"
#include "CustomProfiles.h"
#include "FileAdder.h"
#include "Folders.h"
#include "Globals.h"
#include "QtText.h"
#include "SourceRows.h"

#include <QDir>
#include <QEventLoop>
#include <QTimer>

namespace {

const QString SourceFileFilter =
    "Supported Files|*.rm;*.rmvb;|RM Files (*.rm)|*.rm|RMVB Files (*.rmvb)|*.rmvb";

} // namespace

TCommonLib::TCommonLib(const TAppFolders& Folders, IUserDialogs& Dialogs, ISystemActions& System,
                       const IDurationProber& Prober)
    : Folders(Folders), Dialogs(Dialogs), System(System), Prober(Prober) {}

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

QStringList TCommonLib::RunOpenDialog(bool RemoveDuplicates, const QString& InitialFolder) const {
    const QStringList Chosen = Dialogs.OpenFiles(InitialFolder, SourceFileFilter);
    if (!RemoveDuplicates)
        return Chosen;
    std::vector<std::string> Paths;
    for (const QString& Path : Chosen)
        Paths.push_back(ToEngineText(Path));
    QStringList Unique;
    for (const std::string& Path : ::RemoveDuplicates(Paths))
        Unique << FromEngineText(Path);
    return Unique;
}

void TCommonLib::AddSourceFiles(TSourceListView& List, const QStringList& Paths) const {
    TFileAdder(List, Prober, Dialogs).Add(Paths);
}

TProcessControl TCommonLib::ProcessControl() const {
    return TProcessControl(System, *AppFunc, [](int Milliseconds) {
        QEventLoop Pause;
        QTimer::singleShot(Milliseconds, &Pause, &QEventLoop::quit);
        Pause.exec();
    });
}
