#pragma once

#include "AdvanceSystem.h"
#include "FileSystem.h"
#include "SourceRowStore.h"

#include <string>
#include <vector>

// What the batch driver asks of the windows and of the system.
class IBatchHost {
public:
    virtual ~IBatchHost() = default;
    // The source list, read afresh at every test: its rows, whether a row's
    // check cell reads "True", and its source path.
    virtual int RowCount() const = 0;
    virtual bool RowChecked(int Row) const = 0;
    virtual std::string RowSource(int Row) const = 0;
    // Marks a row with how the batch left it; a new batch clears the marks of
    // the rows it takes, and the others keep how an earlier batch left them.
    virtual void MarkRow(int Row, const TRowOutcome& Outcome) = 0;
    virtual void ClearMarksOfCheckedRows() = 0;
    // Builds the encoder command for a source (empty when the output type has
    // none); may throw when the script cannot be written or the path quoted.
    virtual std::string CreateConvertParameter(const std::string& Source) = 0;
    virtual void WriteLog(const std::string& Line) = 0;
    virtual void ShowWarning(const std::string& Text) = 0;
    // Shows the progress window with its per-file bar at 0 and disables the main window.
    virtual void ShowProgress() = 0;
    // Hides the progress window and enables the main window.
    virtual void HideProgress() = 0;
    // Starts the encoder runner of the current file; how it ended comes back
    // through TBatchDriver::RunEnded.
    virtual void StartRunner(const std::string& Command) = 0;
    // Frees the runner, which waits for its thread to end.
    virtual void FreeRunner() = 0;
    // True while the encoder the runner started, or a program it started, runs.
    virtual bool EncoderRunning() const = 0;
    virtual bool FileExists(const std::string& Path) const = 0;
    // Removes what encoders that no longer run were writing in the folder.
    virtual void RemoveLeftoverPartialFiles(const std::string& Folder) = 0;
    // What a source path leads to when its turn comes.
    virtual TPathKind PathKind(const std::string& Path) const = 0;
    // The end-of-batch choices of the main window and their actions.
    virtual bool ShowOutputDirectoryChecked() const = 0;
    virtual bool ShutdownChecked() const = 0;
    virtual void OpenOutputFolder() = 0;
    // Saves the user settings, powers the computer off and ends the program.
    virtual void PowerOffAndQuit() = 0;
    // Whether one of the program's windows, the progress window included, is
    // the active window, and a word to the desktop for when none is.
    virtual bool ProgramWindowActive() const = 0;
    virtual void NotifyDesktop(const std::string& Text) = 0;
    // Calls TBatchDriver::TimerElapsed once, Milliseconds from now; replaces a
    // call still pending.
    virtual void StartTimer(int Milliseconds) = 0;
};

// Converts the checked rows of the source list one after another: a pause of
// 2000 ms before each file, the runner, 3000 ms for the encoder to appear, then
// a look every 100 ms until no encoder process is left; after the last file the
// end-of-batch actions. Every wait is a state left to a timer, so the thread
// that drives it never blocks. Files that are gone or are no longer regular
// files, rows whose cut is empty, and files whose encoder could not start,
// failed, left no output or could read only part of the source, are logged and
// named in one warning at the end, with the encoder's own reason when it gave
// one; only the others count as converted. A file the user stopped leaves
// nothing in the output folder. A batch that ends by itself while the user looks elsewhere also
// tells the desktop.
class TBatchDriver {
public:
    explicit TBatchDriver(IBatchHost& Host) : Host(Host) {}

    // Its waits, in milliseconds.
    static constexpr int PauseBeforeFile = 2000;
    static constexpr int EncoderAppears = 3000;
    static constexpr int EncoderLookInterval = 100;

    // Starts a batch; ignored while one runs, also after a stop until it ends.
    void ConvertFileList();
    void TimerElapsed();
    // How the current file's runner ended; when its encoder is gone too, the
    // file is finished at once.
    void RunEnded(const TRunEnd& End);
    // The stop handlers: the loop ends after the current file; with
    // SkipEndActions (the Stop button) the end-of-batch actions are skipped.
    // A stop that comes when no batch runs changes nothing.
    void RequestStop(bool SkipEndActions);
    // Removes what the current file's encoder was writing, once it has been
    // ended; a finished output has its own name already and stays, and so do
    // the files of encoders still running.
    void RemovePartialOutput();
    bool Running() const { return Step != TStep::Idle; }

    // The batch's counters and flags, read by the progress window.
    int TotalCount = 0;
    int DoneCount = 0;
    int FileIndex = 0;
    int ProgressTicks = 0;
    bool StopRequested = false;
    std::string ConvertCommand;
    // Counts the files started, so that late output of a file is told apart.
    int FileSerial = 0;

private:
    enum class TStep { Idle, BeforeFile, EncoderStarting, EncoderRunning };
    void NextFile();
    void FinishFile();
    void EndBatch();
    // Logs and marks the row being converted as not converted, and names it at the end.
    void NoteFailure(const std::string& Source, const std::string& Reason);
    // The output file that the current command names, empty when there is none.
    std::string OutputFile() const;

    IBatchHost& Host;
    TStep Step = TStep::Idle;
    std::string CurrentSource;
    bool Stopping = false;
    bool RunEndKnown = false;
    TRunEnd LastRun;
    std::vector<std::string> FailedFiles;
};
