#include "JpegPicture.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// Larger pictures are refused before anything is allocated for them.
constexpr JDIMENSION LargestSide = 8192;

struct TErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Escape;
};

[[noreturn]] void LeaveDecoding(j_common_ptr Info) {
    std::longjmp(reinterpret_cast<TErrorManager*>(Info->err)->Escape, 1);
}

// Counts warnings (corrupt data) without printing them.
void CountWarning(j_common_ptr Info, int Level) {
    if (Level < 0)
        ++Info->err->num_warnings;
}

// Decodes into Picture; false on any error. Holds nothing with a destructor
// across the jump, which libjpeg's error handling needs.
bool Decode(const std::vector<unsigned char>& Bytes, TRgbPicture& Picture) {
    jpeg_decompress_struct Info{};
    TErrorManager Errors{};
    Info.err = jpeg_std_error(&Errors.Base);
    Errors.Base.error_exit = LeaveDecoding;
    Errors.Base.emit_message = CountWarning;
    if (setjmp(Errors.Escape)) {
        jpeg_destroy_decompress(&Info);
        return false;
    }
    jpeg_create_decompress(&Info);
    jpeg_mem_src(&Info, Bytes.data(), static_cast<unsigned long>(Bytes.size()));
    jpeg_read_header(&Info, TRUE);
    Info.out_color_space = JCS_RGB;
    if (Info.image_width > LargestSide || Info.image_height > LargestSide) {
        jpeg_destroy_decompress(&Info);
        return false;
    }
    jpeg_start_decompress(&Info);
    Picture.Width = static_cast<int>(Info.output_width);
    Picture.Height = static_cast<int>(Info.output_height);
    Picture.Pixels.resize(size_t{Info.output_width} * Info.output_height * 3);
    while (Info.output_scanline < Info.output_height) {
        JSAMPROW Row = &Picture.Pixels[size_t{Info.output_scanline} * Info.output_width * 3];
        jpeg_read_scanlines(&Info, &Row, 1);
    }
    jpeg_finish_decompress(&Info);
    // A picture that ends early is padded by libjpeg with a warning: not whole.
    const bool Whole = Errors.Base.num_warnings == 0;
    jpeg_destroy_decompress(&Info);
    return Whole;
}

} // namespace

std::optional<TRgbPicture> DecodeJpeg(const std::vector<unsigned char>& Bytes) {
    TRgbPicture Picture;
    if (Bytes.empty() || !Decode(Bytes, Picture))
        return std::nullopt;
    return Picture;
}
