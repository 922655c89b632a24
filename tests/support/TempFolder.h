#pragma once

#include <filesystem>
#include <fstream>
#include <string>

// A fresh folder for one test, removed with everything in it afterwards.
class TTempFolder {
public:
    TTempFolder() {
        std::string Pattern = (std::filesystem::temp_directory_path() / "korvalin-XXXXXX").string();
        Root = mkdtemp(Pattern.data());
    }
    ~TTempFolder() {
        std::error_code Ignored;
        std::filesystem::permissions(Root, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, Ignored);
        std::filesystem::remove_all(Root, Ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The folder with its trailing separator, as the engine's folders are given.
    std::string Folder() const { return Root.string() + "/"; }
    std::string Path(const std::string& Name) const { return Folder() + Name; }

    std::string Write(const std::string& Name, const std::string& Content) const {
        std::ofstream(Path(Name), std::ios::binary) << Content;
        return Path(Name);
    }
    std::string Read(const std::string& Name) const { return ReadFile(Path(Name)); }
    static std::string ReadFile(const std::string& FileName) {
        std::ifstream File(FileName, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(File), {});
    }
    bool Exists(const std::string& Name) const { return std::filesystem::exists(Path(Name)); }

private:
    std::filesystem::path Root;
};
