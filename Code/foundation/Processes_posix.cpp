#include "Processes.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Whether the process that /proc/PID/stat describes belongs to the group and
// still runs: a zombie has ended and only waits for a parent that may never
// collect it, as under a container's init.
bool RunsInGroup(const std::filesystem::path& StatFile, long Group) {
    std::ifstream Stat(StatFile);
    std::string Line;
    std::getline(Stat, Line);
    const size_t NameEnd = Line.rfind(')'); // the name may hold blanks and parentheses
    if (NameEnd == std::string::npos)
        return false;
    std::istringstream Fields(Line.substr(NameEnd + 1));
    char State = 0;
    long Parent = 0, ProcessGroup = 0;
    return Fields >> State >> Parent >> ProcessGroup && ProcessGroup == Group && State != 'Z';
}

} // namespace

bool ProcessGroupExists(long Group) {
    if (Group <= 0 || (kill(static_cast<pid_t>(-Group), 0) != 0 && errno == ESRCH))
        return false;
    std::error_code Error;
    for (const auto& Entry : std::filesystem::directory_iterator("/proc", Error))
        if (std::isdigit(static_cast<unsigned char>(Entry.path().filename().string()[0])) &&
            RunsInGroup(Entry.path() / "stat", Group))
            return true;
    return false;
}

void LaunchDetached(const std::vector<std::string>& Arguments) {
    // A shell that puts the program in the background and ends at once, so that
    // nothing is left to wait for; the arguments travel as its parameters.
    std::vector<std::string> Shell = {"sh", "-c", "\"$0\" \"$@\" >/dev/null 2>&1 </dev/null &"};
    Shell.insert(Shell.end(), Arguments.begin(), Arguments.end());
    std::vector<char*> Argv;
    for (std::string& Argument : Shell)
        Argv.push_back(Argument.data());
    Argv.push_back(nullptr);
    pid_t Pid = 0;
    if (posix_spawnp(&Pid, "sh", nullptr, nullptr, Argv.data(), environ) == 0)
        waitpid(Pid, nullptr, 0);
}

void TrimHeap() {
    malloc_trim(0);
}

bool IsExecutableFile(const std::string& Path) {
    struct stat Info {};
    return stat(Path.c_str(), &Info) == 0 && S_ISREG(Info.st_mode) &&
           access(Path.c_str(), X_OK) == 0;
}
