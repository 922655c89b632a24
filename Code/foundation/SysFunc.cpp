#include "SysFunc.h"

#include "StrFunc.h"

uint32_t FindProcessIn(const std::vector<TProcessEntry>& Processes, const std::string& ImageName) {
    uint32_t Found = 0;
    for (const TProcessEntry& Process : Processes) {
        if (SameText(Process.ExeName, ImageName))
            Found = Process.ProcessId;
    }
    return Found;
}
