#include "ListJournalKeeper.h"

#include "AppFunc.h"
#include "EventHandlers.h"
#include "FileSystem.h"
#include "QtText.h"
#include "SourceListView.h"
#include "Unit_CommonLib.h"

#include <QScopeGuard>
#include <algorithm>
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

} // namespace

TListJournalKeeper::TListJournalKeeper(TSourceListView& List, TCommonLib& Lib, const TAppFunc& Log,
                                       std::function<bool()> Converting)
    : List(List), Lib(Lib), Log(Log), Converting(std::move(Converting)),
      Writer(Lib.Folders.ListJournalFile(), [&Log](const std::string& Reason) {
          Log.TryWriteLog("List journal not written: " + Reason);
      }) {
    Due.setSingleShot(true);
    connect(&Due, &QTimer::timeout, this, Handler(this, &TListJournalKeeper::Write));
    const QAbstractItemModel* Model = List.model();
    connect(Model, &QAbstractItemModel::rowsInserted, this, &TListJournalKeeper::Changed);
    connect(Model, &QAbstractItemModel::rowsRemoved, this, &TListJournalKeeper::Changed);
    connect(Model, &QAbstractItemModel::dataChanged, this, &TListJournalKeeper::Changed);
    connect(Model, &QAbstractItemModel::modelReset, this, &TListJournalKeeper::Changed);
    SinceWrite.start();
}

void TListJournalKeeper::Offer() {
    // Whatever comes back, the journal follows the list from here on; after a
    // restore that stopped with an error, from the list's next change.
    const auto Keep = qScopeGuard([this] { Keeping = true; });
    const TFoundJournal Found =
        FindJournal(Lib.Folders.ListJournalFile(), Lib.Folders.SetAsideListJournalFile());
    if (!Found.Note.empty())
        Log.TryWriteLog(Found.Note);
    if (Found.Journal && !Found.Journal->Rows.empty() &&
        Lib.Dialogs.Confirm(RestoreQuestion(*Found.Journal)))
        Restore(*Found.Journal);
    Write();
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
    // The rows that came in take what was kept, also when a file stopped the adding.
    const auto PutBack = [&] {
        for (int Index = 0; Index < List.RowCount() && !Kept.empty(); ++Index) {
            const auto Found = Kept.find(List.Row(Index)[FileNameColumn]);
            if (Found == Kept.end())
                continue;
            auto [Cells, Outcome] =
                RestoredRow(List.Row(Index), *Found->second, Journal.Converting);
            List.SetRow(Index, Cells);
            List.SetOutcome(Index, std::move(Outcome));
            Kept.erase(Found);
        }
        List.SelectFirstRow(); // the markers take the first row's trim as it came back
    };
    try {
        Lib.AddSourceFiles(List, Files);
    } catch (...) {
        PutBack();
        throw;
    }
    PutBack();
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
