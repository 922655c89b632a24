#include "ProcessControl.h"

#include "AppFunc.h"
#include "FileFunc.h"
#include "StrFunc.h"
#include "SysFunc.h"

TProcessControl::TProcessControl(ISystemActions& System, const TAppFunc& AppFunc, TWait Wait)
    : System(System), AppFunc(AppFunc), Wait(std::move(Wait)) {}

uint32_t TProcessControl::GetProcessIdByName(const std::string& ImageName) const {
    const uint32_t ProcessId = FindProcessIn(System.ListProcesses(), ImageName);
    if (ProcessId == 0)
        AppFunc.WriteLog("Get Process id error.");
    return ProcessId;
}

bool TProcessControl::KillProcess(const std::string& ImageName) const {
    EnableDebugPrivilege();
    const TFileFunc FileFunc;
    bool Ended = false;
    for (const TProcessEntry& Process : System.ListProcesses()) {
        if (SameText(FileFunc.FileName(Process.ExeName), ImageName) ||
            SameText(Process.ExeName, ImageName))
            Ended = System.TerminateProcess(Process.ProcessId);
    }
    if (!Ended)
        AppFunc.WriteLog("Terminate process error.");
    return Ended;
}

bool TProcessControl::StopAll(const std::string& ImageName) const {
    for (int Attempt = 0; GetProcessIdByName(ImageName) != 0; ++Attempt) {
        if (Attempt == StopAttempts) {
            AppFunc.WriteLog("Stop encoder error.");
            return false;
        }
        KillProcess(ImageName);
        Wait(500);
    }
    return true;
}

bool TProcessControl::StopEncoder(const std::string& EncoderPath) const {
    return StopAll(TFileFunc().FileName(EncoderPath)) && StopAll("evc.exe");
}
