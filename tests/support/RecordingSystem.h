#pragma once

#include "SystemActions.h"

#include <algorithm>
#include <string>
#include <vector>

// A system that only records what is asked of it: no test can end a real
// process, open a desktop window or power the machine off through it.
class TRecordingSystem : public ISystemActions {
public:
    std::vector<TProcessEntry> ListProcesses() override { return Processes; }
    bool TerminateProcess(uint32_t ProcessId) override {
        Terminated.push_back(ProcessId);
        const bool Ended = Results.empty() ? true : Results.front();
        if (Results.size() > 1)
            Results.erase(Results.begin());
        if (Ended)
            std::erase_if(Processes,
                          [&](const TProcessEntry& P) { return P.ProcessId == ProcessId; });
        return Ended;
    }
    void PowerOff() override { Actions.push_back("power off"); }
    void OpenFolder(const std::string& Folder) override { Actions.push_back("open " + Folder); }
    void OpenWebAddress(const std::string& Address) override {
        Actions.push_back("web " + Address);
    }
    void TrimWorkingSet() override { Actions.push_back("trim"); }
    void OpenDocument(const std::string& Path, const std::string& Fallback) override {
        Actions.push_back("document " + (HasViewer ? Path : Fallback));
    }
    void StartProgram(const std::string& Path, const std::vector<std::string>& Arguments) override {
        std::string Action = "start " + Path;
        for (const std::string& Argument : Arguments)
            Action += " " + Argument;
        Actions.push_back(Action);
    }
    void KeepScreenAwake(bool Awake) override { Actions.push_back(Awake ? "awake" : "may sleep"); }
    void Notify(const std::string& Text) override { Actions.push_back("notify " + Text); }

    std::vector<TProcessEntry> Processes;
    std::vector<bool> Results; // of the terminations in turn; the last one repeats
    std::vector<uint32_t> Terminated;
    std::vector<std::string> Actions;
    bool HasViewer = true; // whether the desktop could open the document itself
};
