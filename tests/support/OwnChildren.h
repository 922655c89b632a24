#pragma once

#include "InertSystem.h"
#include "Processes.h"

// The real look at the encoder a batch started, and a record of the
// end-of-batch actions in place of carrying them out.
class TOwnChildren : public TInertSystem {
public:
    bool ProcessGroupExists(long Group) override { return ::ProcessGroupExists(Group); }
    void PowerOff() override { Actions.push_back("power off"); }
    void OpenFolder(const std::string& Folder) override { Actions.push_back("open " + Folder); }
    void OpenWebAddress(const std::string& Address) override {
        Actions.push_back("web " + Address);
    }

    std::vector<std::string> Actions;
};
