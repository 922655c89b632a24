#pragma once

#include "AdvanceSystem.h"
#include "DurationProbe.h"
#include "Thread.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

// Probes the durations of files on a thread of its own, in order, and posts
// each result through the dispatcher, so that the thread adding the rows can
// go on serving its window while files are probed ahead of it.
class TProbeAhead : public TThread {
public:
    using TProbedProc = std::function<void(size_t Index, int32_t Seconds)>;

    // Paths with an empty text are passed over: nothing is posted for them.
    TProbeAhead(std::vector<std::string> Paths, const IDurationProber& Prober,
                IOutputDispatcher& Dispatcher, TProbedProc OnProbed);
    // Stops after the file being probed and waits for the thread.
    ~TProbeAhead() override;

protected:
    void Execute() override;

private:
    const std::vector<std::string> Paths;
    const IDurationProber& Prober;
    IOutputDispatcher& Dispatcher;
    const TProbedProc OnProbed;
    std::atomic<bool> Stopping{false};
};
