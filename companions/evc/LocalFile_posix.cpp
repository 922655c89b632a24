#include "LocalFile.h"

#include "EncoderCommand.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace evc {
namespace {

std::string Quoted(const std::string& Path) {
    return "'" + Path + "'";
}

std::string SystemReason() {
    return std::strerror(errno);
}

// The path as written, made absolute and without "." or "..": two names that
// spell the same file even when it does not exist yet.
std::filesystem::path Spelling(const std::string& Path) {
    std::error_code Ignored;
    return std::filesystem::absolute(Path, Ignored).lexically_normal();
}

class TDescriptor {
public:
    explicit TDescriptor(int Fd) : Fd(Fd) {}
    ~TDescriptor() {
        if (Fd >= 0)
            close(Fd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    const int Fd;
};

} // namespace

std::string ReadScriptFile(const std::string& Path) {
    const std::string CannotRead = "Cannot read the script " + Quoted(Path) + ": ";
    const std::string NotAFile = "The script " + Quoted(Path) + " is not a regular file.";
    struct stat Info {};
    if (stat(Path.c_str(), &Info) != 0)
        throw ECommandError(CannotRead + SystemReason() + ".");
    if (!S_ISREG(Info.st_mode))
        throw ECommandError(NotAFile);
    const TDescriptor File(open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (File.Fd < 0)
        throw ECommandError(CannotRead + SystemReason() + ".");
    if (fstat(File.Fd, &Info) != 0 || !S_ISREG(Info.st_mode)) // replaced since the check
        throw ECommandError(NotAFile);
    std::string Text(MaxScriptBytes + 1, '\0');
    size_t Filled = 0;
    while (Filled < Text.size()) {
        const ssize_t Read = read(File.Fd, Text.data() + Filled, Text.size() - Filled);
        if (Read < 0 && errno == EINTR)
            continue;
        if (Read < 0)
            throw ECommandError(CannotRead + SystemReason() + ".");
        if (Read == 0)
            break;
        Filled += static_cast<size_t>(Read);
    }
    if (Filled > MaxScriptBytes)
        throw ECommandError("The script " + Quoted(Path) + " is longer than " +
                            std::to_string(MaxScriptBytes) + " bytes; it holds one line.");
    Text.resize(Filled);
    return Text;
}

void RequireRegularSource(const std::string& Path) {
    struct stat Info {};
    if (stat(Path.c_str(), &Info) != 0) {
        if (errno == ENOENT)
            throw ECommandError("The source " + Quoted(Path) + " was not found.");
        throw ECommandError("Cannot read the source " + Quoted(Path) + ": " + SystemReason() + ".");
    }
    if (!S_ISREG(Info.st_mode))
        throw ECommandError("The source " + Quoted(Path) + " is not a regular file.");
}

void RequireWritableTarget(const std::string& Target, const std::vector<TGuardedFile>& Guarded) {
    const auto Overwriting = [&](const TGuardedFile& File) {
        return ECommandError(Quoted(Target) + " is " + File.Role + " itself; evc never writes " +
                             "over " + File.Role + ".");
    };
    for (const TGuardedFile& File : Guarded)
        if (Spelling(Target) == Spelling(File.Path))
            throw Overwriting(File);
    struct stat Info {};
    if (stat(Target.c_str(), &Info) != 0) {
        if (errno == ENOENT) // a new name, or a link to nothing that the new file replaces
            return;
        throw ECommandError("Cannot write " + Quoted(Target) + ": " + SystemReason() + ".");
    }
    if (!S_ISREG(Info.st_mode))
        throw ECommandError(Quoted(Target) +
                            " is not a regular file; evc writes only to a regular file or a "
                            "new name.");
    for (const TGuardedFile& File : Guarded) {
        struct stat GuardedInfo {};
        if (stat(File.Path.c_str(), &GuardedInfo) == 0 && GuardedInfo.st_dev == Info.st_dev &&
            GuardedInfo.st_ino == Info.st_ino)
            throw Overwriting(File);
    }
}

} // namespace evc
