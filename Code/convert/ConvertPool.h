#pragma once

#include "ConvertJob.h"

#include <atomic>
#include <string>
#include <vector>

class TMediaDurationProber;

// How the files of a run ended.
struct TRunTotals {
    int Converted = 0, Skipped = 0, Incomplete = 0, Failed = 0, Stopped = 0;
};

// Converts a list of sources with a number of jobs at once, each on a thread
// of its own taking the next source when it is free, and appends each file's
// entry to the record as it ends. Runs side by side share only the output
// folder and the record.
class TConvertPool {
public:
    TConvertPool(const TRunSettings& Settings, const TRecordIndex& Done, std::string RecordFile,
                 const TMediaDurationProber& Prober, IJobProgress& Progress);

    // Returns when every source is done, or once StopSignal is set (by a
    // signal handler) and the running encoders have been ended. WorkFolder is
    // private to the run; each job makes its folder in it.
    TRunTotals Run(const std::vector<std::string>& Sources, int Jobs, const std::string& WorkFolder,
                   const std::atomic<int>& StopSignal);

private:
    const TRunSettings& Settings;
    const TRecordIndex& Done;
    const std::string RecordFile;
    const TMediaDurationProber& Prober;
    IJobProgress& Progress;
};
