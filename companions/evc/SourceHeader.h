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

// "ffmpeg version 5.1.9-0+deb12u1": the version of the FFmpeg libraries that
// evc reads with, which Debian's ffmpeg program is built from and runs on.
std::string FfmpegVersion();

} // namespace evc
