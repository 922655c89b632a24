#pragma once

#include "SystemActions.h"

// Looks up the processes the batch waits for: the encoder a run started, and
// the programs that encoder started in turn.
class TSysFunc {
public:
    explicit TSysFunc(ISystemActions& System) : System(System) {}

    // True while the encoder of the process group, or one of its children, runs;
    // a group of 0 (no encoder started yet) has none.
    bool EncoderRunning(long Group) const { return Group != 0 && System.ProcessGroupExists(Group); }

private:
    ISystemActions& System;
};
