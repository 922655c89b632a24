#include "ProfileTuples.h"

#include "Errors.h"
#include "StrFunc.h"
#include "Unit_ConfigInfo.h"

namespace {

int DecimalField(const std::string& Field) {
    int32_t Index = 0;
    if (!TryDecimalToInt(Field, Index))
        throw EConvertError("'" + Field + "' is not a valid integer value");
    return Index;
}

void ApplyFields(const std::vector<std::string>& Fields, const std::string& Skip,
                 const TSelectOption& Select) {
    for (size_t I = 0; I < Fields.size() && I < PresetOptionCount; ++I) {
        if (Fields[I] != Skip)
            Select(static_cast<TPresetOption>(I), DecimalField(Fields[I]));
    }
}

} // namespace

std::string_view PresetTupleOf(int OutputType, int Quality) {
    const ConfigInfo::TTextList Presets = ConfigInfo::PresetsOfOutputType(OutputType);
    const bool Valid = Quality >= 0 && static_cast<size_t>(Quality) < Presets.size();
    return Valid ? Presets[static_cast<size_t>(Quality)] : ConfigInfo::NoPreset;
}

void ApplyPresetTuple(std::string_view Tuple, const TSelectOption& Select) {
    ApplyFields(SplitString(Tuple, '|'), "none", Select);
}

void ApplyCustomProfileValue(std::string_view Value, const TSelectOption& Select) {
    const std::vector<std::string> Fields = SplitString(Value, '|');
    if (Fields.size() == PresetOptionCount)
        ApplyFields(Fields, "", Select);
}

std::string ProfileTuple(const std::array<int, PresetOptionCount>& Indexes) {
    std::string Tuple;
    for (const int Index : Indexes)
        Tuple += (Tuple.empty() ? "" : "|") + std::to_string(Index);
    return Tuple;
}
