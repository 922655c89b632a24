#include "ListJournalKeeper.h"

#include "AppFunc.h"
#include "FileSystem.h"
#include "QtText.h"
#include "SourceListView.h"
#include "Unit_CommonLib.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <filesystem>
#include <fstream>
#include <optional>
#include <unordered_map>

namespace {

// At most one journal a second: a batch or a long drop changes the list far
// more often.
constexpr qint64 WriteInterval = 1000;

QString RestoreQuestion(const TListJournal& Journal) {
    const qsizetype Count = static_cast<qsizetype>(Journal.Rows.size());
    const QString Closed = Journal.Converting ? "while converting"
                           : Count == 1       ? "with 1 file in the list"
                                              : QString("with %1 files in the list").arg(Count);
    return "Korvalin was closed " + Closed + ". Restore the list?";
}

// The journal in the file, if there is one that can be read; one that cannot
// is moved aside, where it no longer stands in the way and can still be looked at.
std::optional<TListJournal> FoundJournal(const TAppFolders& Folders, const TAppFunc& Log) {
    const std::string FileName = Folders.ListJournalFile();
    if (PathKindOf(FileName) == TPathKind::Missing)
        return std::nullopt;
    try {
        std::ifstream File(FileName, std::ios::binary);
        if (!File)
            throw EUnreadableJournal("it cannot be opened");
        return ReadJournalText(std::string(std::istreambuf_iterator<char>(File), {}));
    } catch (const EUnreadableJournal& Error) {
        std::error_code Failed;
        std::filesystem::rename(FileName, Folders.SetAsideListJournalFile(), Failed);
        Log.TryWriteLog("List journal set aside as " + Folders.SetAsideListJournalFile() +
                        ", since " + Error.what());
        return std::nullopt;
    }
}

} // namespace

TListJournalKeeper::TListJournalKeeper(TSourceListView& List, TCommonLib& Lib, const TAppFunc& Log,
                                       std::function<bool()> Converting)
    : List(List), Lib(Lib), Log(Log), Converting(std::move(Converting)),
      Writer(Lib.Folders.ListJournalFile(), [this](const std::string& Reason) {
          QMetaObject::invokeMethod(this, [this, Reason] {
              if (!std::exchange(FailureLogged, true))
                  this->Log.TryWriteLog("List journal not written: " + Reason);
          });
      }) {
    Due.setSingleShot(true);
    connect(&Due, &QTimer::timeout, this, &TListJournalKeeper::Write);
    const QAbstractItemModel* Model = List.model();
    connect(Model, &QAbstractItemModel::rowsInserted, this, &TListJournalKeeper::Changed);
    connect(Model, &QAbstractItemModel::rowsRemoved, this, &TListJournalKeeper::Changed);
    connect(Model, &QAbstractItemModel::dataChanged, this, &TListJournalKeeper::Changed);
    connect(Model, &QAbstractItemModel::modelReset, this, &TListJournalKeeper::Changed);
    // Quitting without a close, as after a batch that powers the computer off.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TListJournalKeeper::Close);
    SinceWrite.start();
}

void TListJournalKeeper::Offer() {
    // Whatever comes back, the journal follows the list from here on.
    const auto Keep = qScopeGuard([this] {
        Keeping = true;
        Write();
    });
    if (const std::optional<TListJournal> Found = FoundJournal(Lib.Folders, Log);
        Found && !Found->Rows.empty() && Lib.Dialogs.Confirm(RestoreQuestion(*Found)))
        Restore(*Found);
}

void TListJournalKeeper::Restore(const TListJournal& Journal) {
    QStringList Files;
    std::unordered_map<std::string, const TJournalRow*> Kept;
    for (const TJournalRow& Row : Journal.Rows) {
        if (PathKindOf(Row.Path) == TPathKind::Missing) {
            Log.TryWriteLog("File of the restored list no longer exists: " + Row.Path);
            continue;
        }
        if (Kept.emplace(Row.Path, &Row).second)
            Files << FromEngineText(Row.Path);
    }
    Lib.AddSourceFiles(List, Files);
    for (int Index = 0; Index < List.RowCount() && !Kept.empty(); ++Index) {
        const auto Found = Kept.find(List.Row(Index)[FileNameColumn]);
        if (Found == Kept.end())
            continue;
        auto [Cells, Outcome] = RestoredRow(List.Row(Index), *Found->second);
        List.SetRow(Index, Cells);
        List.SetOutcome(Index, std::move(Outcome));
        Kept.erase(Found);
    }
    List.SelectFirstRow(); // the markers take the first row's trim as it came back
}

void TListJournalKeeper::Changed() {
    if (Keeping && !Closed && !Due.isActive())
        Due.start(static_cast<int>(std::max<qint64>(0, WriteInterval - SinceWrite.elapsed())));
}

void TListJournalKeeper::Write() {
    Due.stop();
    if (Closed)
        return;
    SinceWrite.restart();
    if (List.RowCount() == 0)
        Writer.PostRemoval();
    else
        Writer.Post(JournalOf(List.Rows(), Converting()));
}

void TListJournalKeeper::Close() {
    if (Closed)
        return;
    if (Keeping && Converting())
        Write(); // the rows the batch has done so far, for the next start to leave out
    else if (Keeping)
        Writer.PostRemoval();
    // A journal still waiting for its answer stays for the next start.
    Closed = true;
    Writer.Flush();
}
