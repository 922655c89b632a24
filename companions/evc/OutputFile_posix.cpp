#include "FileFunc.h"
#include "OutputFile.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace evc {
namespace {

[[noreturn]] void ThrowSystemError() {
    throw std::system_error(errno, std::generic_category());
}

// Whether Path still names the file that Fd has open: a sweep may have removed
// it between the opening and the locking.
bool StillNamed(int Fd, const std::string& Path) {
    struct stat Open {
    }, Named{};
    return fstat(Fd, &Open) == 0 && lstat(Path.c_str(), &Named) == 0 &&
           Open.st_dev == Named.st_dev && Open.st_ino == Named.st_ino;
}

// Renames From to To unless To exists; false with errno set when it does not.
bool RenameWithoutReplacing(const std::string& From, const std::string& To) {
    if (renameat2(AT_FDCWD, From.c_str(), AT_FDCWD, To.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) // a file system without it: a link cannot replace
        return false;
    if (link(From.c_str(), To.c_str()) == 0) {
        unlink(From.c_str());
        return true;
    }
    if (errno == EEXIST)
        return false;
    // Neither (some shared folders): a rename after a look is the best there is.
    struct stat Info {};
    if (lstat(To.c_str(), &Info) == 0) {
        errno = EEXIST;
        return false;
    }
    return std::rename(From.c_str(), To.c_str()) == 0;
}

} // namespace

std::string NewRunTag() {
    std::random_device Random;
    char Part[9];
    std::snprintf(Part, sizeof Part, "%08x", static_cast<unsigned>(Random()));
    return std::to_string(getpid()) + "-" + Part;
}

TPartialFile::TPartialFile(const std::string& OutputFile) : Output(OutputFile) {
    for (int Try = 0; Try < 8; ++Try) {
        Partial = PartialFileName(OutputFile, NewRunTag());
        Fd = open(Partial.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (Fd < 0 && errno == EEXIST)
            continue;
        if (Fd < 0)
            ThrowSystemError();
        if (flock(Fd, LOCK_EX) != 0) { // a folder without locks cannot tell runs apart
            const int Error = errno;
            unlink(Partial.c_str());
            close(Fd);
            errno = Error;
            ThrowSystemError();
        }
        if (StillNamed(Fd, Partial))
            return;
        close(Fd); // swept away before it was locked: take another name
    }
    errno = EEXIST;
    ThrowSystemError();
}

TPartialFile::~TPartialFile() {
    if (!Published)
        unlink(Partial.c_str());
    close(Fd); // releases the lock
}

std::string TPartialFile::Publish() {
    TFileFunc Names;
    std::string Target = Output;
    for (int Try = 0; Try < 100; ++Try) {
        if (RenameWithoutReplacing(Partial, Target)) {
            Published = true;
            return Target;
        }
        if (errno != EEXIST)
            ThrowSystemError();
        Target = Names.UniqueFileName(Output);
    }
    errno = EEXIST;
    ThrowSystemError();
}

void RemoveStalePartialFiles(const std::string& Folder) {
    DIR* Listing = opendir((Folder.empty() ? "." : Folder).c_str());
    if (!Listing)
        return;
    while (const dirent* Entry = readdir(Listing)) {
        if (!IsPartialFileName(Entry->d_name))
            continue;
        const std::string Path = Folder + Entry->d_name;
        struct stat Info {};
        if (lstat(Path.c_str(), &Info) != 0 || !S_ISREG(Info.st_mode)) // nothing evc made
            continue;
        const int Fd = open(Path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (Fd < 0)
            continue;
        // A lock that can be had means that the run which held it has ended.
        if (flock(Fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(Fd, Path))
            unlink(Path.c_str());
        close(Fd);
    }
    closedir(Listing);
}

} // namespace evc
