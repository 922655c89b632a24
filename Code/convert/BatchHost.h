#pragma once

#include "AdvanceSystem.h"
#include "BatchDriver.h"

#include <QTimer>
#include <memory>

// The batch driver's view of the windows and the system: the source list, the
// progress window, the runner of the current file, the process list and the
// end-of-batch actions, with a Qt timer for its waits.
class TBatchHost : public IBatchHost {
public:
    TBatchHost();
    ~TBatchHost() override;
    void SetDriver(TBatchDriver& Batch) { Driver = &Batch; }

    int RowCount() const override;
    bool RowChecked(int Row) const override;
    std::string RowSource(int Row) const override;
    void MarkRow(int Row, const TRowOutcome& Outcome) override;
    void ClearMarksOfCheckedRows() override;
    std::string CreateConvertParameter(const std::string& Source) override;
    void WriteLog(const std::string& Line) override;
    void ShowWarning(const std::string& Text) override;
    void ShowProgress() override;
    void HideProgress() override;
    void StartRunner(const std::string& Command) override;
    void FreeRunner() override;
    bool EncoderRunning() const override;
    // Ends the current file's encoder and waits until it is gone; false when
    // it could not be ended.
    bool StopEncoder();
    bool FileExists(const std::string& Path) const override;
    void RemoveLeftoverPartialFiles(const std::string& Folder) override;
    bool ProgramWindowActive() const override;
    void NotifyDesktop(const std::string& Text) override;
    TPathKind PathKind(const std::string& Path) const override { return PathKindOf(Path); }
    bool ShowOutputDirectoryChecked() const override;
    bool ShutdownChecked() const override;
    void OpenOutputFolder() override;
    void PowerOffAndQuit() override;
    void StartTimer(int Milliseconds) override;

private:
    TBatchDriver* Driver = nullptr;
    QTimer Timer;
    std::unique_ptr<IOutputDispatcher> Dispatcher;
    std::unique_ptr<TAdvanceSystem> Runner;
};
