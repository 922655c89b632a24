#pragma once

#include "ConvertParameter.h"

#include <string>

// What the next conversion makes, in one line, such as
//   3GP · 176x144 · 15 fps · 256 kbit/s · AAC 128 kbit/s stereo 44.1 kHz · volume 200 %
// or, for sound only, "MP3 · 128 kbit/s stereo 44.1 kHz · volume 200 %". It is
// read from the very pieces and form the encoder command is built of, so it
// tells what the command asks for. ProfileNote, when given, ends it: what a
// custom profile does to the conversion, such as `profile "Phone"`.
std::string OutputSummary(const TOptionSelection& Options, const std::string& ProfileNote = {});
