#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

// The six options a preset or custom profile sets, in tuple order.
enum class TPresetOption {
    VideoSize,
    Framerate,
    VideoBitrate,
    AudioBitrate,
    AudioChannels,
    AudioSample
};

inline constexpr int PresetOptionCount = 6;

// Selects entry Index of the option's combo.
using TSelectOption = std::function<void(TPresetOption Option, int Index)>;

// The preset tuple of an output type and quality; the tuple that changes
// nothing when the output type has no presets or the quality is out of range.
std::string_view PresetTupleOf(int OutputType, int Quality);

// Applies a preset tuple: every field but "none" selects its entry. Throws
// EConvertError at a field that is not a decimal integer; the fields before it
// stay applied.
void ApplyPresetTuple(std::string_view Tuple, const TSelectOption& Select);

// Applies a stored custom profile: only a value of exactly six fields counts,
// and an empty field leaves its option alone. Throws EConvertError like
// ApplyPresetTuple.
void ApplyCustomProfileValue(std::string_view Value, const TSelectOption& Select);

// The tuple that stores six selected entry indexes (-1 for none).
std::string ProfileTuple(const std::array<int, PresetOptionCount>& Indexes);
