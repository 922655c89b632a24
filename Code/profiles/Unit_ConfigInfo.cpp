#include "Unit_ConfigInfo.h"

#include <charconv>

namespace ConfigInfo {

TTextList PresetsOfOutputType(int OutputType) {
    switch (OutputType) {
    case 0:
        return cst3GPPresets;
    case 1:
        return cstMP4Presets;
    case 2:
        return cstPSPPresets;
    case 3:
        return cstiPodPresets;
    case 4:
        return cstMP3Presets;
    case 5:
        return cstH264Presets;
    default:
        return {};
    }
}

TTextList EntriesOf(TTextList OptionList) {
    return OptionList.empty() ? OptionList : OptionList.first(OptionList.size() - 1);
}

int DefaultIndexOf(TTextList OptionList) {
    int Index = 0;
    if (!OptionList.empty()) {
        const std::string_view Last = OptionList.back();
        std::from_chars(Last.data(), Last.data() + Last.size(), Index);
    }
    return Index;
}

} // namespace ConfigInfo
