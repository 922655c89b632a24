#include "FfmpegProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace evc {
namespace {

using TClock = std::chrono::steady_clock;

// The child's side: no input, output and errors to the pipes, killed with us.
[[noreturn]] void StartChild(const std::vector<std::string>& Arguments, pid_t Parent, int OutFd,
                             int ErrFd) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != Parent) // the parent died before the line above took effect
        _exit(127);
    const int Null = open("/dev/null", O_RDONLY);
    dup2(Null, STDIN_FILENO);
    dup2(OutFd, STDOUT_FILENO);
    dup2(ErrFd, STDERR_FILENO);
    signal(SIGPIPE, SIG_DFL);
    std::vector<char*> Argv;
    for (const std::string& Argument : Arguments)
        Argv.push_back(const_cast<char*>(Argument.c_str()));
    Argv.push_back(nullptr);
    execvp(Argv[0], Argv.data());
    const std::string Message = "Cannot start " + Arguments[0] + ": " + std::strerror(errno) + "\n";
    ssize_t Ignored = write(STDERR_FILENO, Message.data(), Message.size());
    (void)Ignored;
    _exit(127);
}

} // namespace

TFfmpegResult RunFfmpeg(const std::vector<std::string>& Arguments,
                        const std::function<void(const std::string&)>& OnLine,
                        const std::function<void(const std::string&)>& OnErrorLine,
                        const std::function<void()>& OnTick, int TickMilliseconds) {
    const auto PipeFailure = [](int ErrorNumber) {
        return TFfmpegResult{126,
                             std::string("Cannot create a pipe: ") + std::strerror(ErrorNumber)};
    };
    int OutPipe[2], ErrPipe[2];
    if (pipe2(OutPipe, O_CLOEXEC) != 0)
        return PipeFailure(errno);
    if (pipe2(ErrPipe, O_CLOEXEC) != 0) {
        const int ErrorNumber = errno;
        close(OutPipe[0]);
        close(OutPipe[1]);
        return PipeFailure(ErrorNumber);
    }
    const pid_t Parent = getpid();
    const pid_t Child = fork();
    if (Child == 0)
        StartChild(Arguments, Parent, OutPipe[1], ErrPipe[1]);
    close(OutPipe[1]);
    close(ErrPipe[1]);
    if (Child < 0) {
        close(OutPipe[0]);
        close(ErrPipe[0]);
        return {126, std::string("Cannot start ffmpeg: ") + std::strerror(errno)};
    }

    TFfmpegResult Result;
    std::string Pending[2];
    pollfd Fds[2] = {{OutPipe[0], POLLIN, 0}, {ErrPipe[0], POLLIN, 0}};
    const auto Tick = std::chrono::milliseconds(TickMilliseconds);
    auto NextTick = TClock::now() + Tick;
    while (Fds[0].fd >= 0 || Fds[1].fd >= 0) {
        const auto Wait =
            std::chrono::duration_cast<std::chrono::milliseconds>(NextTick - TClock::now());
        const int Ready = poll(Fds, 2, static_cast<int>(std::max<long long>(Wait.count(), 0)));
        if (Ready < 0 && errno != EINTR)
            break;
        for (int Stream = 0; Stream < 2; ++Stream) {
            pollfd& Fd = Fds[Stream];
            if (Fd.fd < 0 || !(Fd.revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char Buffer[4096];
            const ssize_t Read = read(Fd.fd, Buffer, sizeof Buffer);
            if (Read <= 0) {
                close(Fd.fd);
                Fd.fd = -1;
                continue;
            }
            if (Stream == 1)
                Result.ErrorText.append(Buffer, static_cast<size_t>(Read));
            const auto& Handler = Stream == 0 ? OnLine : OnErrorLine;
            Pending[Stream].append(Buffer, static_cast<size_t>(Read));
            for (size_t End; (End = Pending[Stream].find('\n')) != std::string::npos;) {
                if (Handler)
                    Handler(Pending[Stream].substr(0, End));
                Pending[Stream].erase(0, End + 1);
            }
        }
        if (TClock::now() >= NextTick) {
            OnTick();
            NextTick += Tick;
        }
    }
    if (!Pending[1].empty() && OnErrorLine) // a last line without its end
        OnErrorLine(Pending[1]);
    int Status = 0;
    while (waitpid(Child, &Status, 0) < 0 && errno == EINTR) {
    }
    Result.ExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : 128 + WTERMSIG(Status);
    return Result;
}

} // namespace evc
