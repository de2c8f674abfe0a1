#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tolvane {

// A PNG file's pixels as 0xAARRGGBB, rows from the top; a transparent colour becomes alpha.
struct DecodedPng {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Reads a PNG file held in memory. The drawing code does not decode pictures itself: each
// platform links the decoder it has, SDL_image on the desktop and libpng in the web page. False,
// with a message saying why, when the bytes are not a picture it can read.
bool decode_png(std::span<unsigned char const> bytes, DecodedPng& decoded, std::string& error);

} // namespace tolvane
