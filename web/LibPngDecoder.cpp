#include "draw/PngDecoder.h"

#include <png.h>

namespace tolvane {

// libpng's simplified reading: whatever the file holds (a palette, grey, a transparent colour)
// comes out as 8-bit blue, green, red and alpha, which in memory is 0xAARRGGBB.
bool decode_png(std::span<unsigned char const> bytes, DecodedPng& decoded, std::string& error)
{
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        error = image.message;
        return false;
    }
    image.format = PNG_FORMAT_BGRA;
    decoded.width = static_cast<int>(image.width);
    decoded.height = static_cast<int>(image.height);
    decoded.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, decoded.pixels.data(), 0, nullptr)) {
        error = image.message;
        png_image_free(&image);
        return false;
    }
    return true;
}

} // namespace tolvane
