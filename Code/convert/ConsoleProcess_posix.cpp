#include "ConsoleProcess.h"

#include "CommandLine.h"
#include "EvcContract.h"
#include "Processes.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

void CloseFd(int& Fd) {
    if (Fd >= 0)
        close(Fd);
    Fd = -1;
}

// The spawn settings of a console child: new session, the pipes as its
// standard handles, the working folder, nothing else inherited.
struct TSpawnSetup {
    posix_spawn_file_actions_t Actions;
    posix_spawnattr_t Attributes;
    TSpawnSetup(int Input, int Output, const std::string& Folder) {
        posix_spawn_file_actions_init(&Actions);
        posix_spawn_file_actions_adddup2(&Actions, Input, STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&Actions, Output, STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&Actions, Output, STDERR_FILENO);
        posix_spawn_file_actions_addclosefrom_np(&Actions, STDERR_FILENO + 1);
        if (!Folder.empty())
            posix_spawn_file_actions_addchdir_np(&Actions, Folder.c_str());
        posix_spawnattr_init(&Attributes);
        sigset_t Default;
        sigfillset(&Default);
        posix_spawnattr_setsigdefault(&Attributes, &Default);
        sigset_t None;
        sigemptyset(&None);
        posix_spawnattr_setsigmask(&Attributes, &None);
        posix_spawnattr_setflags(&Attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGDEF |
                                                  POSIX_SPAWN_SETSIGMASK);
    }
    ~TSpawnSetup() {
        posix_spawn_file_actions_destroy(&Actions);
        posix_spawnattr_destroy(&Attributes);
    }
};

// This program's environment, and the word that has the encoder end with it:
// its standard input is the pipe this side holds open until it ends.
std::vector<char*> EnvironmentOfChild() {
    static std::string EndWithUs = std::string(evc::EndWithStarterVariable) + "=1";
    std::vector<char*> Environment;
    for (char** Entry = environ; *Entry; ++Entry)
        Environment.push_back(*Entry);
    Environment.push_back(EndWithUs.data());
    Environment.push_back(nullptr);
    return Environment;
}

} // namespace

TConsoleProcess::~TConsoleProcess() {
    CloseAll();
}

void TConsoleProcess::CloseAll() {
    CloseFd(InputWrite);
    CloseFd(OutputRead);
    CloseFd(ChildHandle);
}

bool TConsoleProcess::Start(const std::string& CommandLine, const std::string& WorkingFolder) {
    std::vector<std::string> Words = ResolveCommandLine(CommandLine, &IsExecutableFile);
    if (Words.empty())
        return false;
    int Input[2], Output[2];
    if (pipe2(Input, O_CLOEXEC) != 0)
        return false;
    if (pipe2(Output, O_CLOEXEC) != 0) {
        close(Input[0]);
        close(Input[1]);
        return false;
    }
    std::vector<char*> Argv;
    for (std::string& Word : Words)
        Argv.push_back(Word.data());
    Argv.push_back(nullptr);

    pid_t Pid = 0;
    const TSpawnSetup Setup(Input[0], Output[1], WorkingFolder);
    const bool Started = posix_spawn(&Pid, Argv[0], &Setup.Actions, &Setup.Attributes, Argv.data(),
                                     EnvironmentOfChild().data()) == 0;
    close(Input[0]);
    close(Output[1]);
    InputWrite = Input[1];
    OutputRead = Output[0];
    if (!Started) {
        CloseAll();
        return false;
    }
    Child = Pid;
    ChildHandle = static_cast<int>(syscall(SYS_pidfd_open, Pid, 0));
    return true;
}

bool TConsoleProcess::IsRunning() {
    if (Child != 0 && !Ended) {
        int Status = 0;
        const pid_t Result = waitpid(static_cast<pid_t>(Child), &Status, WNOHANG);
        Ended = Result != 0 && !(Result < 0 && errno == EINTR);
        if (Result > 0)
            EndCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : 128 + WTERMSIG(Status);
    }
    return Child != 0 && !Ended;
}

void TConsoleProcess::EndGroup() const {
    if (Child != 0)
        kill(static_cast<pid_t>(-Child), SIGKILL);
}

size_t TConsoleProcess::BytesWaiting() const {
    int Waiting = 0;
    if (OutputRead < 0 || ioctl(OutputRead, FIONREAD, &Waiting) != 0 || Waiting < 0)
        return 0;
    return static_cast<size_t>(Waiting);
}

std::string TConsoleProcess::Read(size_t MaxBytes) {
    std::string Text(MaxBytes, '\0');
    const ssize_t Count = OutputRead < 0 ? -1 : read(OutputRead, Text.data(), MaxBytes);
    Text.resize(Count > 0 ? static_cast<size_t>(Count) : 0);
    return Text;
}

void TConsoleProcess::WaitForOutput(int Milliseconds) const {
    pollfd Pipe{OutputRead, POLLIN, 0};
    const int Ready = poll(&Pipe, 1, Milliseconds);
    // A pipe whose writers are gone reports ready without data: wait anyway.
    if (Ready > 0 && !(Pipe.revents & POLLIN))
        std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds));
}

void TConsoleProcess::WaitForEnd(int Milliseconds) const {
    if (Ended)
        return;
    if (ChildHandle < 0) { // a kernel without process handles: the plain pause
        std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds));
        return;
    }
    pollfd Handle{ChildHandle, POLLIN, 0}; // readable once the child has ended
    poll(&Handle, 1, Milliseconds);
}
