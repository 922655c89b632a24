#include "Folders.h"

#include "FileSystem.h"
#include "Paths.h"

#include <filesystem>
#include <random>

TFolderCheck CheckOutputFolder(const std::string& Folder) {
    namespace fs = std::filesystem;
    std::error_code Error;
    if (!fs::is_directory(Folder, Error))
        return TFolderCheck::Missing;
    if (IsReadOnly(Folder))
        return TFolderCheck::ReadOnly;
    std::string Base = Folder;
    if (Base.back() != PathDelim)
        Base += PathDelim;
    std::random_device Random;
    for (int Attempt = 0; Attempt < 16; ++Attempt) {
        const fs::path Probe = Base + ".korvalin-probe-" + std::to_string(Random());
        if (fs::create_directory(Probe, Error)) { // false also when it existed before
            fs::remove(Probe, Error);
            return TFolderCheck::Accepted;
        }
        if (Error)
            return TFolderCheck::ReadOnly;
    }
    return TFolderCheck::ReadOnly;
}

void CreateFolderQuietly(const std::string& Folder) {
    std::error_code Ignored;
    std::filesystem::create_directories(Folder, Ignored);
}
