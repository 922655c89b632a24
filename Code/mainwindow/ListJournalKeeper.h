#pragma once

#include "JournalWriter.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

class TAppFunc;
class TCommonLib;
class TSourceListView;

// Keeps the source list's journal while the program runs, so that a list is
// not lost when the program ends without closing: about once a second after
// the list or the batch changed, the rows are copied and written on a thread
// of its own. At start-up it offers back the list of a journal it finds.
// A close with no batch running removes the journal: only an end that left
// work undone brings the list back.
class TListJournalKeeper : public QObject {
public:
    // Converting tells whether a batch runs.
    TListJournalKeeper(TSourceListView& List, TCommonLib& Lib, const TAppFunc& Log,
                       std::function<bool()> Converting);

    // Asks whether the list of a journal found at start-up comes back, and
    // brings it back on Yes; then the journal follows the list. A journal that
    // cannot be read is set aside with a line in the log.
    void Offer();
    // True until Offer is done: files handed in from outside wait till then.
    bool Offering() const { return !Keeping && !Closed; }
    // The batch began or ended.
    void BatchChanged() { Changed(); }
    // The program closes: with a batch running the journal is kept for the
    // next start, otherwise removed. Later changes are not written.
    void Close();

private:
    void Changed();
    void Write();
    void Restore(const TListJournal& Journal);

    TSourceListView& List;
    TCommonLib& Lib;
    const TAppFunc& Log;
    const std::function<bool()> Converting;
    TJournalWriter Writer;
    QTimer Due;
    QElapsedTimer SinceWrite;
    bool Keeping = false;
    bool Closed = false;
};
