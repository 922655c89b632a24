#include "ChildProcess.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

TChildResult RunChild(const std::vector<std::string>& Arguments,
                      const std::function<void(pid_t, const std::string&)>& OnOutput) {
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
        std::vector<char*> Argv;
        for (const std::string& Argument : Arguments)
            Argv.push_back(const_cast<char*>(Argument.c_str()));
        Argv.push_back(nullptr);
        execv(Argv[0], Argv.data());
        _exit(127);
    }
    close(Input[0]);
    close(Output[1]);
    TChildResult Result;
    char Buffer[4096];
    for (ssize_t Read; (Read = read(Output[0], Buffer, sizeof Buffer)) > 0;) {
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
