// A stand-in for the encoder whose behaviour the tests choose, step by step:
//   --write N        write N bytes at once
//   --line TEXT      write TEXT and a line feed
//   --slow N MS      write N lines, one every MS milliseconds
//   --stdin MS       report whether standard input delivers anything within MS
//   --fds            report how many descriptors are open
//   --where          report the working folder and whether it leads a session
//   --sleep MS       sleep
//   --stamp FILE     write the monotonic clock in nanoseconds to FILE
//   --exit CODE      exit with CODE (the default is 0)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <poll.h>
#include <string>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace {

void Say(const std::string& Text) {
    if (write(STDOUT_FILENO, Text.data(), Text.size()) < 0)
        std::exit(3);
}

int OpenDescriptors() {
    int Count = 0;
    DIR* Fds = opendir("/proc/self/fd");
    while (dirent* Entry = readdir(Fds))
        Count += Entry->d_name[0] != '.';
    closedir(Fds);
    return Count - 1; // the listing's own descriptor
}

} // namespace

int main(int argc, char* argv[]) {
    int ExitCode = 0;
    for (int I = 1; I < argc; ++I) {
        const std::string Step = argv[I];
        const auto Number = [&] { return I + 1 < argc ? std::atol(argv[++I]) : 0L; };
        if (Step == "--write") {
            Say(std::string(static_cast<size_t>(Number()), 'x'));
        } else if (Step == "--line" && I + 1 < argc) {
            Say(std::string(argv[++I]) + "\n");
        } else if (Step == "--slow") {
            const long Lines = Number(), Pause = Number();
            for (long Line = 0; Line < Lines; ++Line) {
                Say("line " + std::to_string(Line) + "\n");
                std::this_thread::sleep_for(std::chrono::milliseconds(Pause));
            }
        } else if (Step == "--stdin") {
            pollfd Input{STDIN_FILENO, POLLIN, 0};
            const int Ready = poll(&Input, 1, static_cast<int>(Number()));
            char Byte;
            Say(Ready == 0                         ? "stdin: nothing"
                : read(STDIN_FILENO, &Byte, 1) > 0 ? "stdin: data"
                                                   : "stdin: end");
        } else if (Step == "--fds") {
            Say("fds: " + std::to_string(OpenDescriptors()));
        } else if (Step == "--where") {
            char Folder[4096];
            Say(std::string("cwd: ") + (getcwd(Folder, sizeof Folder) ? Folder : "?") +
                (getsid(0) == getpid() ? " session leader" : " in parent session"));
        } else if (Step == "--sleep") {
            std::this_thread::sleep_for(std::chrono::milliseconds(Number()));
        } else if (Step == "--stamp" && I + 1 < argc) {
            timespec Now{};
            clock_gettime(CLOCK_MONOTONIC, &Now);
            if (FILE* Stamp = std::fopen(argv[++I], "w")) {
                std::fprintf(Stamp, "%lld", Now.tv_sec * 1000000000LL + Now.tv_nsec);
                std::fclose(Stamp);
            }
        } else if (Step == "--exit") {
            ExitCode = static_cast<int>(Number());
        }
    }
    return ExitCode;
}
