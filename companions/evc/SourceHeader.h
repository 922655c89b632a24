#pragma once

#include <map>
#include <optional>
#include <string>

namespace evc {

// What the source's header says, read without decoding anything.
struct TSourceHeader {
    // The longest of its streams, and of its sound alone; none when the
    // header tells no length.
    std::optional<double> DurationSeconds, SoundSeconds;
    // Its tags by lower-case name ("title", "author", "copyright", "comment").
    std::map<std::string, std::string> Tags;
};

// Reads the header of a local file; an unreadable header gives an empty one,
// and the conversion itself then tells what is wrong.
TSourceHeader ReadSourceHeader(const std::string& SourceFile);

} // namespace evc
