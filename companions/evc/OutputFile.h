#pragma once

#include <string>

namespace evc {

// The file ffmpeg writes while it works: hidden in the output's folder, named
// after the output and ending with the output's extension, which still chooses
// the format. It takes the output's name only once the conversion succeeded,
// so that a stopped or failed run never leaves a broken file under that name.
std::string PartialFileName(const std::string& OutputFile);

} // namespace evc
