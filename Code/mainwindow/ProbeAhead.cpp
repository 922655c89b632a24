#include "ProbeAhead.h"

TProbeAhead::TProbeAhead(std::vector<std::string> Paths, const IDurationProber& Prober,
                         IOutputDispatcher& Dispatcher, TProbedProc OnProbed)
    : Paths(std::move(Paths)), Prober(Prober), Dispatcher(Dispatcher),
      OnProbed(std::move(OnProbed)) {}

TProbeAhead::~TProbeAhead() {
    Stopping = true;
    WaitFor();
}

void TProbeAhead::Execute() {
    for (size_t Index = 0; Index < Paths.size() && !Stopping; ++Index) {
        if (Paths[Index].empty())
            continue;
        const int32_t Seconds = Prober.ProbeDuration(Paths[Index]);
        Dispatcher.Post([Callback = OnProbed, Index, Seconds] { Callback(Index, Seconds); });
    }
}
