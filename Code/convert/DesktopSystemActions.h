#pragma once

#include "SystemActions.h"

#include <cstdint>

// The system actions of the running program: real processes, the real power-off,
// the desktop's folder window. Built into the program only, never into a test.
class TDesktopSystemActions : public ISystemActions {
public:
    bool ProcessGroupExists(long Group) override;
    void PowerOff() override;
    void OpenFolder(const std::string& Folder) override;
    void OpenWebAddress(const std::string& Address) override;
    void TrimWorkingSet() override;
    void OpenDocument(const std::string& Path, const std::string& Fallback) override;
    void StartProgram(const std::string& Path, const std::vector<std::string>& Arguments) override;
    void KeepScreenAwake(bool Awake) override;
    void Notify(const std::string& Text) override;

private:
    uint32_t ScreenSaverCookie = 0; // of the desktop's inhibition, 0 when none
    bool InhibitAsked = false;      // an inhibition was asked for and not answered yet
    bool WantAwake = false;
};
