#pragma once

#include "Processes.h"
#include "SystemActions.h"

// The benchmarks look at the real process list but end nothing, open nothing
// and never power the machine off.
class TQuietSystem : public ISystemActions {
public:
    std::vector<TProcessEntry> ListProcesses() override { return ::ListProcesses(); }
    bool TerminateProcess(uint32_t) override { return false; }
    void PowerOff() override {}
    void OpenFolder(const std::string&) override {}
    void OpenWebAddress(const std::string&) override {}
    void TrimWorkingSet() override {}
    void OpenDocument(const std::string&, const std::string&) override {}
    void StartProgram(const std::string&) override {}
    void KeepScreenAwake(bool) override {}
};
