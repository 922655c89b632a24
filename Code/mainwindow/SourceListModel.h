#pragma once

#include "SourceRowStore.h"

#include <QAbstractTableModel>

// The source list's rows as the view shows and edits them: the check cell,
// the path with its whole text as a tip and the mark of the last batch's
// outcome, and the time cells that can be edited. Rows come and go in batches, so that a list of
// many thousands changes in one step.
class TSourceListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    const TSourceRowStore& Rows() const { return Store; }

    int rowCount(const QModelIndex& Parent = {}) const override;
    int columnCount(const QModelIndex& Parent = {}) const override;
    QVariant data(const QModelIndex& Index, int Role) const override;
    bool setData(const QModelIndex& Index, const QVariant& Value, int Role) override;
    Qt::ItemFlags flags(const QModelIndex& Index) const override;
    QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override;

    void SetRow(int Row, const TRowCells& Cells);
    // A marker's time in each of the rows, which ascend; see TSourceRowStore::SetTime.
    void SetTimes(const std::vector<int>& Rows, size_t Column, const std::string& Text);
    // A row's mark, and clearing the checked rows' marks, as batches leave them.
    void SetOutcome(int Row, TRowOutcome Outcome);
    void ClearCheckedOutcomes();
    void AppendRows(std::vector<TRowCells> Rows);
    // The rows at the given indexes, which ascend, go in one pass.
    void RemoveRows(const std::vector<int>& Ascending);
    void Clear();

private:
    void RowsChanged(int First, int Last);

    TSourceRowStore Store;
};
