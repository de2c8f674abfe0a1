#include "draw/PngDecoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

namespace tolvane {

bool decode_png(std::span<unsigned char const> bytes, DecodedPng& decoded, std::string& error)
{
    SDL_Surface* loaded = IMG_Load_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    SDL_Surface* converted = loaded ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
    SDL_FreeSurface(loaded);
    if (!converted) {
        error = IMG_GetError();
        return false;
    }
    decoded.width = converted->w;
    decoded.height = converted->h;
    decoded.pixels.resize(static_cast<std::size_t>(converted->w) * static_cast<std::size_t>(converted->h));
    SDL_LockSurface(converted);
    for (int y = 0; y < converted->h; ++y)
        std::memcpy(decoded.pixels.data() + static_cast<std::ptrdiff_t>(y) * converted->w,
            static_cast<char const*>(converted->pixels) + static_cast<std::ptrdiff_t>(y) * converted->pitch,
            static_cast<std::size_t>(converted->w) * 4);
    SDL_UnlockSurface(converted);
    SDL_FreeSurface(converted);
    return true;
}

} // namespace tolvane
