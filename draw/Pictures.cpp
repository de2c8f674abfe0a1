#include "draw/Pictures.h"

#include "assets/BuiltInPictures.h"
#include "draw/PngDecoder.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ostream>

namespace tolvane {

Pictures::Pictures(std::ostream& warnings)
    : m_warnings(warnings)
{ }

Pictures::Pictures(std::filesystem::path folder, std::ostream& warnings)
    : m_folder(std::move(folder))
    , m_warnings(warnings)
{ }

// Sprites keep their sizes, so a handful of copies serve a whole run. Should sizes keep
// changing, the copies are dropped and made afresh rather than piling up; sizes far beyond any
// window are drawn from the picture itself. The largest copy kept is the size of a 4K screen, so
// that the alien field's picture is kept at scale 2.
Canvas const* Pictures::sized(Canvas const& picture, int width, int height, Filter filter)
{
    constexpr std::size_t most_copies = 64;
    constexpr long long largest_copy = 3840 * 2160; // pixels
    if ((picture.width() == width && picture.height() == height) || width <= 0 || height <= 0
        || static_cast<long long>(width) * height > largest_copy)
        return &picture;
    auto const key = std::make_tuple(&picture, width, height, filter);
    auto found = m_sized.find(key);
    if (found != m_sized.end())
        return &found->second;
    if (m_sized.size() >= most_copies)
        m_sized.clear();
    Canvas copy = filter == Filter::Smooth ? picture.smoothed(width, height) : picture.scaled(width, height);
    return &m_sized.emplace(key, std::move(copy)).first->second;
}

// The pictures painted from vector drawings or drawn by a program; every other asset is pixel
// art drawn on a coarse grid. docs/art.md lists which is which.
Pictures::Filter Pictures::filter_of(std::string_view name)
{
    static constexpr std::array<std::string_view, 13> painted { "Mainform/Image1", "Mainform/Image2",
        "Mainform/ImgCopter", "Mainform/imgpondleap", "Mainform/imgstarbreach", "Pondleap1/Picture",
        "Pondleap1/imgTrophy", "Pondleap2/Picture", "Pondleap2/Image1", "Pondleap2/Image2", "Starbreach1/Picture",
        "Starbreach1/imgbomb", "icon/tolvane-48" };
    return std::find(painted.begin(), painted.end(), name) != painted.end() ? Filter::Smooth : Filter::Nearest;
}

Pictures::Found Pictures::lookup(std::string_view name)
{
    auto found = m_loaded.find(name);
    if (found == m_loaded.end()) {
        std::string source;
        std::string error;
        std::unique_ptr<Canvas> picture = load(name, source, error);
        if (!picture)
            m_warnings << "tolvane: cannot read the picture " << source << ": " << error << '\n';
        Alpha const alpha = alpha_of(picture.get());
        found = m_loaded.emplace(std::string(name), Loaded { std::move(picture), alpha }).first;
    }
    return { found->second.picture.get(), found->second.alpha };
}

Pictures::Alpha Pictures::alpha_of(Canvas const* picture)
{
    if (!picture || picture->width() == 0 || picture->height() == 0)
        return Alpha::Blended;
    std::uint32_t const* const pixels = picture->data();
    std::size_t const count = static_cast<std::size_t>(picture->width()) * static_cast<std::size_t>(picture->height());
    auto const alpha = [](std::uint32_t pixel) { return pixel >> 24; };
    if (std::all_of(pixels, pixels + count, [&](std::uint32_t pixel) { return alpha(pixel) == 0xFF; }))
        return Alpha::Opaque;
    if (std::all_of(
            pixels, pixels + count, [&](std::uint32_t pixel) { return alpha(pixel) == 0xFF || alpha(pixel) == 0; }))
        return Alpha::CutOut;
    return Alpha::Blended;
}

std::unique_ptr<Canvas> Pictures::load(std::string_view name, std::string& source, std::string& error) const
{
    if (!m_folder.empty()) {
        std::filesystem::path const file = m_folder / (std::string(name) + ".png");
        source = file.string();
        return read(file, error);
    }
    source = std::string(name) + " (built in)";
    std::span<unsigned char const> const png = built_in_picture(name);
    if (png.empty()) {
        error = "the program has no such picture";
        return nullptr;
    }
    return read(png, error);
}

std::unique_ptr<Canvas> Pictures::read(std::filesystem::path const& file, std::string& error)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return nullptr;
    }
    std::vector<unsigned char> const bytes { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    return read(bytes, error);
}

std::unique_ptr<Canvas> Pictures::read(std::span<unsigned char const> png, std::string& error)
{
    DecodedPng decoded;
    if (!decode_png(png, decoded, error))
        return nullptr;
    auto picture = std::make_unique<Canvas>(decoded.width, decoded.height);
    std::copy(decoded.pixels.begin(), decoded.pixels.end(), picture->data());
    return picture;
}

} // namespace tolvane
