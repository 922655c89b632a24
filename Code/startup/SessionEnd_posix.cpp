#include "SessionEnd.h"

#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The signal handler may only write to a pipe; the window is closed from the
// event loop, which watches the pipe's other end.
int SignalPipe[2] = {-1, -1};

void NoteEndRequest(int) {
    const int SavedErrno = errno;
    const char Byte = 1;
    [[maybe_unused]] const ssize_t Written = write(SignalPipe[1], &Byte, 1);
    errno = SavedErrno;
}

} // namespace

void CloseOnSessionEnd(QWidget& Window) {
    if (pipe2(SignalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* Notifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, &Window);
    QObject::connect(Notifier, &QSocketNotifier::activated, &Window, [&Window] {
        char Bytes[16];
        while (read(SignalPipe[0], Bytes, sizeof Bytes) > 0) {
        }
        Window.close();
    });
    struct sigaction Action {};
    Action.sa_handler = NoteEndRequest;
    Action.sa_flags = SA_RESTART;
    sigemptyset(&Action.sa_mask);
    for (const int Signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(Signal, &Action, nullptr);
}
