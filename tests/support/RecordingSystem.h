#pragma once

#include "SystemActions.h"

#include <algorithm>
#include <string>
#include <vector>

// A system that only records what is asked of it: no test can end a real
// process, open a desktop window or power the machine off through it.
class TRecordingSystem : public ISystemActions {
public:
    // A group is there for as many looks as LooksLeft says.
    bool ProcessGroupExists(long Group) override {
        Looked.push_back(Group);
        return LooksLeft-- > 0;
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

    int LooksLeft = 0;
    std::vector<long> Looked;
    std::vector<std::string> Actions;
    bool HasViewer = true; // whether the desktop could open the document itself
};
