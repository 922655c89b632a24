#pragma once

#include <cstddef>
#include <stop_token>
#include <string>
#include <vector>

// The loudness of a file's sound over its whole length, for drawing it:
// Columns values, each for an equal share of the file's length, from 0 (at or
// below -60 dBFS) to 1 (full scale) on a decibel scale, so that speech at
// -30 dBFS stands half high and silence is easy to find. Each value is the
// loudest stretch that was decoded in its share: only the first few packets of
// every share are decoded, so that an hour of sound takes well under a second.
// Empty when the file holds no sound that decodes, or when Stop asks for an end.
std::vector<float> ReadWaveform(const std::string& Path, size_t Columns, std::stop_token Stop = {});
