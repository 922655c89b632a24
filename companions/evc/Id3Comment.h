#pragma once

#include <string>

namespace evc {

// ffmpeg writes a comment into an MP3's ID3v2 tag as a private TXXX frame
// named "comment", which players do not show. This turns that frame into the
// COMM frame players read, in place: the COMM frame is shorter, and the tag
// keeps its size with more padding. Files without such a tag are left alone.
void MoveCommentToCommFrame(const std::string& File);

} // namespace evc
