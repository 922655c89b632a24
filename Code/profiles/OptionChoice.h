#pragma once

#include "ConvertParameter.h"
#include "Unit_ConfigInfo.h"

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

// The encoding options chosen without the windows, from the same lists,
// presets and custom profiles the windows choose them from.

// An option that may be set on its own: its name on the command line, the
// list the Options dialog offers for it, and where the selection keeps it.
struct TOptionField {
    std::string_view Name;
    ConfigInfo::TTextList List;
    std::string TOptionSelection::*Field;
};

// The eight options of the Options dialog.
std::span<const TOptionField> OptionFields();

// What the windows select for an output type and a quality: every option at
// its list's default, then the quality's preset, then a stored custom profile
// tuple when one is given. An entry index outside its list selects nothing.
// Throws EConvertError for a profile tuple with a field that is no number.
TOptionSelection SelectionFor(int OutputType, int Quality, std::string_view ProfileTuple = {});

// The selection once a stored custom profile value is applied over it, as a
// conversion applies it to the controls before it reads them; nothing when the
// value sets no option. Throws EConvertError like ApplyCustomProfileValue.
std::optional<TOptionSelection> WithCustomProfile(TOptionSelection Selection,
                                                  std::string_view ProfileValue);

// The word that names a list entry on the command line: its first word, so
// that "1 channel, Mono" is "1".
std::string_view EntryWord(std::string_view Entry);

// Selects the entry of the field's list that Value names; throws
// std::invalid_argument, naming the allowed values, when none does.
void OverrideOption(TOptionSelection& Selection, const TOptionField& Field, std::string_view Value);
