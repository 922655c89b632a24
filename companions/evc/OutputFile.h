#pragma once

#include <string>

namespace evc {

// The file ffmpeg writes while it works: hidden in the output's folder, named
// after the output and ending with the output's extension, which still chooses
// the format. It takes the output's name only once the conversion succeeded,
// so that a stopped or failed run never leaves a broken file under that name.
// Tag makes the name this run's own: no other run, of this program or of
// another copy, can choose it.
std::string PartialFileName(const std::string& OutputFile, const std::string& Tag);

// Whether a file name (without folder) has the form of the partial files runs
// write to: ".NAME.evc-partial-PID-RANDOM" and the output's extension.
bool IsPartialFileName(const std::string& Name);

// A tag no other run chooses: the process number and a random part.
std::string NewRunTag();

// This run's partial file, made as a new file and locked while the object
// lives, so that a sweep tells it from the leftover of a run that was killed.
// Removed again unless it was published.
class TPartialFile {
public:
    // Throws std::system_error with the system's reason when the folder
    // cannot take a new file.
    explicit TPartialFile(const std::string& OutputFile);
    ~TPartialFile();
    TPartialFile(const TPartialFile&) = delete;
    TPartialFile& operator=(const TPartialFile&) = delete;

    const std::string& Path() const { return Partial; }

    // Gives the partial file the output's name and returns that name. A file
    // that has that name by now is never replaced: the output takes the next
    // free name of its series instead. Throws std::system_error when no name
    // can be given.
    std::string Publish();

private:
    std::string Output, Partial;
    int Fd = -1;
    bool Published = false;
};

// Removes the partial files in Folder (ending with the separator; empty for
// the current folder) that no running evc holds: what killed runs left behind.
void RemoveStalePartialFiles(const std::string& Folder);

} // namespace evc
