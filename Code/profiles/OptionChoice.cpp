#include "OptionChoice.h"

#include "ProfileTuples.h"

#include <array>

using namespace ConfigInfo;

namespace {

constexpr std::array<TOptionField, 8> Fields = {{
    {"size", cstVideoSizes, &TOptionSelection::VideoSize},
    {"video-bitrate", cstVideoBitrates, &TOptionSelection::VideoBitrate},
    {"fps", cstFrameRates, &TOptionSelection::Framerate},
    {"aspect", cstAspectRatios, &TOptionSelection::Aspectratio},
    {"audio-bitrate", cstAudioBitrates, &TOptionSelection::AudioBitrate},
    {"sample-rate", cstAudioSamples, &TOptionSelection::AudioSample},
    {"channels", cstAudioChannels, &TOptionSelection::AudioChannels},
    {"volume", cstAudioVolumeGains, &TOptionSelection::AudioVolumeGain},
}};

// The field a preset or profile tuple sets at each of its positions.
constexpr std::array<size_t, PresetOptionCount> TupleFields = {0, 2, 1, 4, 6, 5};

std::string EntryAt(TTextList List, int Index) {
    const TTextList Entries = EntriesOf(List);
    return Index >= 0 && static_cast<size_t>(Index) < Entries.size()
               ? std::string(Entries[static_cast<size_t>(Index)])
               : std::string();
}

// Selects, in the selection, the entry that a tuple names for one of its options.
TSelectOption SelectorOf(TOptionSelection& Selection) {
    return [&Selection](TPresetOption Option, int Index) {
        const TOptionField& Field = Fields[TupleFields[static_cast<size_t>(Option)]];
        Selection.*Field.Field = EntryAt(Field.List, Index);
    };
}

} // namespace

std::span<const TOptionField> OptionFields() {
    return Fields;
}

TOptionSelection SelectionFor(int OutputType, int Quality, std::string_view ProfileTuple) {
    TOptionSelection Selection;
    Selection.OutputType = OutputType;
    for (const TOptionField& Field : Fields)
        Selection.*Field.Field = EntryAt(Field.List, DefaultIndexOf(Field.List));
    ApplyPresetTuple(PresetTupleOf(OutputType, Quality), SelectorOf(Selection));
    if (!ProfileTuple.empty())
        ApplyCustomProfileValue(ProfileTuple, SelectorOf(Selection));
    return Selection;
}

std::optional<TOptionSelection> WithCustomProfile(TOptionSelection Selection,
                                                  std::string_view ProfileValue) {
    bool Applied = false;
    const TSelectOption Select = SelectorOf(Selection);
    ApplyCustomProfileValue(ProfileValue, [&](TPresetOption Option, int Index) {
        Select(Option, Index);
        Applied = true;
    });
    return Applied ? std::optional(Selection) : std::nullopt;
}

std::string_view EntryWord(std::string_view Entry) {
    return Entry.substr(0, Entry.find(' '));
}

void OverrideOption(TOptionSelection& Selection, const TOptionField& Field,
                    std::string_view Value) {
    std::string Allowed;
    for (const std::string_view Entry : EntriesOf(Field.List)) {
        if (EntryWord(Entry) == Value) {
            Selection.*Field.Field = std::string(Entry);
            return;
        }
        Allowed += (Allowed.empty() ? "" : ", ") + std::string(EntryWord(Entry));
    }
    throw std::invalid_argument("--" + std::string(Field.Name) + " cannot be '" +
                                std::string(Value) + "'; it may be one of: " + Allowed);
}
