#include "SourceListView.h"

#include "ElidedPath.h"
#include "EventHandlers.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimeEdit>
#include <numeric>

namespace {

// The widest texts the columns show in use; the file name's column takes
// what the others leave.
const char* const WidestTexts[SourceColumnCount] = {"",         "",         "999.99 MB", "00:00:00",
                                                    "00:00:00", "00:00:00", "00:00:00"};
constexpr int LeastFileNameWidth = 60;
const QString TimeFormat = "HH:mm:ss";

// Shows a long path with its file's name whole, and edits the start and end
// times, the cells the list lets the user edit, as hh:mm:ss. A change of the
// start ends its edit at once, so that the row is corrected on every change.
class TSourceCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void initStyleOption(QStyleOptionViewItem* Option, const QModelIndex& Index) const override {
        QStyledItemDelegate::initStyleOption(Option, Index);
        if (Index.column() != FileNameColumn || Option->rect.width() <= 0)
            return;
        const QStyle* Style = Option->widget ? Option->widget->style() : QApplication::style();
        // The style draws the text inside a margin on either side of its rectangle.
        const int Margin =
            Style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, Option->widget) + 1;
        const int Room =
            Style->subElementRect(QStyle::SE_ItemViewItemText, Option, Option->widget).width() -
            2 * Margin;
        Option->text = ElidePath(Option->text, Option->fontMetrics, Room);
    }

    QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem&,
                          const QModelIndex& Index) const override {
        auto* Editor = new QTimeEdit(Parent);
        Editor->setDisplayFormat(TimeFormat);
        Editor->setFrame(false);
        Editor->setButtonSymbols(QAbstractSpinBox::NoButtons); // the narrow cell keeps its digits
        if (Index.column() == StartTimeColumn) {
            connect(Editor, &QTimeEdit::timeChanged, this, [this, Editor] {
                emit const_cast<TSourceCellDelegate*>(this)->commitData(Editor);
                emit const_cast<TSourceCellDelegate*>(this)->closeEditor(Editor);
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

TSourceListView::TSourceListView(QWidget* Parent) : QTreeView(Parent) {
    setModel(&Model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true); // a long list is laid out without measuring every row
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed);
    setItemDelegate(new TSourceCellDelegate(this));
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

std::vector<int> TSourceListView::SelectedRows() const {
    // From the selection's ranges, not row by row: a scattered selection of a
    // long list has thousands of them.
    std::vector<char> Selected(static_cast<size_t>(RowCount()));
    for (const QItemSelectionRange& Range : selectionModel()->selection())
        std::fill(Selected.begin() + Range.top(), Selected.begin() + Range.bottom() + 1, 1);
    std::vector<int> Indexes;
    for (size_t Index = 0; Index < Selected.size(); ++Index)
        if (Selected[Index])
            Indexes.push_back(static_cast<int>(Index));
    return Indexes;
}

std::vector<TSourceRow> TSourceListView::RowsOfFile(const std::string& Path) const {
    std::vector<TSourceRow> Rows;
    for (const size_t Index : Model.Rows().RowsOfFile(Path))
        Rows.push_back(SourceRowOf(Model.Rows().Row(Index)));
    return Rows;
}

void TSourceListView::SetSelectedTimes(size_t Column, const std::string& TimeText) {
    Model.SetTimes(SelectedRows(), Column, TimeText);
}

void TSourceListView::SelectFirstRow() {
    if (RowCount() == 0)
        return;
    // Alone: rows selected before would otherwise take the first row's trim times.
    selectionModel()->setCurrentIndex(Model.index(0, 0), QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
    SyncTrimMarkers();
}

void TSourceListView::RemoveSelectedRows() {
    const std::vector<int> Selected = SelectedRows();
    if (Selected.empty())
        return;
    const int Focused = currentIndex().isValid() ? currentIndex().row() : -1;
    const bool AboveStays =
        Focused > 0 && !std::binary_search(Selected.begin(), Selected.end(), Focused - 1);
    // Where the row above the focused one stands once the rows before it are gone.
    const int Above = Focused - 1 -
                      static_cast<int>(std::lower_bound(Selected.begin(), Selected.end(), Focused) -
                                       Selected.begin());
    Model.RemoveRows(Selected);
    if (AboveStays)
        selectionModel()->setCurrentIndex(
            Model.index(Above, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TSourceListView::RemoveSelection() {
    RemoveSelectedRows();
    if (RowCount() == 0)
        Preview->ResetTrimMarkers();
    Preview->StopPreview();
    Preview->SyncTrimMarkers();
}

void TSourceListView::ClearRows() {
    Model.Clear();
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
    QTreeView::keyPressEvent(Event);
}

void TSourceListView::keyReleaseEvent(QKeyEvent* Event) {
    QTreeView::keyReleaseEvent(Event);
    SyncTrimMarkers();
}

void TSourceListView::mouseReleaseEvent(QMouseEvent* Event) {
    QTreeView::mouseReleaseEvent(Event);
    SyncTrimMarkers();
}

void TSourceListView::resizeEvent(QResizeEvent* Event) {
    QTreeView::resizeEvent(Event);
    FitColumns();
}

int TSourceListView::FittingWidth(int Column) const {
    const QStyle& Style = *style();
    const int Text = Column == CheckStatusColumn
                         ? Style.pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this)
                         : fontMetrics().horizontalAdvance(WidestTexts[Column]);
    const int TextMargins =
        2 * (Style.pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    const QString Caption = Model.headerData(Column, Qt::Horizontal, Qt::DisplayRole).toString();
    const int CaptionWidth = header()->fontMetrics().horizontalAdvance(Caption) +
                             2 * Style.pixelMetric(QStyle::PM_HeaderMargin, nullptr, header());
    return std::max(Text + TextMargins, CaptionWidth) + 6; // some air besides
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
    if (!selectionModel()->hasSelection())
        return;
    // The drag only carries the gesture: rows dropped back on the list stay,
    // and anywhere else they are removed.
    auto* Drag = new QDrag(this);
    auto* Data = new QMimeData;
    Data->setData("application/x-korvalin-rows", {});
    Drag->setMimeData(Data);
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
