#include "Unit_Converting.h"

#include "ConvertParameter.h"
#include "DialogFrame.h"
#include "ElidedLabel.h"
#include "ElidedPath.h"
#include "EventHandlers.h"
#include "Globals.h"
#include "ProgressRules.h"
#include "QtText.h"
#include "SourceListView.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"
#include "Unit_Convert.h"
#include "ui_Unit_Convert.h"
#include "ui_Unit_Converting.h"

#include <QCloseEvent>

TfrmConverting::TfrmConverting(QWidget* Parent)
    : QDialog(Parent, FixedDialogFrame), ui(std::make_unique<Ui::TfrmConverting>()),
      Panel(new TElidedLabel) {
    ui->setupUi(this);
    Panel->setMinimumWidth(50);
    setFixedSize(size());
    ui->statState->addWidget(Panel, 1); // the bar's last panel reaches its right end
    connect(ui->btnStop, &QPushButton::clicked, this,
            Handler(this, &TfrmConverting::btnStop1Click));
    connect(&tmrChanging, &QTimer::timeout, this, Handler(this, &TfrmConverting::tmrChangingTimer));
    tmrChanging.start(500);
}

TfrmConverting::~TfrmConverting() = default;

void TfrmConverting::showEvent(QShowEvent* Event) {
    if (!Event->spontaneous()) {
        if (parentWidget()) // centred on the main window
            move(parentWidget()->geometry().center() - rect().center());
        RunHandler([this] { FormShow(); });
    }
    QDialog::showEvent(Event);
}

void TfrmConverting::FormShow() {
    AnimationStep = 0;
    ShowCurrentFile();
    ui->lblPersent->setText("Current: 1, Total: " + QString::number(CustomProc->Batch.TotalCount));
    for (QProgressBar* Bar : {ui->pbTotal, ui->ProgressBar1}) {
        Bar->setRange(0, 1);
        Bar->setValue(0);
    }
}

void TfrmConverting::ShowCurrentFile() {
    const QString Path = FromEngineText(CommonLib->Params.SourceFile);
    QLabel* Label = ui->lblCurFileName;
    Label->setText(ElidePath(Path, Label->fontMetrics(), Label->contentsRect().width()));
    Label->setToolTip(Path); // the whole path, also for screen readers
    Label->setAccessibleName(Path);
}

void TfrmConverting::ShowTimeLeft() {
    ui->lblTimeLeft->setText(QString::fromStdString(TimeLeftText(TimeLeft())));
}

void TfrmConverting::tmrChangingTimer() {
    AnimationStep = NextAnimationStep(AnimationStep);
    ShowTimeLeft(); // also while the encoder says nothing
    ui->lblInfo->setText(
        QString::fromStdString(AnimationText(AnimationStep, ui->ProgressBar1->value())));
}

void TfrmConverting::ShowConvertProgress(const QString& Text) {
    LatestText = Text;
    // The narrow panel shows the text's last line; the whole text is kept.
    const QStringList Lines = QString(Text).replace('\r', '\n').split('\n', Qt::SkipEmptyParts);
    Panel->setText(Lines.isEmpty() ? QString() : Lines.last());
    Panel->setToolTip(Panel->text());
    ShowCurrentFile();
    actRefreshProgressExecute();
}

QString TfrmConverting::StatusText() const {
    return LatestText;
}

void TfrmConverting::StartBatch() {
    const TSourceListView& List = *FrmMainForm->ui->dxTreeSourceFileInfo;
    BatchRows.clear();
    std::vector<double> Lengths;
    for (int Row = 0; Row < List.RowCount(); ++Row) {
        const TRowCells& Cells = List.Row(Row);
        if (Cells[CheckStatusColumn] != "True")
            continue;
        BatchRows.push_back(Row);
        Lengths.push_back(static_cast<double>(CutSecondsOf(SourceRowOf(Cells))));
    }
    Estimator.StartBatch(std::move(Lengths));
    BatchClock.start();
}

void TfrmConverting::StartFile() {
    if (!isVisible()) // the first file of a batch
        StartBatch();
    const auto Turn =
        std::lower_bound(BatchRows.begin(), BatchRows.end(), CustomProc->Batch.FileIndex);
    Estimator.StartFile(Now(), static_cast<size_t>(Turn - BatchRows.begin()));
    ShowTimeLeft();
    ui->ProgressBar1->setValue(0);
    LatestText.clear();
    Panel->clear();
    Panel->setToolTip(QString());
}

void TfrmConverting::actRefreshProgressExecute() {
    TBatchDriver& Batch = CustomProc->Batch;
    if (++Batch.ProgressTicks <= 1) // the first text of a file tells nothing yet
        return;
    QProgressBar* File = ui->ProgressBar1;
    if (const auto Total =
            TotalBar({File->maximum(), File->value()}, Batch.DoneCount, Batch.TotalCount)) {
        ui->pbTotal->setRange(0, Total->Maximum);
        ui->pbTotal->setValue(Total->Position);
    }
    ui->lblPersent->setText(QString::fromStdString(CounterText(Batch.DoneCount, Batch.TotalCount)));
    const std::optional<int> Maximum = FileBarMaximum(CustomProc->Trim.CutDuration);
    File->setRange(0, Maximum.value_or(1));
    if (!Maximum) { // no usable length: the bar stands full
        File->setValue(1);
        return;
    }
    const TConvertParameters& Params = CommonLib->Params;
    if (const auto Seconds =
            ReportedSeconds(ToEngineText(StatusText()), Params.CodecParam, Params.OutputExt)) {
        File->setValue(std::clamp(*Seconds, 0, *Maximum));
        Estimator.Report(Now(), *Seconds);
        ShowTimeLeft();
    }
}

void TfrmConverting::StopEncoder() const {
    CustomProc->BatchHost.StopEncoder();
}

void TfrmConverting::btnStop1Click() {
    if (!CommonLib->Dialogs.Confirm("Are you sure you want to stop the work ? "))
        return;
    CustomProc->Batch.RequestStop(true);
    hide();
    FrmMainForm->EnableControls(true);
    StopEncoder();
    ui->ProgressBar1->setValue(0);
    ui->pbTotal->setRange(0, 0);
    ui->pbTotal->setValue(0);
    ui->lblPersent->setText("Current: 1, Total: ...");
}

bool TfrmConverting::FormClose() {
    if (!CustomProc->Batch.Running()) // nothing to stop
        return true;
    if (!CommonLib->Dialogs.Confirm("Are you sure to stop processing ?"))
        return false;
    hide();
    FrmMainForm->EnableControls(true);
    CustomProc->Batch.RequestStop(false);
    StopEncoder();
    return true;
}

void TfrmConverting::closeEvent(QCloseEvent* Event) {
    bool Closed = false;
    RunHandler([&] { Closed = FormClose(); });
    Event->setAccepted(Closed);
}

void TfrmConverting::reject() {
    close(); // Esc asks like the close box
}
