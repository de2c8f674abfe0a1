#include "shell/Pictures.h"

#include "assets/BuiltInPictures.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <ostream>

namespace tolvane {

Pictures::Pictures(std::ostream& warnings)
    : m_warnings(warnings)
{ }

Pictures::Pictures(std::filesystem::path folder, std::ostream& warnings)
    : m_folder(std::move(folder))
    , m_warnings(warnings)
{ }

Canvas const* Pictures::find(std::string_view name)
{
    auto const found = m_loaded.find(name);
    if (found != m_loaded.end())
        return found->second.get();
    std::string source;
    std::unique_ptr<Canvas> picture = load(name, source);
    if (!picture)
        m_warnings << "tolvane: cannot read the picture " << source << ": " << IMG_GetError() << '\n';
    return m_loaded.emplace(std::string(name), std::move(picture)).first->second.get();
}

std::unique_ptr<Canvas> Pictures::load(std::string_view name, std::string& source) const
{
    if (!m_folder.empty()) {
        std::filesystem::path const file = m_folder / (std::string(name) + ".png");
        source = file.string();
        return read(file);
    }
    source = std::string(name) + " (built in)";
    std::span<unsigned char const> const png = built_in_picture(name);
    if (png.empty()) {
        IMG_SetError("the program has no such picture");
        return nullptr;
    }
    return read(png);
}

std::unique_ptr<Canvas> Pictures::read(std::filesystem::path const& file)
{
    return convert(IMG_Load(file.string().c_str()));
}

std::unique_ptr<Canvas> Pictures::read(std::span<unsigned char const> png)
{
    return convert(IMG_Load_RW(SDL_RWFromConstMem(png.data(), static_cast<int>(png.size())), 1));
}

std::unique_ptr<Canvas> Pictures::convert(SDL_Surface* loaded)
{
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
