#pragma once

#include "ListJournal.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// Writes the list's journal on a thread of its own, so that the thread that
// posts it only copies the rows. Only the newest journal posted matters: one
// posted while another waits takes its place. Each is written whole in place
// of the old file, or the file is removed, and never one after a later one.
class TJournalWriter {
public:
    // Failed is called on the writer's thread with the reason in words; the
    // same reason again is not repeated until a write succeeds.
    TJournalWriter(std::string FileName, std::function<void(const std::string&)> Failed);
    // Writes what is still waiting, then ends the thread.
    ~TJournalWriter();
    TJournalWriter(const TJournalWriter&) = delete;
    TJournalWriter& operator=(const TJournalWriter&) = delete;

    void Post(TListJournal Journal);
    // Removes the file; where it cannot be removed, it is emptied of rows, so
    // that no start offers an old list.
    void PostRemoval();
    // Returns when everything posted so far is done.
    void Flush();

private:
    void Run(std::stop_token Stop);
    void Replace(std::optional<TListJournal> Next);

    const std::string FileName;
    const std::function<void(const std::string&)> Failed;
    std::mutex Lock;
    std::condition_variable_any Changed;
    // The journal to write, or nothing for a removal; empty while none waits.
    std::optional<std::optional<TListJournal>> Waiting;
    bool Busy = false;
    std::string LastFailure; // the writer thread's own
    std::jthread Worker;     // last: it starts once the rest is in place
};
