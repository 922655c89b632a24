#pragma once

#include "ConvertParameter.h"
#include "SourceRows.h"

#include <string>
#include <unordered_map>
#include <vector>

// What the conversion reads of a row: its path and times.
inline TSourceRow SourceRowOf(const TRowCells& Cells) {
    return {Cells[FileNameColumn], Cells[StartTimeColumn], Cells[EndTimeColumn]};
}

// How the last batch left a row: untouched, converted to an output, or not
// converted for a reason. Kept beside the row's cells, which it never changes.
struct TRowOutcome {
    enum class TKind { None, Converted, NotConverted };
    TKind Kind = TKind::None;
    std::string Text = {}; // the output's path, or the reason in words
};

// The rows of the source list in list order, with an index of their paths:
// finding a file's rows, or whether a path is listed, costs the same with five
// rows as with twenty thousand, and removing many rows is one pass.
class TSourceRowStore {
public:
    size_t Count() const { return Rows.size(); }
    const TRowCells& Row(size_t Index) const { return Rows[Index]; }
    // Replaces a row's cells; a changed path moves the row in the index, and
    // a changed trim clears the row's outcome.
    void Set(size_t Index, TRowCells Cells);
    // A marker's time: Text becomes the row's start or end time (Column), and
    // its cut is worked out from the last row of its file as that one reads
    // now. A changed time clears the row's outcome.
    void SetTime(size_t Index, size_t Column, const std::string& Text);
    const TRowOutcome& Outcome(size_t Index) const { return Outcomes[Index]; }
    void SetOutcome(size_t Index, TRowOutcome Outcome) { Outcomes[Index] = std::move(Outcome); }
    // Clears the outcome of every row whose check cell reads "True".
    void ClearCheckedOutcomes();
    // Appends a row, whatever its path.
    void Append(TRowCells Cells);
    // True when a row has exactly this path; letter case counts.
    bool HasPath(const std::string& Path) const;
    // The rows whose path equals Path when the case of ASCII letters is
    // ignored, in list order; the conversion and the cut lengths look them up.
    const std::vector<size_t>& RowsOfFile(const std::string& Path) const;
    // Removes the rows at the given indexes, which ascend.
    void Remove(const std::vector<size_t>& Ascending);
    void Clear();

private:
    void Index(size_t Row);
    void Reindex();

    std::vector<TRowCells> Rows;
    std::vector<TRowOutcome> Outcomes; // one a row
    std::unordered_map<std::string, std::vector<size_t>> ByFoldedPath;
    // For each row, the rows of its file: an entry of ByFoldedPath, which
    // stays where it is while the map grows.
    std::vector<const std::vector<size_t>*> FileOfRow;
};
