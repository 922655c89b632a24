#include "SourceListView.h"

#include "EventHandlers.h"
#include "QtText.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTimeEdit>
#include <numeric>

namespace {

// Column captions and the widest texts the columns show in use; the file
// name's column takes what the others leave.
const char* const Captions[SourceColumnCount] = {"",           "File Name", "File Size", "Duration",
                                                 "Start Time", "End Time",  "Cut Time"};
const char* const WidestTexts[SourceColumnCount] = {"",         "",         "999.99 MB", "00:00:00",
                                                    "00:00:00", "00:00:00", "00:00:00"};
constexpr int LeastFileNameWidth = 60;
const QString TimeFormat = "HH:mm:ss";

bool IsTimeColumn(int Column) {
    return Column == StartTimeColumn || Column == EndTimeColumn;
}

// Edits the start and end times as hh:mm:ss and nothing else. A change of the
// start ends its edit at once, so that the row is corrected on every change.
class TTimeCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem&,
                          const QModelIndex& Index) const override {
        if (!IsTimeColumn(Index.column()))
            return nullptr;
        auto* Editor = new QTimeEdit(Parent);
        Editor->setDisplayFormat(TimeFormat);
        Editor->setFrame(false);
        Editor->setButtonSymbols(QAbstractSpinBox::NoButtons); // the narrow cell keeps its digits
        if (Index.column() == StartTimeColumn) {
            connect(Editor, &QTimeEdit::timeChanged, this, [this, Editor] {
                emit const_cast<TTimeCellDelegate*>(this)->commitData(Editor);
                emit const_cast<TTimeCellDelegate*>(this)->closeEditor(Editor);
            });
        }
        return Editor;
    }
    void setEditorData(QWidget* Editor, const QModelIndex& Index) const override {
        const QTime Time = QTime::fromString(Index.data().toString(), TimeFormat);
        const QSignalBlocker Quiet(Editor); // showing the time is no change
        static_cast<QTimeEdit*>(Editor)->setTime(Time.isValid() ? Time : QTime(0, 0));
    }
    void setModelData(QWidget* Editor, QAbstractItemModel* Model,
                      const QModelIndex& Index) const override {
        Model->setData(Index, static_cast<QTimeEdit*>(Editor)->time().toString(TimeFormat));
    }
};

} // namespace

TSourceListView::TSourceListView(QWidget* Parent) : QTreeWidget(Parent) {
    setColumnCount(SourceColumnCount);
    setHeaderLabels(QStringList(std::begin(Captions), std::end(Captions)));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed);
    setItemDelegate(new TTimeCellDelegate(this));
    setTextElideMode(Qt::ElideMiddle); // a long path keeps the file's own name in sight
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::Interactive);
    // A column the user widens or narrows keeps that share from then on.
    connect(header(), &QHeaderView::sectionResized, this, [this] {
        if (!Fitting)
            TakeColumnShares();
    });
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    // The selection stays visible when the list loses the focus.
    QPalette Colours = palette();
    for (const QPalette::ColorRole Role : {QPalette::Highlight, QPalette::HighlightedText})
        Colours.setColor(QPalette::Inactive, Role, Colours.color(QPalette::Active, Role));
    setPalette(Colours);
    connect(itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            Handler(this, &TSourceListView::CorrectSelectedRows));
}

TRowCells TSourceListView::Row(int Index) const {
    const QTreeWidgetItem* Item = topLevelItem(Index);
    TRowCells Cells;
    Cells[CheckStatusColumn] =
        Item->checkState(CheckStatusColumn) == Qt::Checked ? "True" : "False";
    for (size_t Column = FileNameColumn; Column < SourceColumnCount; ++Column)
        Cells[Column] = ToEngineText(Item->text(static_cast<int>(Column)));
    return Cells;
}

void TSourceListView::SetRow(int Index, const TRowCells& Cells) {
    QTreeWidgetItem* Item = topLevelItem(Index);
    Item->setCheckState(CheckStatusColumn,
                        Cells[CheckStatusColumn] == "True" ? Qt::Checked : Qt::Unchecked);
    for (size_t Column = FileNameColumn; Column < SourceColumnCount; ++Column)
        Item->setText(static_cast<int>(Column), FromEngineText(Cells[Column]));
    Item->setToolTip(FileNameColumn, Item->text(FileNameColumn)); // the column shows its start only
}

void TSourceListView::AppendRow(const TRowCells& Cells) {
    auto* Item = new QTreeWidgetItem(this);
    Item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable |
                   Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
    SetRow(RowCount() - 1, Cells);
}

std::vector<int> TSourceListView::SelectedRows() const {
    std::vector<int> Indexes;
    for (int Index = 0; Index < RowCount(); ++Index)
        if (topLevelItem(Index)->isSelected())
            Indexes.push_back(Index);
    return Indexes;
}

std::vector<TSourceRow> TSourceListView::SourceRows() const {
    std::vector<TSourceRow> Rows;
    for (int Index = 0; Index < RowCount(); ++Index) {
        const TRowCells Cells = Row(Index);
        Rows.push_back({Cells[FileNameColumn], Cells[StartTimeColumn], Cells[EndTimeColumn]});
    }
    return Rows;
}

bool TSourceListView::HasPath(const QString& Path) const {
    for (int Index = 0; Index < RowCount(); ++Index)
        if (topLevelItem(Index)->text(FileNameColumn) == Path)
            return true;
    return false;
}

void TSourceListView::SelectFirstRow() {
    if (RowCount() == 0)
        return;
    // Alone: rows selected before would otherwise take the first row's trim times.
    setCurrentItem(topLevelItem(0), 0,
                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    SyncTrimMarkers();
}

void TSourceListView::RemoveSelectedRows() {
    const QList<QTreeWidgetItem*> Selected = selectedItems();
    if (Selected.isEmpty())
        return;
    QTreeWidgetItem* Above = currentItem() ? itemAbove(currentItem()) : nullptr;
    if (Above && Above->isSelected())
        Above = nullptr;
    setUpdatesEnabled(false);
    qDeleteAll(Selected);
    if (Above) {
        setCurrentItem(Above);
        Above->setSelected(true);
    }
    setUpdatesEnabled(true);
}

void TSourceListView::RemoveSelection() {
    RemoveSelectedRows();
    if (RowCount() == 0)
        Preview->ResetTrimMarkers();
    Preview->StopPreview();
    Preview->SyncTrimMarkers();
}

void TSourceListView::ClearRows() {
    clear();
    Preview->StopPreview();
    Preview->ResetTrimMarkers();
}

void TSourceListView::CorrectSelectedRows() {
    const std::function<void(int64_t)> Seek =
        Preview->CanSeek()
            ? std::function<void(int64_t)>([this](int64_t Ms) { Preview->SeekPreview(Ms); })
            : nullptr;
    for (const int Index : SelectedRows()) {
        TRowCells Cells = Row(Index);
        try {
            CorrectEditedRow(Cells, Seek);
        } catch (...) {
            SetRow(Index, Cells); // what was filled in before stays
            throw;
        }
        SetRow(Index, Cells);
    }
}

void TSourceListView::SyncTrimMarkers() const {
    Preview->SyncTrimMarkers();
}

void TSourceListView::keyPressEvent(QKeyEvent* Event) {
    SyncTrimMarkers();
    if (Event->key() == Qt::Key_Delete) {
        RemoveSelection();
        return;
    }
    QTreeWidget::keyPressEvent(Event);
}

void TSourceListView::keyReleaseEvent(QKeyEvent* Event) {
    QTreeWidget::keyReleaseEvent(Event);
    SyncTrimMarkers();
}

void TSourceListView::mouseReleaseEvent(QMouseEvent* Event) {
    QTreeWidget::mouseReleaseEvent(Event);
    SyncTrimMarkers();
}

void TSourceListView::resizeEvent(QResizeEvent* Event) {
    QTreeWidget::resizeEvent(Event);
    FitColumns();
}

int TSourceListView::FittingWidth(int Column) const {
    const QStyle& Style = *style();
    const int Text = Column == CheckStatusColumn
                         ? Style.pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this)
                         : fontMetrics().horizontalAdvance(WidestTexts[Column]);
    const int TextMargins =
        2 * (Style.pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    const int Caption = header()->fontMetrics().horizontalAdvance(Captions[Column]) +
                        2 * Style.pixelMetric(QStyle::PM_HeaderMargin, nullptr, header());
    return std::max(Text + TextMargins, Caption) + 6; // some air besides
}

void TSourceListView::FitColumns() {
    constexpr int Last = SourceColumnCount - 1;
    const int Width = viewport()->width();
    if (Width == FittedWidth) // only its height changed, as when a scroll bar comes or goes
        return;
    // The first layout is at the design size: there every column fits its
    // texts and the file name takes the rest; resized, each keeps its share.
    if (Shares[FileNameColumn] == 0) {
        if (Width <= 0) // not laid out yet
            return;
        int Others = 0;
        for (int Column = 0; Column < static_cast<int>(SourceColumnCount); ++Column)
            if (Column != FileNameColumn)
                Others += Shares[Column] = FittingWidth(Column);
        Shares[FileNameColumn] = std::max(Width - Others, LeastFileNameWidth);
    }
    const int Total = std::accumulate(std::begin(Shares), std::end(Shares), 0);
    Fitting = true;
    int Used = 0;
    for (int Column = 0; Column < Last; ++Column) {
        setColumnWidth(Column, Width * Shares[Column] / Total);
        Used += columnWidth(Column);
    }
    setColumnWidth(Last, Width - Used); // the rounding goes to the last column
    Fitting = false;
    FittedWidth = Width;
}

void TSourceListView::TakeColumnShares() {
    for (int Column = 0; Column < static_cast<int>(SourceColumnCount); ++Column)
        Shares[Column] = columnWidth(Column);
}

void TSourceListView::startDrag(Qt::DropActions) {
    const QList<QTreeWidgetItem*> Selected = selectedItems();
    if (Selected.isEmpty())
        return;
    auto* Drag = new QDrag(this);
    Drag->setMimeData(mimeData(Selected));
    Drag->exec(Qt::MoveAction);
    if (Drag->target() != viewport()) // dropped elsewhere, nowhere, or cancelled
        RemoveSelection();
}

void TSourceListView::dragEnterEvent(QDragEnterEvent* Event) {
    Event->acceptProposedAction();
}

void TSourceListView::dragMoveEvent(QDragMoveEvent* Event) {
    Event->acceptProposedAction();
}

void TSourceListView::dropEvent(QDropEvent* Event) {
    Event->acceptProposedAction();
    if (Event->source() != this) // rows dropped back on the list stay as they are
        emit FilesDropped(DroppedFiles(*Event->mimeData()));
}

QStringList DroppedFiles(const QMimeData& Data) {
    QStringList Paths;
    for (const QUrl& Url : Data.urls())
        if (Url.isLocalFile())
            Paths << Url.toLocalFile();
    return Paths;
}
