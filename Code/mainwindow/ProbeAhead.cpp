#include "ProbeAhead.h"

#include "FileSystem.h"
#include "UnreadableFile.h"

TProbeAhead::TProbeAhead(std::vector<std::string> Paths, const IDurationProber& Prober,
                         IOutputDispatcher& Dispatcher, TProbedProc OnProbed)
    : Paths(std::move(Paths)), Prober(Prober), Dispatcher(Dispatcher),
      OnProbed(std::move(OnProbed)) {}

TProbeAhead::~TProbeAhead() {
    Stopping = true;
    for (std::thread& Thread : Threads)
        Thread.join();
}

void TProbeAhead::Start(unsigned Workers) {
    if (!Threads.empty())
        return;
    for (unsigned Worker = 0; Worker < std::max(Workers, 1u); ++Worker)
        Threads.emplace_back([this] { Work(); });
}

void TProbeAhead::Work() {
    for (size_t Index = NextPath++; Index < Paths.size() && !Stopping; Index = NextPath++) {
        const std::string& Path = Paths[Index];
        if (Path.empty())
            continue;
        TProbedFile Probed;
        Probed.Seconds = Prober.ProbeDuration(Path);
        if (Probed.Seconds > 0) {
            try {
                Probed.Size = FileSizeOf(Path);
            } catch (...) { // told when the file's turn comes
                Probed.SizeError = std::current_exception();
            }
        } else {
            Probed.Unreadable = UnreadableReason(Path);
        }
        Dispatcher.Post([Callback = OnProbed, Index, Probed] { Callback(Index, Probed); });
    }
}
