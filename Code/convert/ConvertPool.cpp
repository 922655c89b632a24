#include "ConvertPool.h"

#include "AdvanceSystem.h"

#include <chrono>
#include <filesystem>
#include <mutex>
#include <thread>

namespace {

void Count(const TConversionEntry& Entry, TRunTotals& Totals) {
    const std::string& Outcome = Entry.Outcome;
    int& Counter = Outcome == "converted"    ? Totals.Converted
                   : Outcome == "skipped"    ? Totals.Skipped
                   : Outcome == "incomplete" ? Totals.Incomplete
                   : Outcome == "stopped"    ? Totals.Stopped
                                             : Totals.Failed;
    ++Counter;
}

// A file that could not be converted for an unforeseen reason is recorded as
// failed with it; the other files go on.
TConversionEntry Convert(const TConvertJob& Job, const std::string& Source, TRunControl& Control) {
    try {
        return Job.Convert(Source, Control);
    } catch (const std::exception& Error) {
        TConversionEntry Entry;
        Entry.Source = Source;
        Entry.Outcome = "failed";
        Entry.Reason = Error.what();
        return Entry;
    }
}

} // namespace

TConvertPool::TConvertPool(const TRunSettings& Settings, const TRecordIndex& Done,
                           std::string RecordFile, const TMediaDurationProber& Prober,
                           IJobProgress& Progress)
    : Settings(Settings), Done(Done), RecordFile(std::move(RecordFile)), Prober(Prober),
      Progress(Progress) {}

TRunTotals TConvertPool::Run(const std::vector<std::string>& Sources, int Jobs,
                             const std::string& WorkFolder, const std::atomic<int>& StopSignal) {
    TRunTotals Totals;
    std::mutex TotalsLock;
    std::atomic<size_t> Next = 0;
    std::atomic<bool> Stopping = false;
    // Asked to end their encoders only once the run stops, when no job takes
    // a further source, so a control serves all of its job's runs. All are
    // made before the first job starts.
    std::vector<TRunControl> Controls(std::min(static_cast<size_t>(Jobs), Sources.size()));
    std::atomic<size_t> Running = Controls.size();
    const auto RunJob = [&](size_t Number) {
        const std::string JobFolder = WorkFolder + "job" + std::to_string(Number + 1) + "/";
        std::error_code Error; // a job without its folder records each file's failure
        std::filesystem::create_directories(JobFolder, Error);
        const TConvertJob Job(static_cast<int>(Number), Settings, Done, JobFolder, Prober, Progress,
                              StopSignal);
        for (size_t Index; !Stopping && StopSignal == 0 && (Index = Next++) < Sources.size();) {
            TConversionEntry Entry = Convert(Job, Sources[Index], Controls[Number]);
            try {
                AppendRecordLine(RecordFile, RecordLine(Entry));
            } catch (const std::system_error& Error) {
                Entry.Outcome = "failed";
                Entry.Reason = std::string("not recorded: ") + Error.what();
            }
            Progress.Ended(static_cast<int>(Number), Entry);
            const std::lock_guard Lock(TotalsLock);
            Count(Entry, Totals);
        }
        --Running;
    };
    std::vector<std::thread> Threads;
    for (size_t Number = 0; Number < Controls.size(); ++Number) {
        try {
            Threads.emplace_back(RunJob, Number);
        } catch (const std::system_error&) { // fewer jobs than asked for share the files
            Running -= Controls.size() - Number;
            break;
        }
    }
    if (Threads.empty()) { // no thread at all: this one converts, stopping between files
        ++Running;
        RunJob(0);
    }
    while (Running > 0) {
        if (StopSignal != 0 && !Stopping) {
            Stopping = true;
            for (TRunControl& Control : Controls)
                Control.RequestEnd();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    for (std::thread& Thread : Threads)
        Thread.join();
    return Totals;
}
