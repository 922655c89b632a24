#include "ProcessControl.h"

#include "AdvanceSystem.h"
#include "AppFunc.h"
#include "SysFunc.h"

TProcessControl::TProcessControl(ISystemActions& System, const TAppFunc& AppFunc, TWait Wait)
    : System(System), AppFunc(AppFunc), Wait(std::move(Wait)) {}

bool TProcessControl::StopEncoder(TRunControl& Run) const {
    Run.RequestEnd();
    for (int Attempt = 0; TSysFunc(System).EncoderRunning(Run.Group()); ++Attempt) {
        if (Attempt == StopAttempts) {
            AppFunc.WriteLog("Stop encoder error.");
            return false;
        }
        Wait(500);
    }
    return true;
}
