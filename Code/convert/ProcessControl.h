#pragma once

#include "SystemActions.h"

#include <cstdint>
#include <functional>
#include <string>

class TAppFunc;

// Finding and ending the encoder, and the end-of-batch system actions. Runs on
// the user-interface thread; Wait pauses and lets the windows catch up.
class TProcessControl {
public:
    using TWait = std::function<void(int Milliseconds)>;

    // How many times StopEncoder tries to end the encoder before it gives up.
    static constexpr int StopAttempts = 20;

    TProcessControl(ISystemActions& System, const TAppFunc& AppFunc, TWait Wait);

    // As FindProcess, but logs "Get Process id error." when nothing is found.
    uint32_t GetProcessIdByName(const std::string& ImageName) const;

    // Ends every process whose executable name, or its file-name part, equals
    // ImageName without regard to case. True when the last attempt succeeded;
    // otherwise logs "Terminate process error.".
    bool KillProcess(const std::string& ImageName) const;

    // Nothing to adjust here: the system decides what may be ended.
    bool EnableDebugPrivilege() const { return true; }

    // Ends the encoder named by EncoderPath, then any "evc.exe", and returns true
    // when none is left. Gives up after StopAttempts rounds on one name, logs
    // "Stop encoder error." and returns false.
    bool StopEncoder(const std::string& EncoderPath) const;

    void ShutdownComputer() const { System.PowerOff(); }
    void OpenFolder(const std::string& Folder) const { System.OpenFolder(Folder); }
    void TrimWorkingSet() const { System.TrimWorkingSet(); }

private:
    bool StopAll(const std::string& ImageName) const;

    ISystemActions& System;
    const TAppFunc& AppFunc;
    TWait Wait;
};
