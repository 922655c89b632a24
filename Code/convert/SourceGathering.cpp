#include "SourceGathering.h"

#include "ConvertRequest.h"
#include "StrFunc.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

bool IsRealMediaName(const fs::path& Path) {
    const std::string Extension = Path.extension().string();
    return SameAsciiText(Extension, ".rm") || SameAsciiText(Extension, ".rmvb");
}

} // namespace

std::vector<std::string> RealMediaFilesIn(const std::string& Folder, std::stop_token Stop) {
    std::vector<std::string> Files;
    std::error_code Error;
    fs::recursive_directory_iterator Entry(Folder, fs::directory_options::skip_permission_denied,
                                           Error);
    for (; !Error && !Stop.stop_requested() && Entry != fs::recursive_directory_iterator();
         Entry.increment(Error)) {
        std::error_code Gone; // a dangling link, or a file removed meanwhile, is passed over
        if (IsRealMediaName(Entry->path()) && Entry->is_regular_file(Gone))
            Files.push_back(fs::absolute(Entry->path()).lexically_normal().string());
    }
    if (Error)
        throw EUsageError("cannot read the folder '" + Folder + "': " + Error.message());
    std::sort(Files.begin(), Files.end());
    return Files;
}

std::vector<std::string> PathsOfList(std::istream& List, std::optional<long long> Index) {
    std::vector<std::string> Paths;
    long long Count = 0;
    for (std::string Line; std::getline(List, Line);) {
        if (Line.ends_with('\r'))
            Line.pop_back();
        if (Line.empty())
            continue;
        if (!Index)
            Paths.push_back(Line);
        else if (++Count == *Index)
            return {Line};
    }
    if (Index)
        throw EUsageError("--index " + std::to_string(*Index) +
                          " is past the list's end: it holds " + std::to_string(Count) + " paths");
    return Paths;
}

std::vector<std::string> SourcesOf(const std::vector<std::string>& Inputs) {
    std::vector<std::string> Sources;
    for (const std::string& Input : Inputs) {
        std::error_code Error;
        const fs::file_status Status = fs::status(Input, Error);
        if (fs::is_directory(Status)) {
            const std::vector<std::string> Found = RealMediaFilesIn(Input);
            Sources.insert(Sources.end(), Found.begin(), Found.end());
        } else if (fs::exists(Status)) {
            Sources.push_back(fs::absolute(Input).lexically_normal().string());
        } else {
            throw EUsageError("'" + Input + "' does not exist");
        }
    }
    return Sources;
}
