#include "FileSystem.h"

#include "Errors.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct TDirCloser {
    void operator()(DIR* Dir) const { closedir(Dir); }
};
struct TMallocFree {
    void operator()(char* Memory) const { free(Memory); }
};

// The read-only rule for an entry already looked at: no write permission bit
// at all, or none that applies to this user.
bool IsReadOnlyEntry(const std::string& Path, const struct stat& Info) {
    return (Info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || access(Path.c_str(), W_OK) != 0;
}

// Permissions for a file that did not exist before: what open() would give.
mode_t NewFileMode() {
    mode_t Mask = 022;
    std::ifstream Status("/proc/self/status");
    for (std::string Line; std::getline(Status, Line);) {
        if (Line.rfind("Umask:", 0) == 0) {
            Mask = static_cast<mode_t>(std::strtoul(Line.c_str() + 6, nullptr, 8));
            break;
        }
    }
    return 0666 & ~Mask;
}

// The file a write really changes: the target of a symbolic link, the path itself otherwise.
std::string WriteTarget(const std::string& FileName) {
    struct stat Info {};
    if (lstat(FileName.c_str(), &Info) != 0 || !S_ISLNK(Info.st_mode))
        return FileName;
    std::unique_ptr<char, TMallocFree> Resolved(realpath(FileName.c_str(), nullptr));
    return Resolved ? std::string(Resolved.get()) : FileName;
}

bool WriteAll(int Fd, const std::string& Content) {
    const char* Data = Content.data();
    size_t Left = Content.size();
    while (Left > 0) {
        ssize_t Written = write(Fd, Data, Left);
        if (Written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        Data += Written;
        Left -= static_cast<size_t>(Written);
    }
    return true;
}

// Rewrites an existing file where it stands; 0 or the error number of the first failure.
int OverwriteInPlace(const std::string& Target, const std::string& Content) {
    const int Fd = open(Target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (Fd < 0)
        return errno;
    int ErrorNumber = 0;
    if (!WriteAll(Fd, Content) || fsync(Fd) != 0)
        ErrorNumber = errno;
    if (close(Fd) != 0 && ErrorNumber == 0)
        ErrorNumber = errno;
    return ErrorNumber;
}

} // namespace

std::string RunningExecutablePath() {
    char Buffer[PATH_MAX];
    ssize_t Length = readlink("/proc/self/exe", Buffer, sizeof Buffer);
    return Length > 0 ? std::string(Buffer, static_cast<size_t>(Length)) : std::string();
}

std::vector<TDirEntry> ReadDirectory(const std::string& Folder) {
    std::vector<TDirEntry> Entries;
    std::unique_ptr<DIR, TDirCloser> Dir(opendir(Folder.c_str()));
    if (!Dir)
        return Entries;
    std::string Prefix = Folder;
    if (!Prefix.empty() && Prefix.back() != '/')
        Prefix += '/';
    while (dirent* Entry = readdir(Dir.get())) {
        std::string Name = Entry->d_name;
        if (Name == "." || Name == "..")
            continue;
        std::string Path = Prefix + Name;
        struct stat Info {};
        const bool Known = stat(Path.c_str(), &Info) == 0;
        Entries.push_back({Name, Known && S_ISDIR(Info.st_mode), Name.front() == '.',
                           Known && IsReadOnlyEntry(Path, Info)});
    }
    return Entries;
}

bool IsReadOnly(const std::string& Path) {
    struct stat Info {};
    return stat(Path.c_str(), &Info) == 0 && IsReadOnlyEntry(Path, Info);
}

void ReplaceFileContent(const std::string& FileName, const std::string& Content) {
    const std::string Target = WriteTarget(FileName);
    auto Fail = [&](int ErrorNumber) {
        throw EFCreateError(FileName, SystemErrorText(ErrorNumber));
    };

    struct stat Old {};
    const bool Existed = stat(Target.c_str(), &Old) == 0;
    if (Existed && S_ISDIR(Old.st_mode))
        Fail(EISDIR);
    if (Existed && IsReadOnly(Target))
        Fail(EACCES);

    const size_t Slash = Target.rfind('/');
    const std::string Folder =
        Slash == std::string::npos ? std::string() : Target.substr(0, Slash + 1);
    const std::string Name = Slash == std::string::npos ? Target : Target.substr(Slash + 1);
    std::string TempName = Folder + "." + Name + ".XXXXXX";
    int Fd = mkostemp(TempName.data(), O_CLOEXEC);
    if (Fd < 0) {
        // The folder takes no new file from this user (one they may write into
        // but not add to): the file is rewritten where it stands, as the only
        // way left. Any other reason, a full disk above all, leaves it alone.
        const int TempError = errno;
        if (!Existed || (TempError != EACCES && TempError != EPERM))
            Fail(TempError);
        if (const int ErrorNumber = OverwriteInPlace(Target, Content))
            Fail(ErrorNumber);
        return;
    }

    // Every step runs so that the descriptor is always closed; the first failure is reported.
    int ErrorNumber = 0;
    auto Check = [&](bool Ok) {
        if (!Ok && ErrorNumber == 0)
            ErrorNumber = errno;
    };
    Check(WriteAll(Fd, Content));
    Check(fchmod(Fd, Existed ? Old.st_mode & 07777 : NewFileMode()) == 0);
    if (Existed && geteuid() == 0) // only the superuser can hand the file back to its owner
        Check(fchown(Fd, Old.st_uid, Old.st_gid) == 0);
    Check(fsync(Fd) == 0);
    Check(close(Fd) == 0);
    if (ErrorNumber == 0)
        Check(rename(TempName.c_str(), Target.c_str()) == 0);
    if (ErrorNumber != 0) {
        unlink(TempName.c_str());
        Fail(ErrorNumber);
    }
    if (int FolderFd =
            open(Folder.empty() ? "." : Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        FolderFd >= 0) {
        fsync(FolderFd);
        close(FolderFd);
    }
}

TPathKind PathKindOf(const std::string& Path) {
    struct stat Info {};
    if (stat(Path.c_str(), &Info) != 0)
        return TPathKind::Missing;
    return S_ISREG(Info.st_mode) ? TPathKind::RegularFile : TPathKind::Other;
}

int64_t FileSizeOf(const std::string& Path) {
    // Not blocking: a pipe without a writer would hold the open for ever.
    const int Fd = open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat Info {};
    if (Fd < 0 || fstat(Fd, &Info) != 0) {
        const int ErrorNumber = errno;
        if (Fd >= 0)
            close(Fd);
        throw EFOpenError(Path, SystemErrorText(ErrorNumber));
    }
    close(Fd);
    return static_cast<int64_t>(Info.st_size);
}

std::string ReadFileStart(const std::string& Path, size_t Count) {
    const int Fd = open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (Fd < 0)
        return {};
    struct stat Info {};
    std::string Start(Count, '\0');
    const ssize_t Read =
        fstat(Fd, &Info) == 0 && S_ISREG(Info.st_mode) ? read(Fd, Start.data(), Count) : -1;
    close(Fd);
    Start.resize(static_cast<size_t>(std::max<ssize_t>(Read, 0)));
    return Start;
}

std::string SystemErrorText(int ErrorNumber) {
    char Buffer[256];
    return strerror_r(ErrorNumber, Buffer, sizeof Buffer);
}
