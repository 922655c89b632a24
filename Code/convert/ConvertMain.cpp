// korvalin-convert: Korvalin's conversions without a window.
#include "ConvertCommand.h"

#include <algorithm>
#include <csignal>
#include <iostream>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

std::atomic<int> StopSignal = 0;

void NoteStop(int Signal) {
    StopSignal = Signal;
}

} // namespace

int main(int argc, char* argv[]) {
    struct sigaction Action {};
    Action.sa_handler = &NoteStop;
    Action.sa_flags = SA_RESTART; // the work goes on until the jobs see the signal
    sigemptyset(&Action.sa_mask);
    sigaction(SIGINT, &Action, nullptr);
    sigaction(SIGTERM, &Action, nullptr);
    std::signal(SIGPIPE, SIG_IGN); // a reader that went away must not end the conversions
    winsize Terminal{};
    const int Columns = isatty(STDOUT_FILENO) && ioctl(STDOUT_FILENO, TIOCGWINSZ, &Terminal) == 0
                            ? std::max<int>(Terminal.ws_col, 40)
                            : 0;
    return RunConvertCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                             Columns, StopSignal);
}
