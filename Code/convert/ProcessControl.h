#pragma once

#include "SystemActions.h"

#include <functional>
#include <string>

class TAppFunc;
class TRunControl;

// Ending the encoder, and the end-of-batch system actions. Runs on the
// user-interface thread; Wait pauses and lets the windows catch up.
class TProcessControl {
public:
    using TWait = std::function<void(int Milliseconds)>;

    // How many times StopEncoder looks for the encoder before it gives up.
    static constexpr int StopAttempts = 20;

    TProcessControl(ISystemActions& System, const TAppFunc& AppFunc, TWait Wait);

    // Has the run end its encoder, and the programs that one started, and
    // waits 500 ms at a time until none of them is left; true then. Encoders
    // that other programs or other copies of Korvalin started are neither
    // ended nor waited for. Gives up after StopAttempts looks, logs "Stop
    // encoder error." and returns false.
    bool StopEncoder(TRunControl& Run) const;

    void ShutdownComputer() const { System.PowerOff(); }
    void OpenFolder(const std::string& Folder) const { System.OpenFolder(Folder); }
    void TrimWorkingSet() const { System.TrimWorkingSet(); }

private:
    ISystemActions& System;
    const TAppFunc& AppFunc;
    TWait Wait;
};
