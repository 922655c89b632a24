#pragma once

#include "AdvanceSystem.h"
#include "DurationProbe.h"

#include <atomic>
#include <exception>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// What probing found of a file: how long it plays and, when it plays, its
// size or why that could not be read; when it does not, why in words.
struct TProbedFile {
    int32_t Seconds = 0;
    int64_t Size = 0;
    std::exception_ptr SizeError;
    std::string Unreadable;
};

// Probes files on worker threads of its own, each taking the next file not yet
// taken, and posts every result through the dispatcher, so that the thread
// adding the rows goes on serving its window while files are probed ahead of
// it. Results come in the order the workers finish; a file that takes long
// holds up only its own worker.
class TProbeAhead {
public:
    using TProbedProc = std::function<void(size_t Index, const TProbedFile& Probed)>;

    // Paths with an empty text are passed over: nothing is posted for them.
    TProbeAhead(std::vector<std::string> Paths, const IDurationProber& Prober,
                IOutputDispatcher& Dispatcher, TProbedProc OnProbed);
    // Each worker stops after the file it is probing; waits for them all.
    ~TProbeAhead();
    TProbeAhead(const TProbeAhead&) = delete;
    TProbeAhead& operator=(const TProbeAhead&) = delete;

    // Starts Workers threads (at least one).
    void Start(unsigned Workers);

private:
    void Work();

    const std::vector<std::string> Paths;
    const IDurationProber& Prober;
    IOutputDispatcher& Dispatcher;
    const TProbedProc OnProbed;
    std::atomic<size_t> NextPath{0};
    std::atomic<bool> Stopping{false};
    std::vector<std::thread> Threads;
};
