#include "AppFunc.h"

#include "Errors.h"
#include "FileFunc.h"
#include "FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <memory>

namespace {

// The current local time in the given strftime format, the clock read anew.
// The runner thread logs too, so the time is broken down into a copy of its own.
std::string LocalTimeText(const char* Format) {
    const std::time_t Now = std::time(nullptr);
    std::tm Local{};
    localtime_r(&Now, &Local);
    char Buffer[128];
    return std::string(Buffer, std::strftime(Buffer, sizeof Buffer, Format, &Local));
}

} // namespace

TAppFunc::TAppFunc() : TAppFunc(TFileFunc().FileFolder(RunningExecutablePath())) {}

TAppFunc::TAppFunc(TAppFolders Folders) : Where(std::move(Folders)) {}

TAppFunc::TAppFunc(std::string Folder) : Where(std::move(Folder)) {}

void TAppFunc::WriteLog(const std::string& Message) const {
    const std::string Date = LocalTimeText("%x");
    const std::string Line =
        "Quorvane " + Date + " " + LocalTimeText("%X") + "|" + Message + "\r\n";
    std::unique_ptr<FILE, decltype(&fclose)> File(fopen(Where.LogFile().c_str(), "ab"), &fclose);
    if (!File)
        throw EInOutError(SystemErrorText(errno));
    const bool Written = fwrite(Line.data(), 1, Line.size(), File.get()) == Line.size();
    if (!Written || fclose(File.release()) != 0)
        throw EInOutError(SystemErrorText(errno));
}

void TAppFunc::TryWriteLog(const std::string& Message) const noexcept {
    try {
        WriteLog(Message);
    } catch (const std::exception&) {
    }
}
