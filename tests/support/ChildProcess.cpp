#include "ChildProcess.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

TChildResult RunChild(const std::vector<std::string>& Arguments,
                      const std::function<void(pid_t, const std::string&)>& OnOutput,
                      std::chrono::milliseconds TimeLimit,
                      const std::vector<std::string>& Settings) {
    // Made before the fork: the child of a threaded process may not allocate.
    std::vector<char*> Argv, Environment;
    for (const std::string& Argument : Arguments)
        Argv.push_back(const_cast<char*>(Argument.c_str()));
    Argv.push_back(nullptr);
    for (char** Entry = environ; *Entry; ++Entry) {
        const std::string_view Name(*Entry, std::strcspn(*Entry, "="));
        if (std::none_of(Settings.begin(), Settings.end(), [&](const std::string& Setting) {
                return Setting.starts_with(Name) && Setting[Name.size()] == '=';
            }))
            Environment.push_back(*Entry);
    }
    for (const std::string& Setting : Settings)
        Environment.push_back(const_cast<char*>(Setting.c_str()));
    Environment.push_back(nullptr);
    int Input[2], Output[2];
    if (pipe(Input) != 0 || pipe(Output) != 0)
        return {};
    const pid_t Child = fork();
    if (Child == 0) {
        dup2(Input[0], STDIN_FILENO);
        dup2(Output[1], STDOUT_FILENO);
        dup2(Output[1], STDERR_FILENO);
        close(Input[1]);
        close(Output[0]);
        execve(Argv[0], Argv.data(), Environment.data());
        _exit(127);
    }
    close(Input[0]);
    close(Output[1]);
    TChildResult Result;
    const auto Deadline = std::chrono::steady_clock::now() + TimeLimit;
    char Buffer[4096];
    for (;;) {
        const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(
            Deadline - std::chrono::steady_clock::now());
        pollfd Readable{Output[0], POLLIN, 0};
        if (!Result.TimedOut &&
            (Left.count() <= 0 || poll(&Readable, 1, static_cast<int>(Left.count())) == 0)) {
            Result.TimedOut = true;
            kill(Child, SIGKILL); // then read on until its own children let go of the pipe
        }
        const ssize_t Read = read(Output[0], Buffer, sizeof Buffer);
        if (Read <= 0)
            break;
        const std::string Piece(Buffer, static_cast<size_t>(Read));
        Result.Output += Piece;
        if (OnOutput)
            OnOutput(Child, Piece);
    }
    close(Output[0]);
    close(Input[1]);
    int Status = 0;
    waitpid(Child, &Status, 0);
    Result.ExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : 128 + WTERMSIG(Status);
    return Result;
}

bool IsProcessAlive(pid_t Pid) {
    std::ifstream Stat("/proc/" + std::to_string(Pid) + "/stat");
    std::string Line;
    if (!std::getline(Stat, Line))
        return false;
    const size_t NameEnd = Line.rfind(')');
    return NameEnd != std::string::npos && NameEnd + 2 < Line.size() && Line[NameEnd + 2] != 'Z';
}

bool ProcessNames(const std::string& Text) {
    for (const auto& Entry : std::filesystem::directory_iterator("/proc")) {
        const std::string Name = Entry.path().filename().string();
        if (Name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream CommandLine(Entry.path() / "cmdline");
        const std::string Words((std::istreambuf_iterator<char>(CommandLine)), {});
        if (Words.find(Text) != std::string::npos && IsProcessAlive(std::stoi(Name)))
            return true;
    }
    return false;
}

std::vector<pid_t> ChildrenOf(pid_t Parent) {
    std::vector<pid_t> Children;
    for (const auto& Entry : std::filesystem::directory_iterator("/proc")) {
        const std::string Name = Entry.path().filename().string();
        if (Name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream Stat(Entry.path() / "stat");
        std::string Line;
        if (!std::getline(Stat, Line) || Line.rfind(')') == std::string::npos)
            continue;
        std::istringstream Fields(Line.substr(Line.rfind(')') + 2));
        char State = 0;
        pid_t ParentPid = 0;
        Fields >> State >> ParentPid;
        if (ParentPid == Parent && State != 'Z')
            Children.push_back(std::stoi(Name));
    }
    return Children;
}

bool CatchesSignal(pid_t Pid, int Signal) {
    std::ifstream Status("/proc/" + std::to_string(Pid) + "/status");
    for (std::string Line; std::getline(Status, Line);)
        if (Line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(Line.substr(7), nullptr, 16) >> (Signal - 1)) & 1;
    return false;
}

int WaitForExit(pid_t Pid, std::chrono::milliseconds Timeout) {
    const auto Deadline = std::chrono::steady_clock::now() + Timeout;
    while (std::chrono::steady_clock::now() < Deadline) {
        int Status = 0;
        if (waitpid(Pid, &Status, WNOHANG) == Pid)
            return WIFEXITED(Status) ? WEXITSTATUS(Status) : 128 + WTERMSIG(Status);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(Pid, SIGKILL);
    waitpid(Pid, nullptr, 0);
    return -1;
}
