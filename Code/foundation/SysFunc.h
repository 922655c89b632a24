#pragma once

#include "SystemActions.h"

#include <cstdint>
#include <string>

// The id of the last listed process whose executable name equals ImageName,
// compared without regard to case; 0 when there is none.
uint32_t FindProcessIn(const std::vector<TProcessEntry>& Processes, const std::string& ImageName);

// Looks up running processes by executable name.
class TSysFunc {
public:
    explicit TSysFunc(ISystemActions& System) : System(System) {}

    uint32_t FindProcess(const std::string& ImageName) const {
        return FindProcessIn(System.ListProcesses(), ImageName);
    }

private:
    ISystemActions& System;
};
