#pragma once

#include "InertSystem.h"
#include "Processes.h"

// The benchmarks look at the real process list but end nothing, open nothing
// and never power the machine off.
class TQuietSystem : public TInertSystem {
public:
    std::vector<TProcessEntry> ListProcesses() override { return ::ListProcesses(); }
};
