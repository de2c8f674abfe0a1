#include "shell/Pictures.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <ostream>

namespace tolvane {

namespace {

// A folder holds the box set's pictures when the start-up window's are there.
bool holds_pictures(std::filesystem::path const& folder)
{
    std::error_code error;
    return std::filesystem::is_directory(folder / "Mainform", error);
}

} // namespace

std::optional<std::filesystem::path> Pictures::find_folder()
{
    if (char* base = SDL_GetBasePath()) {
        std::filesystem::path const beside = std::filesystem::path(base) / "assets";
        SDL_free(base);
        if (holds_pictures(beside))
            return beside;
    }
    std::filesystem::path const built { TOLVANE_ASSETS_DIR }; // set by the build to the source tree's assets
    if (holds_pictures(built))
        return built;
    return std::nullopt;
}

Pictures::Pictures(std::filesystem::path folder, std::ostream& warnings)
    : m_folder(std::move(folder))
    , m_warnings(warnings)
{ }

Canvas const* Pictures::find(std::string_view name)
{
    auto const found = m_loaded.find(name);
    if (found != m_loaded.end())
        return found->second.get();
    std::filesystem::path const file = m_folder / (std::string(name) + ".png");
    std::unique_ptr<Canvas> picture = read(file);
    if (!picture)
        m_warnings << "tolvane: cannot read the picture " << file.string() << ": " << IMG_GetError() << '\n';
    return m_loaded.emplace(std::string(name), std::move(picture)).first->second.get();
}

std::unique_ptr<Canvas> Pictures::read(std::filesystem::path const& file)
{
    SDL_Surface* loaded = IMG_Load(file.string().c_str());
    if (!loaded)
        return nullptr;
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!converted)
        return nullptr;
    auto picture = std::make_unique<Canvas>(converted->w, converted->h);
    SDL_LockSurface(converted);
    for (int y = 0; y < converted->h; ++y)
        std::memcpy(picture->data() + static_cast<std::ptrdiff_t>(y) * converted->w,
            static_cast<char const*>(converted->pixels) + static_cast<std::ptrdiff_t>(y) * converted->pitch,
            static_cast<std::size_t>(converted->w) * 4);
    SDL_UnlockSurface(converted);
    SDL_FreeSurface(converted);
    return picture;
}

} // namespace tolvane
