#pragma once

#include <string>
#include <vector>

// File-name helpers and the search for a free output file name.
class TFileFunc {
public:
    // Full paths of the folder's files (Folder ends with the separator). With a
    // non-empty Extension (".3gp") only names with exactly that last extension.
    // Plain sub-folders are left out; those with further attributes (hidden,
    // read-only) are listed like files. Missing folder: empty list.
    std::vector<std::string> ListFiles(const std::string& Folder,
                                       const std::string& Extension) const;

    // The file name without folder and without its last extension; a name
    // without a dot is its own base name.
    std::string FileBaseName(const std::string& Path) const;

    // The file name: the path without its folder part.
    std::string FileName(const std::string& Path) const;

    // The folder part of the path with its trailing separator; empty when none.
    std::string FileFolder(const std::string& Path) const;

    // The last extension of the file name with its dot; empty when it has none.
    std::string FileExtension(const std::string& Path) const;

    // A path in the same folder whose base name no existing entry of that folder
    // has (compared without regard to case): Path itself, else base_1, base_2, ...
    // Not re-entrant: it remembers the base name it was asked for.
    std::string UniqueFileName(const std::string& Path);

private:
    std::string NextFreeName(std::string Path) const;
    bool IsNameTaken(const std::string& Folder, const std::string& Base,
                     const std::string& Candidate) const;

    std::string RequestedBaseName;
};
