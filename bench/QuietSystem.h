#pragma once

#include "InertSystem.h"
#include "Processes.h"

// The benchmarks look at the encoders they started but end nothing, open
// nothing and never power the machine off.
class TQuietSystem : public TInertSystem {
public:
    bool ProcessGroupExists(long Group) override { return ::ProcessGroupExists(Group); }
};
