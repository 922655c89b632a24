#include "OutputFile.h"

#include <regex>

namespace evc {
namespace {

constexpr const char* PartialMark = ".evc-partial";

} // namespace

std::string PartialFileName(const std::string& OutputFile, const std::string& Tag) {
    const size_t NameStart = OutputFile.rfind('/') + 1; // 0 when there is no folder
    const std::string Name = OutputFile.substr(NameStart);
    const size_t Dot = Name.rfind('.');
    const bool HasExtension = Dot != std::string::npos && Dot > 0;
    const std::string Base = HasExtension ? Name.substr(0, Dot) : Name;
    const std::string Extension = HasExtension ? Name.substr(Dot) : std::string();
    return OutputFile.substr(0, NameStart) + "." + Base + PartialMark + "-" + Tag + Extension;
}

bool IsPartialFileName(const std::string& Name) {
    static const std::regex Form("\\..*\\.evc-partial-[0-9]+-[0-9a-f]{8}(\\.[^.]*)?");
    // The plain search first: a folder of thousands of outputs is swept at every run.
    return Name.find(PartialMark) != std::string::npos && std::regex_match(Name, Form);
}

} // namespace evc
