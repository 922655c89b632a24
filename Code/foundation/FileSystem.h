#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The few file-system services that differ between platforms. The matching
// FileSystem_<platform>.cpp is chosen by the build.

// Full path of the running executable.
std::string RunningExecutablePath();

// One entry of a folder with the attributes the listing rules look at.
struct TDirEntry {
    std::string Name;
    bool IsDirectory = false;
    bool IsHidden = false;
    bool IsReadOnly = false;
};

// Every entry of the folder except "." and "..", in the order the file system
// delivers them; empty when the folder is missing or unreadable.
std::vector<TDirEntry> ReadDirectory(const std::string& Folder);

// True when the entry exists but the user may not change it. A file without any
// write permission bit counts as read-only also for the superuser, as the
// read-only attribute does elsewhere.
bool IsReadOnly(const std::string& Path);

// Replaces the file's content by Content so that the old file stays exactly as
// it was when anything fails: the text goes to a temporary file in the same
// folder, which then takes the old file's place and permissions. Where no file
// can be made in that folder, an existing file is rewritten in place instead.
// A read-only file is refused. Throws EFCreateError with the system's reason.
void ReplaceFileContent(const std::string& FileName, const std::string& Content);

// What a path leads to, found without opening it: only a regular file is read,
// since a folder, a device or a pipe may never end or never answer.
enum class TPathKind { Missing, RegularFile, Other };
TPathKind PathKindOf(const std::string& Path);
inline bool IsRegularFile(const std::string& Path) {
    return PathKindOf(Path) == TPathKind::RegularFile;
}

// The size of a file in bytes. It is opened for reading only while other
// programs may go on reading and writing it. Throws EFOpenError with the
// system's reason when it cannot be opened.
int64_t FileSizeOf(const std::string& Path);

// Up to Count bytes from the start of a regular file, opened without waiting;
// none when it is not one or cannot be read.
std::string ReadFileStart(const std::string& Path, size_t Count);

// The system's text for an error number.
std::string SystemErrorText(int ErrorNumber);
