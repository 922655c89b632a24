#include "CustomProfiles.h"

#include "IniFiles32.h"

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
    TIniFile32(ProfileFile()).WriteString(Name, Name, Tuple);
}

void TCustomProfileStore::Erase(const std::string& Name) const {
    TIniFile32(ProfileFile()).EraseSection(Name);
}

std::string TCustomProfileStore::ProposeName() const {
    TIniFile32 Counter(ConfigFolder + "UserProfileCount.ini");
    // The count never goes down: at the largest number it stays there.
    const int32_t Stored = Counter.ReadInteger("count", "count", 0);
    const int32_t Count = Stored == INT32_MAX ? Stored : Stored + 1;
    Counter.WriteInteger("count", "count", Count);
    return "UserProfileInfo" + std::to_string(Count);
}
