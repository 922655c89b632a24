#pragma once

#include <cstddef>
#include <string>
#include <vector>

// What evc reads and writes is a plain file on this machine: never a folder,
// a device or a pipe (reading those hangs or never ends), and never a file it
// must leave alone. Every check throws ECommandError with the reason.
namespace evc {

// One line naming a path fits many times over.
constexpr std::size_t MaxScriptBytes = 8192;

// The text of a script file that is a regular file of at most MaxScriptBytes.
// Opening it never waits, even when it has become a pipe in the meantime.
std::string ReadScriptFile(const std::string& Path);

// Passes when Path names an existing regular file; the file is not opened.
void RequireRegularSource(const std::string& Path);

// A file evc must not overwrite, and what to call it in the refusal.
struct TGuardedFile {
    std::string Path;
    std::string Role; // "the source", "the script"
};

// Passes when writing Target replaces nothing or a regular file that is none
// of the guarded files, whichever name or link leads to them.
void RequireWritableTarget(const std::string& Target, const std::vector<TGuardedFile>& Guarded);

} // namespace evc
