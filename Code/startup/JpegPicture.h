#pragma once

#include <optional>
#include <vector>

// A decoded picture: Width × Height pixels of three bytes (red, green, blue),
// row after row.
struct TRgbPicture {
    int Width = 0;
    int Height = 0;
    std::vector<unsigned char> Pixels;
};

// Decodes a JPEG picture; nothing when the bytes are not a whole, sane one.
std::optional<TRgbPicture> DecodeJpeg(const std::vector<unsigned char>& Bytes);
