// korvalin-convert: Korvalin's conversions without a window.
#include "ConvertCommand.h"

#include <csignal>
#include <iostream>
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
    sigemptyset(&Action.sa_mask);
    sigaction(SIGINT, &Action, nullptr);
    sigaction(SIGTERM, &Action, nullptr);
    std::signal(SIGPIPE, SIG_IGN); // a reader that went away must not end the conversions
    return RunConvertCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                             isatty(STDOUT_FILENO) != 0, StopSignal);
}
