#include "SourceListModel.h"

#include "QtText.h"

#include <QApplication>
#include <QStyle>

namespace {

const char* const Captions[SourceColumnCount] = {"",           "File Name", "File Size", "Duration",
                                                 "Start Time", "End Time",  "Cut Time"};

bool IsTimeColumn(int Column) {
    return Column == StartTimeColumn || Column == EndTimeColumn;
}

// A row's outcome in words, for its tip and for screen readers.
QString OutcomeText(const TRowOutcome& Outcome) {
    switch (Outcome.Kind) {
    case TRowOutcome::TKind::Converted:
        return "Converted to " + FromEngineText(Outcome.Text);
    case TRowOutcome::TKind::NotConverted:
        return "Not converted: " + FromEngineText(Outcome.Text);
    case TRowOutcome::TKind::None:
        break;
    }
    return {};
}

// The mark of a row's file name: a tick, or a warning.
QVariant OutcomeMark(const TRowOutcome& Outcome) {
    if (Outcome.Kind == TRowOutcome::TKind::None)
        return {};
    return QApplication::style()->standardIcon(Outcome.Kind == TRowOutcome::TKind::Converted
                                                   ? QStyle::SP_DialogApplyButton
                                                   : QStyle::SP_MessageBoxWarning);
}

} // namespace

int TSourceListModel::rowCount(const QModelIndex& Parent) const {
    return Parent.isValid() ? 0 : static_cast<int>(Store.Count()); // a flat list
}

int TSourceListModel::columnCount(const QModelIndex& Parent) const {
    return Parent.isValid() ? 0 : static_cast<int>(SourceColumnCount);
}

QVariant TSourceListModel::data(const QModelIndex& Index, int Role) const {
    if (!Index.isValid())
        return {};
    const TRowCells& Cells = Store.Row(static_cast<size_t>(Index.row()));
    const int Column = Index.column();
    if (Column == CheckStatusColumn)
        return Role == Qt::CheckStateRole
                   ? QVariant(Cells[CheckStatusColumn] == "True" ? Qt::Checked : Qt::Unchecked)
                   : QVariant();
    const TRowOutcome& Outcome = Store.Outcome(static_cast<size_t>(Index.row()));
    if (Column == FileNameColumn) {
        if (Role == Qt::DecorationRole)
            return OutcomeMark(Outcome);
        if (Role == Qt::AccessibleDescriptionRole)
            return OutcomeText(Outcome);
        if (Role == Qt::ToolTipRole) { // the whole path, and how the last batch left it
            const QString Text = OutcomeText(Outcome);
            return FromEngineText(Cells[FileNameColumn]) + (Text.isEmpty() ? "" : "\n" + Text);
        }
    }
    const bool Shown = Role == Qt::DisplayRole || Role == Qt::EditRole;
    return Shown ? QVariant(FromEngineText(Cells[static_cast<size_t>(Column)])) : QVariant();
}

bool TSourceListModel::setData(const QModelIndex& Index, const QVariant& Value, int Role) {
    if (!Index.isValid())
        return false;
    TRowCells Cells = Store.Row(static_cast<size_t>(Index.row()));
    if (Index.column() == CheckStatusColumn && Role == Qt::CheckStateRole)
        Cells[CheckStatusColumn] = Value.toInt() == Qt::Checked ? "True" : "False";
    else if (IsTimeColumn(Index.column()) && Role == Qt::EditRole)
        Cells[static_cast<size_t>(Index.column())] = ToEngineText(Value.toString());
    else
        return false;
    SetRow(Index.row(), Cells);
    return true;
}

Qt::ItemFlags TSourceListModel::flags(const QModelIndex& Index) const {
    if (!Index.isValid())
        return Qt::ItemIsDropEnabled; // files are dropped on the list as a whole
    Qt::ItemFlags Flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
    if (Index.column() == CheckStatusColumn)
        Flags |= Qt::ItemIsUserCheckable;
    if (IsTimeColumn(Index.column()))
        Flags |= Qt::ItemIsEditable;
    return Flags;
}

QVariant TSourceListModel::headerData(int Section, Qt::Orientation Orientation, int Role) const {
    if (Orientation != Qt::Horizontal || Role != Qt::DisplayRole || Section < 0 ||
        Section >= static_cast<int>(SourceColumnCount))
        return {};
    return QString(Captions[Section]);
}

void TSourceListModel::SetRow(int Row, const TRowCells& Cells) {
    Store.Set(static_cast<size_t>(Row), Cells);
    RowsChanged(Row, Row);
}

void TSourceListModel::SetTimes(const std::vector<int>& Rows, size_t Column,
                                const std::string& Text) {
    if (Rows.empty())
        return;
    for (const int Row : Rows)
        Store.SetTime(static_cast<size_t>(Row), Column, Text);
    RowsChanged(Rows.front(), Rows.back());
}

void TSourceListModel::SetOutcome(int Row, TRowOutcome Outcome) {
    Store.SetOutcome(static_cast<size_t>(Row), std::move(Outcome));
    RowsChanged(Row, Row);
}

void TSourceListModel::ClearCheckedOutcomes() {
    Store.ClearCheckedOutcomes();
    if (rowCount() > 0)
        RowsChanged(0, rowCount() - 1);
}

void TSourceListModel::AppendRows(std::vector<TRowCells> Rows) {
    if (Rows.empty())
        return;
    const int First = rowCount();
    beginInsertRows({}, First, First + static_cast<int>(Rows.size()) - 1);
    for (TRowCells& Cells : Rows)
        Store.Append(std::move(Cells));
    endInsertRows();
}

void TSourceListModel::RemoveRows(const std::vector<int>& Ascending) {
    if (Ascending.empty())
        return;
    // One reset instead of a removal per range: scattered rows of a long list
    // would make every view and selection renumber the rest once per range.
    beginResetModel();
    Store.Remove(std::vector<size_t>(Ascending.begin(), Ascending.end()));
    endResetModel();
}

void TSourceListModel::Clear() {
    beginResetModel();
    Store.Clear();
    endResetModel();
}

void TSourceListModel::RowsChanged(int First, int Last) {
    emit dataChanged(index(First, 0), index(Last, columnCount() - 1));
}
