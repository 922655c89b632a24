#include "FileFunc.h"

#include "FileSystem.h"
#include "Paths.h"
#include "StrFunc.h"

#include <filesystem>

namespace {

// Index just past the folder part of Path (0 when it has none).
size_t FileNameStart(const std::string& Path) {
    for (size_t I = Path.size(); I > 0; --I) {
        if (IsFolderEnd(Path[I - 1]))
            return I;
    }
    return 0;
}

} // namespace

std::vector<std::string> TFileFunc::ListFiles(const std::string& Folder,
                                              const std::string& Extension) const {
    std::vector<std::string> Files;
    for (const TDirEntry& Entry : ReadDirectory(Folder)) {
        const bool PlainFolder = Entry.IsDirectory && !Entry.IsHidden && !Entry.IsReadOnly;
        if (PlainFolder)
            continue;
        if (Extension.empty() || FileExtension(Entry.Name) == Extension)
            Files.push_back(Folder + Entry.Name);
    }
    return Files;
}

std::string TFileFunc::FileName(const std::string& Path) const {
    return Path.substr(FileNameStart(Path));
}

std::string TFileFunc::FileBaseName(const std::string& Path) const {
    const std::string Name = FileName(Path);
    const size_t Dot = Name.rfind('.');
    return Dot == std::string::npos ? Name : Name.substr(0, Dot);
}

std::string TFileFunc::FileFolder(const std::string& Path) const {
    return Path.substr(0, FileNameStart(Path));
}

std::string TFileFunc::FileExtension(const std::string& Path) const {
    const std::string Name = FileName(Path);
    const size_t Dot = Name.rfind('.');
    return Dot == std::string::npos ? std::string() : Name.substr(Dot);
}

std::string TFileFunc::UniqueFileName(const std::string& Path) {
    RequestedBaseName = FileBaseName(Path);
    return NextFreeName(Path);
}

std::string TFileFunc::NextFreeName(std::string Path) const {
    const std::string Folder = FileFolder(Path);
    const std::string Ext = FileExtension(Path);
    for (std::string Base = FileBaseName(Path); IsNameTaken(Folder, Base, Folder + Base + Ext);) {
        if (Base == RequestedBaseName) {
            Base += "_1";
        } else { // a name numbered here: count its number on
            const std::string Number = TStrFunc().TextAfterLast(Base, '_');
            Base = Base.substr(0, Base.size() - Number.size()) +
                   std::to_string(std::stoll(Number) + 1);
        }
        Path = Folder + Base + Ext;
    }
    return Path;
}

bool TFileFunc::IsNameTaken(const std::string& Folder, const std::string& Base,
                            const std::string& Candidate) const {
    for (const std::string& File : ListFiles(Folder, "")) {
        if (SameText(FileBaseName(File), Base))
            return true;
    }
    // A plain sub-folder of exactly the wanted name is not listed, but would still
    // stop the encoder from writing its file there.
    std::error_code Ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(Candidate, Ignored));
}
