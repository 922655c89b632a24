#include "RunGuard.h"

#include "EvcContract.h"

#include <array>
#include <climits>
#include <csignal>
#include <cstdlib>
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

constexpr std::array<int, 3> Signals = {SIGTERM, SIGINT, SIGHUP};
std::array<struct sigaction, Signals.size()> Before;

} // namespace

TRunGuard::TRunGuard(const std::string& PartialFile) {
    if (PartialFile.size() < sizeof PartialPath) {
        std::memcpy(PartialPath, PartialFile.c_str(), PartialFile.size() + 1);
        Armed = 1;
    }
    struct sigaction Action {};
    Action.sa_handler = &EndOnSignal;
    sigemptyset(&Action.sa_mask);
    for (size_t Index = 0; Index < Signals.size(); ++Index) {
        sigaction(Signals[Index], nullptr, &Before[Index]);
        if (Before[Index].sa_handler != SIG_IGN) // as nohup asked: such a signal stays ignored
            sigaction(Signals[Index], &Action, nullptr);
    }
    const char* EndWithStarter = std::getenv(EndWithStarterVariable);
    struct stat Input {};
    WatchStarter = EndWithStarter && std::strcmp(EndWithStarter, "1") == 0 &&
                   fstat(STDIN_FILENO, &Input) == 0 && S_ISFIFO(Input.st_mode);
}

TRunGuard::~TRunGuard() {
    Armed = 0;
    for (size_t Index = 0; Index < Signals.size(); ++Index)
        sigaction(Signals[Index], &Before[Index], nullptr);
}

void TRunGuard::EndIfStarterGone() const {
    if (!WatchStarter)
        return;
    pollfd Pipe{STDIN_FILENO, POLLIN, 0};
    if (poll(&Pipe, 1, 0) == 1 && (Pipe.revents & (POLLHUP | POLLERR)) != 0)
        EndRun(128 + SIGHUP);
}

} // namespace evc
