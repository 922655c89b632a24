#include "CustomProfiles.h"

#include "IniFiles32.h"
#include "StrFunc.h"

#include <algorithm>
#include <cstdint>

TCustomProfileStore::TCustomProfileStore(std::string ConfigFolder, std::string ProfileFileName)
    : ConfigFolder(std::move(ConfigFolder)), ProfileFileName(std::move(ProfileFileName)) {}

std::vector<std::string> TCustomProfileStore::Names() const {
    std::vector<std::string> Names;
    TIniFile32(ProfileFile()).ReadSections(&Names);
    return Names;
}

std::string TCustomProfileStore::Value(const std::string& Name) const {
    return TIniFile32(ProfileFile()).ReadString(Name, Name, "");
}

void TCustomProfileStore::Store(const std::string& Name, const std::string& Tuple) const {
    // A profile's name typed in other letter case replaces that profile: the
    // section is found whatever the case, and its key must be spelt as stored.
    const std::vector<std::string> Stored = Names();
    const auto Same = std::find_if(Stored.begin(), Stored.end(), [&](const std::string& Other) {
        return SameAsciiText(Name, Other);
    });
    const std::string& Spelt = Same == Stored.end() ? Name : *Same;
    TIniFile32(ProfileFile()).WriteString(Spelt, Spelt, Tuple);
}

void TCustomProfileStore::Erase(const std::string& Name) const {
    TIniFile32(ProfileFile()).EraseSection(Name);
}

std::string TCustomProfileStore::ProposeName() const {
    const std::vector<std::string> Used = Names();
    const auto InUse = [&](const std::string& Name) {
        return std::any_of(Used.begin(), Used.end(),
                           [&](const std::string& Other) { return SameAsciiText(Name, Other); });
    };
    TIniFile32 Counter(ConfigFolder + "UserProfileCount.ini");
    // The count never goes down: at the largest number it stays there.
    int32_t Count = Counter.ReadInteger("count", "count", 0);
    do
        Count = Count == INT32_MAX ? Count : Count + 1;
    while (Count < INT32_MAX && InUse("UserProfileInfo" + std::to_string(Count)));
    Counter.WriteInteger("count", "count", Count);
    std::string Name = "UserProfileInfo" + std::to_string(Count);
    for (int Suffix = 2; InUse(Name); ++Suffix)
        Name = "UserProfileInfo" + std::to_string(Count) + "-" + std::to_string(Suffix);
    return Name;
}

std::string TCustomProfileStore::NameProblem(const std::string& Name) {
    // The file holds a profile as "[name]" and "name=tuple" lines, whose ends
    // are trimmed of blanks and control characters as they are read.
    if (Name.find_first_of(std::string("=[]\r\n\0", 6)) == std::string::npos && Trim(Name) == Name)
        return {};
    return "A profile name cannot hold \"=\", \"[\", \"]\" or a line break, nor begin or end "
           "with a blank: \"" +
           Name +
           "\" would be lost from the settings. Please choose "
           "another name.";
}
