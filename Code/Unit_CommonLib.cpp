#include "Unit_CommonLib.h"

#include "AppFunc.h"
#include "CustomProfiles.h"
#include "FileSystem.h"
#include "Folders.h"
#include "Globals.h"
#include "ProbeAhead.h"
#include "QtText.h"
#include "QueuedDispatcher.h"
#include "SourceListView.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <memory>

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
    // Only paths the list may take are probed; the rows still follow the paths' order.
    std::vector<std::string> Probed;
    for (const QString& Path : Paths) {
        const std::string File = ToEngineText(Path);
        Probed.push_back(HasSourceExtension(File) && IsSafeSourcePath(File) ? File : std::string());
    }
    // Shared with the queued calls, which may still be waiting when this returns.
    const auto Durations = std::make_shared<std::vector<std::optional<int32_t>>>(Paths.size());
    TQueuedDispatcher Dispatcher(List);
    TProbeAhead Worker(Probed, Prober, Dispatcher, [Durations](size_t Index, int32_t Seconds) {
        (*Durations)[Index] = Seconds;
    });
    Worker.Start();

    QStringList Unreadable; // told of in one dialog, also when a file stops the adding
    const auto TellUnreadable = [&] {
        if (!Unreadable.isEmpty())
            Dialogs.ShowCodecError(Unreadable);
    };
    try {
        for (qsizetype Index = 0; Index < Paths.size(); ++Index) {
            const QString& Path = Paths[Index];
            const std::string File = ToEngineText(Path);
            if (List.HasPath(Path) || !HasSourceExtension(File))
                continue;
            if (!IsSafeSourcePath(File)) {
                ShowMessageBox(FromEngineText(EUnsafeSourcePath(File).what()), 1);
                continue;
            }
            auto& Seconds = (*Durations)[static_cast<size_t>(Index)];
            while (!Seconds) // the windows repaint and the spinner turns meanwhile
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                                QEventLoop::ExcludeUserInputEvents);
            const std::string Duration = FormatDuration(*Seconds);
            if (Duration == "00:00:00")
                Unreadable << Path;
            else
                List.AppendRow(
                    NewSourceRow(File, FormatFileSize(GetSourceFileSize(Path)), Duration));
        }
    } catch (...) {
        TellUnreadable();
        throw;
    }
    TellUnreadable();
    List.SelectFirstRow();
}

int64_t TCommonLib::GetSourceFileSize(const QString& Path) const {
    return FileSizeOf(ToEngineText(Path));
}

TProcessControl TCommonLib::ProcessControl() const {
    return TProcessControl(System, *AppFunc, [](int Milliseconds) {
        QEventLoop Pause;
        QTimer::singleShot(Milliseconds, &Pause, &QEventLoop::quit);
        Pause.exec();
    });
}
