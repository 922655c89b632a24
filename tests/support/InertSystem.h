#pragma once

#include "SystemActions.h"

// A system on which nothing happens: it sees no process, opens
// nothing and never powers the machine off. Fakes override what they need.
class TInertSystem : public ISystemActions {
public:
    bool ProcessGroupExists(long) override { return false; }
    void PowerOff() override {}
    void OpenFolder(const std::string&) override {}
    void OpenWebAddress(const std::string&) override {}
    void TrimWorkingSet() override {}
    void OpenDocument(const std::string&, const std::string&) override {}
    void StartProgram(const std::string&, const std::vector<std::string>&) override {}
    void KeepScreenAwake(bool) override {}
    void Notify(const std::string&) override {}
};
