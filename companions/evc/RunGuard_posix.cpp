#include "RunGuard.h"

#include <climits>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace evc {
namespace {

// What the signal handler may touch: a fixed buffer and a flag.
char PartialPath[PATH_MAX];
volatile std::sig_atomic_t Armed = 0;

[[noreturn]] void EndRun(int Code) {
    if (Armed)
        unlink(PartialPath);
    _exit(Code);
}

void EndOnSignal(int Signal) {
    EndRun(128 + Signal);
}

constexpr int Signals[] = {SIGTERM, SIGINT, SIGHUP};

} // namespace

TRunGuard::TRunGuard(const std::string& PartialFile) {
    if (PartialFile.size() < sizeof PartialPath) {
        std::memcpy(PartialPath, PartialFile.c_str(), PartialFile.size() + 1);
        Armed = 1;
    }
    struct sigaction Action {};
    Action.sa_handler = &EndOnSignal;
    sigemptyset(&Action.sa_mask);
    for (const int Signal : Signals)
        sigaction(Signal, &Action, nullptr);
}

TRunGuard::~TRunGuard() {
    Armed = 0;
    for (const int Signal : Signals)
        std::signal(Signal, SIG_DFL);
}

void TRunGuard::EndIfStarterGone() const {
    struct stat Input {};
    if (fstat(STDIN_FILENO, &Input) != 0 || !S_ISFIFO(Input.st_mode))
        return; // started from a terminal or with a file: no starter to watch
    pollfd Pipe{STDIN_FILENO, POLLIN, 0};
    if (poll(&Pipe, 1, 0) == 1 && (Pipe.revents & (POLLHUP | POLLERR)) != 0)
        EndRun(128 + SIGHUP);
}

} // namespace evc
