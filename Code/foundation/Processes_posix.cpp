#include "Processes.h"

#include <climits>
#include <csignal>
#include <dirent.h>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::string FileNamePart(const std::string& Path) {
    return Path.substr(Path.rfind('/') == std::string::npos ? 0 : Path.rfind('/') + 1);
}

// The executable's file name: from the exe link, else from the first argument,
// else the kernel's short command name.
std::string ExeNameOf(const std::string& ProcFolder) {
    char Target[PATH_MAX];
    const ssize_t Length = readlink((ProcFolder + "/exe").c_str(), Target, sizeof Target);
    if (Length > 0) {
        std::string Path(Target, static_cast<size_t>(Length));
        const std::string Deleted = " (deleted)";
        if (Path.size() > Deleted.size() && Path.ends_with(Deleted))
            Path.resize(Path.size() - Deleted.size());
        return FileNamePart(Path);
    }
    std::string Name;
    if (std::ifstream Cmdline(ProcFolder + "/cmdline");
        std::getline(Cmdline, Name, '\0') && !Name.empty())
        return FileNamePart(Name);
    std::ifstream Comm(ProcFolder + "/comm");
    std::getline(Comm, Name);
    return Name;
}

struct TDirCloser {
    void operator()(DIR* Dir) const { closedir(Dir); }
};

} // namespace

std::vector<TProcessEntry> ListProcesses() {
    std::vector<TProcessEntry> Processes;
    std::unique_ptr<DIR, TDirCloser> Proc(opendir("/proc"));
    if (!Proc)
        return Processes;
    while (dirent* Entry = readdir(Proc.get())) {
        char* End = nullptr;
        const unsigned long Pid = std::strtoul(Entry->d_name, &End, 10);
        if (*End != '\0' || Pid == 0)
            continue;
        std::string Name = ExeNameOf(std::string("/proc/") + Entry->d_name);
        if (!Name.empty()) // a process that ended while it was being looked at
            Processes.push_back({static_cast<uint32_t>(Pid), std::move(Name)});
    }
    return Processes;
}

bool TerminateProcess(uint32_t ProcessId) {
    return ProcessId != 0 && kill(static_cast<pid_t>(ProcessId), SIGKILL) == 0;
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
