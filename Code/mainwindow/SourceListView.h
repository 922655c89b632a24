#pragma once

#include "ConvertParameter.h"
#include "PreviewHooks.h"
#include "SourceListModel.h"

#include <QStringList>
#include <QTreeView>

class QMimeData;

// The source list: one flat row per file with its seven cells, several rows
// selected at once, time editors for the start and end, and the rules that keep
// the rows and the preview's trim markers in step when rows change. Every
// action costs the same per row with a few rows as with many thousands.
class TSourceListView : public QTreeView {
    Q_OBJECT

public:
    explicit TSourceListView(QWidget* Parent = nullptr);

    // The preview the list keeps informed.
    void SetPreview(IPreviewHooks& Hooks) { Preview = &Hooks; }

    int RowCount() const { return Model.rowCount(); }
    const TSourceRowStore& Rows() const { return Model.Rows(); }
    const TRowCells& Row(int Index) const { return Model.Rows().Row(static_cast<size_t>(Index)); }
    void SetRow(int Index, const TRowCells& Cells) { Model.SetRow(Index, Cells); }
    void AppendRows(std::vector<TRowCells> Rows) { Model.AppendRows(std::move(Rows)); }
    void SetOutcome(int Index, TRowOutcome Outcome) { Model.SetOutcome(Index, std::move(Outcome)); }
    void ClearCheckedOutcomes() { Model.ClearCheckedOutcomes(); }
    // The indexes of the selected rows, in list order.
    std::vector<int> SelectedRows() const;
    // The rows of one file (its path without regard to ASCII letter case), in
    // list order: all that the conversion of that file reads.
    std::vector<TSourceRow> RowsOfFile(const std::string& Path) const;
    // True when a row has exactly this path; letter case counts.
    bool HasPath(const std::string& Path) const { return Model.Rows().HasPath(Path); }
    // A marker's time (start or end Column) in every selected row, with their cuts.
    void SetSelectedTimes(size_t Column, const std::string& TimeText);

    // Makes the first row the one selected row and moves the markers to it.
    void SelectFirstRow();
    // Deletes the selected rows; the row above the focused one, if it stays,
    // becomes the focused and selected row.
    void RemoveSelectedRows();
    // The Remove button: the selected rows go, the preview stops, and the
    // markers follow the new selection (or go back to the ends).
    void RemoveSelection();
    // The Clear button: every row goes and the preview stops.
    void ClearRows();
    // Corrects every selected row after an edit of its times, in list order.
    void CorrectSelectedRows();

signals:
    // Local files dropped on the list, in drop order.
    void FilesDropped(const QStringList& Paths);

protected:
    void keyPressEvent(QKeyEvent* Event) override;
    void keyReleaseEvent(QKeyEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void startDrag(Qt::DropActions Actions) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dragMoveEvent(QDragMoveEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;

private:
    void SyncTrimMarkers() const;
    void FitColumns();
    void TakeColumnShares();
    int FittingWidth(int Column) const;

    TSourceListModel Model;
    TNoPreview NoPreview;
    IPreviewHooks* Preview = &NoPreview;
    int Shares[SourceColumnCount] = {}; // of the list's width, set at the first layout
    int FittedWidth = 0;                // the width the columns were last fitted to
    bool Fitting = false;               // the widths change by FitColumns, not by the user
};

// The local files among dropped data, in drop order.
QStringList DroppedFiles(const QMimeData& Data);
