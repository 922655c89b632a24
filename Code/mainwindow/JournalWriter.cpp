#include "JournalWriter.h"

#include "FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <utility>

TJournalWriter::TJournalWriter(std::string FileName, std::function<void(const std::string&)> Failed)
    : FileName(std::move(FileName)), Failed(std::move(Failed)),
      Worker([this](std::stop_token Stop) { Run(Stop); }) {}

TJournalWriter::~TJournalWriter() {
    Flush();
}

void TJournalWriter::Post(TListJournal Journal) {
    Replace(std::move(Journal));
}

void TJournalWriter::PostRemoval() {
    Replace(std::nullopt);
}

void TJournalWriter::Replace(std::optional<TListJournal> Next) {
    {
        const std::lock_guard Held(Lock);
        Waiting = std::move(Next);
    }
    Changed.notify_all();
}

void TJournalWriter::Flush() {
    std::unique_lock Held(Lock);
    Changed.wait(Held, [this] { return !Waiting && !Busy; });
}

void TJournalWriter::Run(std::stop_token Stop) {
    std::unique_lock Held(Lock);
    while (Changed.wait(Held, Stop, [this] { return Waiting.has_value(); })) {
        const std::optional<TListJournal> Next = std::move(*Waiting);
        Waiting.reset();
        Busy = true;
        Held.unlock();
        try {
            if (Next)
                ReplaceFileContent(FileName, JournalText(*Next));
            else if (std::remove(FileName.c_str()) != 0 && errno != ENOENT)
                ReplaceFileContent(FileName, JournalText({}));
            LastFailure.clear();
        } catch (const std::exception& Error) {
            if (Error.what() != std::exchange(LastFailure, Error.what()))
                Failed(LastFailure);
        }
        Held.lock();
        Busy = false;
        Changed.notify_all();
    }
}
