#include "BatchHost.h"

#include "AppFunc.h"
#include "EventHandlers.h"
#include "Globals.h"
#include "OutputFile.h"
#include "QtText.h"
#include "QueuedDispatcher.h"
#include "SysFunc.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"
#include "Unit_Convert.h"
#include "Unit_Converting.h"
#include "ui_Unit_Convert.h"
#include "ui_Unit_Converting.h"

#include <QApplication>
#include <filesystem>

namespace {

TSourceListView& SourceList() {
    return *FrmMainForm->ui->dxTreeSourceFileInfo;
}

} // namespace

TBatchHost::TBatchHost() {
    Timer.setSingleShot(true);
    Timer.setTimerType(Qt::PreciseTimer); // the pauses are never cut short
    QObject::connect(&Timer, &QTimer::timeout,
                     [this] { RunHandler([this] { Driver->TimerElapsed(); }); });
}

TBatchHost::~TBatchHost() = default;

int TBatchHost::RowCount() const {
    return SourceList().RowCount();
}

bool TBatchHost::RowChecked(int Row) const {
    return SourceList().Row(Row)[CheckStatusColumn] == "True";
}

std::string TBatchHost::RowSource(int Row) const {
    return SourceList().Row(Row)[FileNameColumn];
}

void TBatchHost::MarkRow(int Row, const TRowOutcome& Outcome) {
    if (Row < SourceList().RowCount())
        SourceList().SetOutcome(Row, Outcome);
}

void TBatchHost::ClearMarksOfCheckedRows() {
    SourceList().ClearCheckedOutcomes();
}

std::string TBatchHost::CreateConvertParameter(const std::string& Source) {
    return CustomProc->CreateConvertParameter(Source);
}

void TBatchHost::WriteLog(const std::string& Line) {
    AppFunc->TryWriteLog(Line); // a log that cannot be written must not halt the batch
}

void TBatchHost::ShowWarning(const std::string& Text) {
    CommonLib->ShowMessageBox(FromEngineText(Text), 1);
}

void TBatchHost::ShowProgress() {
    frmConverting->StartFile();
    frmConverting->show(); // its show handler runs only when it was hidden
    FrmMainForm->EnableControls(false);
}

void TBatchHost::HideProgress() {
    frmConverting->hide();
    FrmMainForm->EnableControls(true);
}

void TBatchHost::StartRunner(const std::string& Command) {
    // Texts and the end report of an earlier file that arrive late are dropped.
    const int Serial = Driver->FileSerial;
    TBatchDriver* Batch = Driver;
    if (!Dispatcher) // one for the batch's whole life: the progress window outlives every runner
        Dispatcher = std::make_unique<TQueuedDispatcher>(*frmConverting);
    Runner = std::make_unique<TAdvanceSystem>(
        Command,
        [Serial, Batch](const std::string& Text) {
            if (Serial == Batch->FileSerial)
                frmConverting->ShowConvertProgress(FromEngineText(Text));
        },
        *Dispatcher, *AppFunc,
        [Serial, Batch](const TRunEnd& End) {
            if (Serial == Batch->FileSerial)
                Batch->RunEnded(End);
        });
    Runner->Start();
}

void TBatchHost::FreeRunner() {
    Runner.reset();
}

bool TBatchHost::EncoderRunning() const {
    return Runner && SysFunc->EncoderRunning(Runner->Control()->Group());
}

bool TBatchHost::StopEncoder() {
    // Held here: the waits let the batch finish the file and free its runner.
    const std::shared_ptr<TRunControl> Run = Runner ? Runner->Control() : nullptr;
    return !Run || CommonLib->ProcessControl().StopEncoder(*Run);
}

bool TBatchHost::FileExists(const std::string& Path) const {
    return IsRegularFile(Path);
}

void TBatchHost::RemoveLeftoverPartialFiles(const std::string& Folder) {
    evc::RemoveStalePartialFiles(Folder);
}

bool TBatchHost::ShowOutputDirectoryChecked() const {
    return FrmMainForm->ui->chkShowOutputDirectory->isChecked();
}

bool TBatchHost::ShutdownChecked() const {
    return FrmMainForm->ui->chkShutdown->isChecked();
}

bool TBatchHost::ProgramWindowActive() const {
    return QApplication::activeWindow() != nullptr;
}

void TBatchHost::NotifyDesktop(const std::string& Text) {
    CommonLib->System.Notify(Text);
}

void TBatchHost::OpenOutputFolder() {
    CommonLib->ProcessControl().OpenFolder(CommonLib->Params.OutputFolder);
}

void TBatchHost::PowerOffAndQuit() {
    // The choices of this run are kept before the machine goes down.
    RunHandler([] { CustomProc->SaveUserSettings(); });
    FrmMainForm->DropListJournal();
    CommonLib->ProcessControl().ShutdownComputer();
    frmConverting->hide(); // quitting closes visible windows, which would ask first
    QCoreApplication::quit();
}

void TBatchHost::StartTimer(int Milliseconds) {
    Timer.start(Milliseconds);
}
