#include "BatchDriver.h"

#include "CommandLine.h"
#include "FileFunc.h"
#include "RunOutcome.h"

#include <charconv>
#include <optional>

namespace {

// The seconds after -t in an encoder command; none when it has no -t.
std::optional<long long> CommandCutSeconds(const std::vector<std::string>& Words) {
    for (size_t I = 0; I + 1 < Words.size(); ++I) {
        long long Seconds = 0;
        const std::string& Value = Words[I + 1];
        if (Words[I] == "-t" &&
            std::from_chars(Value.data(), Value.data() + Value.size(), Seconds).ec == std::errc())
            return Seconds;
    }
    return std::nullopt;
}

// "Korvalin: 3 files converted", or "Korvalin: 2 of 3 files converted".
std::string BatchEndNotice(int Converted, int Total) {
    const std::string Files = Total == 1 ? " file converted" : " files converted";
    return "Korvalin: " +
           (Converted == Total ? std::to_string(Total)
                               : std::to_string(Converted) + " of " + std::to_string(Total)) +
           Files;
}

} // namespace

void TBatchDriver::ConvertFileList() {
    if (Running())
        return;
    DoneCount = 0;
    TotalCount = 0;
    for (int Row = 0; Row < Host.RowCount(); ++Row)
        TotalCount += Host.RowChecked(Row) ? 1 : 0;
    FailedFiles.clear();
    Host.ClearMarksOfCheckedRows();
    if (Host.RowCount() == 0) {
        Host.ShowWarning("Please add media files you want to convert into the list.");
        Host.HideProgress();
        return;
    }
    FileIndex = 0;
    Stopping = false;
    NextFile();
}

void TBatchDriver::NextFile() {
    for (; FileIndex < Host.RowCount() && !Stopping; ++FileIndex) {
        if (!Host.RowChecked(FileIndex))
            continue;
        CurrentSource = Host.RowSource(FileIndex);
        // Gone or replaced since it was added: a pipe or device would hold the encoder.
        if (const TPathKind Kind = Host.PathKind(CurrentSource); Kind != TPathKind::RegularFile) {
            NoteFailure(CurrentSource, Kind == TPathKind::Missing ? "the file no longer exists"
                                                                  : "it is not a regular file");
            continue;
        }
        try {
            ConvertCommand = Host.CreateConvertParameter(CurrentSource);
        } catch (const std::exception& Error) {
            NoteFailure(CurrentSource, Error.what());
            continue;
        }
        // The encoder refuses an empty cut; the user is told why in words.
        if (const auto Cut = CommandCutSeconds(SplitCommandLine(ConvertCommand));
            Cut && *Cut <= 0) {
            NoteFailure(CurrentSource,
                        "nothing to convert: the end time is not after the start time");
            continue;
        }
        Host.WriteLog("parameter: " + ConvertCommand);
        ProgressTicks = 0;
        Host.ShowProgress();
        Step = TStep::BeforeFile;
        Host.StartTimer(PauseBeforeFile);
        return;
    }
    EndBatch();
}

void TBatchDriver::TimerElapsed() {
    switch (Step) {
    case TStep::Idle:
        return;
    case TStep::BeforeFile:
        if (StopRequested) { // stopped during the pause: this file is not started
            ++FileIndex;
            NextFile();
            return;
        }
        ++FileSerial;
        RunEndKnown = false;
        Host.StartRunner(ConvertCommand);
        Step = TStep::EncoderStarting;
        Host.StartTimer(EncoderAppears);
        return;
    case TStep::EncoderStarting:
    case TStep::EncoderRunning:
        // The runner's report of its end follows its process within a turn.
        if (Host.EncoderRunning() || !RunEndKnown) {
            Step = TStep::EncoderRunning;
            Host.StartTimer(EncoderLookInterval);
            return;
        }
        FinishFile();
        return;
    }
}

void TBatchDriver::RunEnded(const TRunEnd& End) {
    LastRun = End;
    RunEndKnown = true;
    if (Step == TStep::EncoderRunning && !Host.EncoderRunning())
        FinishFile();
}

void TBatchDriver::FinishFile() {
    Host.FreeRunner();
    ++DoneCount;
    for (const std::string& Note : LastRun.EncoderNotes)
        Host.WriteLog("Convert note: " + CurrentSource + " (" + Note + ")");
    const TRunOutcome Outcome = JudgeRun(
        LastRun, ConvertCommand, [this](const std::string& Path) { return Host.FileExists(Path); });
    if (Stopping) // a file the user stopped has not failed
        RemovePartialOutput();
    else if (!Outcome.Reason.empty())
        NoteFailure(CurrentSource, Outcome.Reason);
    else
        Host.MarkRow(FileIndex, {TRowOutcome::TKind::Converted, Outcome.Output});
    ++FileIndex;
    NextFile();
}

void TBatchDriver::EndBatch() {
    Step = TStep::Idle;
    if (!StopRequested) {
        if (Host.ShowOutputDirectoryChecked())
            Host.OpenOutputFolder();
        if (Host.ShutdownChecked()) {
            Host.PowerOffAndQuit();
            return;
        }
        if (!Stopping && !Host.ProgramWindowActive())
            Host.NotifyDesktop(
                BatchEndNotice(TotalCount - static_cast<int>(FailedFiles.size()), TotalCount));
        if (!FailedFiles.empty()) {
            std::string Text = "These files were not converted:";
            for (const std::string& File : FailedFiles)
                Text += "\n" + File;
            Host.ShowWarning(Text);
        }
    }
    StopRequested = false;
    Host.HideProgress();
}

void TBatchDriver::RequestStop(bool SkipEndActions) {
    if (!Running()) // answered after the batch had ended: nothing is left to stop
        return;
    StopRequested = StopRequested || SkipEndActions;
    FileIndex = Host.RowCount() + 10;
    Stopping = true; // rows added meanwhile are not converted either
}

void TBatchDriver::RemovePartialOutput() {
    if (const std::string Output = OutputFile(); !Output.empty())
        Host.RemoveLeftoverPartialFiles(TFileFunc().FileFolder(Output));
}

std::string TBatchDriver::OutputFile() const {
    const std::vector<std::string> Words = SplitCommandLine(ConvertCommand);
    return Words.empty() ? std::string() : Words.back();
}

void TBatchDriver::NoteFailure(const std::string& Source, const std::string& Reason) {
    Host.WriteLog("Convert error: " + Source + " (" + Reason + ")");
    Host.MarkRow(FileIndex, {TRowOutcome::TKind::NotConverted, Reason});
    FailedFiles.push_back(Source + " (" + Reason + ")");
}
