#include "Processes.h"

#include "FileFunc.h"

#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

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
        return TFileFunc().FileName(Path);
    }
    std::string Name;
    if (std::ifstream Cmdline(ProcFolder + "/cmdline");
        std::getline(Cmdline, Name, '\0') && !Name.empty())
        return TFileFunc().FileName(Name);
    std::ifstream Comm(ProcFolder + "/comm");
    std::getline(Comm, Name);
    return Name;
}

} // namespace

std::vector<TProcessEntry> ListProcesses() {
    std::vector<TProcessEntry> Processes;
    std::error_code Error;
    for (const auto& Entry : std::filesystem::directory_iterator("/proc", Error)) {
        const std::string Folder = Entry.path().filename().string();
        char* End = nullptr;
        const unsigned long Pid = std::strtoul(Folder.c_str(), &End, 10);
        if (*End != '\0' || Pid == 0)
            continue;
        std::string Name = ExeNameOf(Entry.path().string());
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
