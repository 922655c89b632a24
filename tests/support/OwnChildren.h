#pragma once

#include "ChildProcess.h"
#include "InertSystem.h"
#include "Processes.h"

#include <algorithm>
#include <unistd.h>

// The real process list and termination, limited to the children of this test
// process: a batch sees and ends only the encoders it started itself.
class TOwnChildren : public TInertSystem {
public:
    std::vector<TProcessEntry> ListProcesses() override {
        const std::vector<pid_t> Children = ChildrenOf(getpid());
        std::vector<TProcessEntry> Own;
        for (const TProcessEntry& Process : ::ListProcesses())
            if (std::find(Children.begin(), Children.end(),
                          static_cast<pid_t>(Process.ProcessId)) != Children.end())
                Own.push_back(Process);
        return Own;
    }
    bool TerminateProcess(uint32_t ProcessId) override {
        const std::vector<pid_t> Children = ChildrenOf(getpid());
        return std::find(Children.begin(), Children.end(), static_cast<pid_t>(ProcessId)) !=
                   Children.end() &&
               ::TerminateProcess(ProcessId);
    }
    void PowerOff() override { Actions.push_back("power off"); }
    void OpenFolder(const std::string& Folder) override { Actions.push_back("open " + Folder); }
    void OpenWebAddress(const std::string& Address) override {
        Actions.push_back("web " + Address);
    }

    std::vector<std::string> Actions;
};
