#pragma once

#include "SourceRowStore.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// The journal of the source list: what the list held when the program last
// wrote it, kept in the data folder so that a list is not lost when the program
// ends without closing (a crash, a kill, the power going).

// A row as the journal keeps it: what the user chose and how the last batch
// left it; sizes and lengths are probed again when it comes back.
struct TJournalRow {
    std::string Path;
    bool Checked = true;
    std::string StartTime = "00:00:00";
    std::string EndTime = "00:00:00";
    TRowOutcome Outcome = {};
};

struct TListJournal {
    bool Converting = false; // a batch was running
    std::vector<TJournalRow> Rows;
};

// A journal that cannot be read back: damaged, cut short or written by another
// version. The text says why in words.
class EUnreadableJournal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The list's rows as the journal keeps them.
TListJournal JournalOf(const TSourceRowStore& Rows, bool Converting);

// The journal as text, one line a row, and back. ReadJournalText throws
// EUnreadableJournal for anything but a whole journal of this version.
std::string JournalText(const TListJournal& Journal);
TListJournal ReadJournalText(const std::string& Text);

// What a start finds of a journal: nothing, a journal to offer back, or a note
// for the log on one that could not be read and was moved out of the way.
struct TFoundJournal {
    std::optional<TListJournal> Journal;
    std::string Note;
};
TFoundJournal FindJournal(const std::string& FileName, const std::string& SetAsideName);

// The row of a file coming back: its fresh row, probed again, takes the kept
// check, trim and mark, the trim kept within the file's length as it is now.
// A row that an interrupted batch had converted comes back unchecked, so that
// the next batch does only the rest.
std::pair<TRowCells, TRowOutcome> RestoredRow(TRowCells Fresh, const TJournalRow& Kept,
                                              bool BatchInterrupted);
