#include "SourceRowStore.h"

#include <algorithm>

namespace {

std::string FoldedAscii(std::string Text) {
    for (char& Letter : Text)
        if (Letter >= 'A' && Letter <= 'Z')
            Letter = static_cast<char>(Letter - 'A' + 'a');
    return Text;
}

} // namespace

void TSourceRowStore::Set(size_t Index, TRowCells Cells) {
    const bool PathChanged = Cells[FileNameColumn] != Rows[Index][FileNameColumn];
    if (Cells[StartTimeColumn] != Rows[Index][StartTimeColumn] ||
        Cells[EndTimeColumn] != Rows[Index][EndTimeColumn])
        Outcomes[Index] = {};
    Rows[Index] = std::move(Cells);
    if (PathChanged)
        Reindex();
}

void TSourceRowStore::SetTime(size_t Index, size_t Column, const std::string& Text) {
    TRowCells& Cells = Rows[Index];
    if (Cells[Column] != Text)
        Outcomes[Index] = {};
    Cells[Column] = Text;
    Cells[CutDurationColumn] =
        FormatDuration(CutSecondsOf(SourceRowOf(Rows[FileOfRow[Index]->back()])));
}

void TSourceRowStore::Append(TRowCells Cells) {
    Rows.push_back(std::move(Cells));
    Outcomes.emplace_back();
    Index(Rows.size() - 1);
}

void TSourceRowStore::ClearCheckedOutcomes() {
    for (size_t Row = 0; Row < Rows.size(); ++Row)
        if (Rows[Row][CheckStatusColumn] == "True")
            Outcomes[Row] = {};
}

bool TSourceRowStore::HasPath(const std::string& Path) const {
    const std::vector<size_t>& Found = RowsOfFile(Path);
    return std::any_of(Found.begin(), Found.end(),
                       [&](size_t Row) { return Rows[Row][FileNameColumn] == Path; });
}

const std::vector<size_t>& TSourceRowStore::RowsOfFile(const std::string& Path) const {
    static const std::vector<size_t> None;
    const auto Found = ByFoldedPath.find(FoldedAscii(Path));
    return Found == ByFoldedPath.end() ? None : Found->second;
}

void TSourceRowStore::Remove(const std::vector<size_t>& Ascending) {
    if (Ascending.empty())
        return;
    auto Next = Ascending.begin();
    size_t Kept = 0;
    for (size_t Row = 0; Row < Rows.size(); ++Row) {
        if (Next != Ascending.end() && *Next == Row) {
            ++Next;
            continue;
        }
        if (Kept != Row) {
            Rows[Kept] = std::move(Rows[Row]);
            Outcomes[Kept] = std::move(Outcomes[Row]);
        }
        ++Kept;
    }
    Rows.resize(Kept);
    Outcomes.resize(Kept);
    Reindex();
}

void TSourceRowStore::Clear() {
    Rows.clear();
    Outcomes.clear();
    ByFoldedPath.clear();
    FileOfRow.clear();
}

void TSourceRowStore::Index(size_t Row) {
    std::vector<size_t>& FileRows = ByFoldedPath[FoldedAscii(Rows[Row][FileNameColumn])];
    FileRows.push_back(Row);
    FileOfRow.push_back(&FileRows);
}

void TSourceRowStore::Reindex() {
    ByFoldedPath.clear();
    FileOfRow.clear();
    for (size_t Row = 0; Row < Rows.size(); ++Row)
        Index(Row);
}
