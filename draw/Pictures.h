#pragma once

#include "draw/Canvas.h"

#include <filesystem>
#include <iosfwd>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <tuple>

namespace tolvane {

// The windows' pictures by asset name ("Pondleap1/frog" is assets/Pondleap1/frog.png), each read
// once on first use and kept for the run. A transparent colour or alpha channel becomes alpha.
class Pictures {
public:
    // The pictures built into the program.
    explicit Pictures(std::ostream& warnings);
    // The pictures of a folder instead, such as the small ones a test writes.
    Pictures(std::filesystem::path folder, std::ostream& warnings);

    // The picture, or null when the asset cannot be read; that is told once on the warnings stream.
    Canvas const* find(std::string_view name) { return lookup(name).picture; }
    // What a picture's alpha holds: every pixel opaque, so that it hides whatever lies beneath;
    // every pixel either opaque or clear, like the aliens; or pixels to mix as well.
    enum class Alpha { Opaque, CutOut, Blended };
    // Whether every pixel of the picture is fully opaque.
    bool opaque(std::string_view name) { return lookup(name).alpha == Alpha::Opaque; }
    // The picture and its alpha at once, with one look-up, for the painter on every repaint.
    struct Found {
        Canvas const* picture = nullptr;
        Alpha alpha = Alpha::Blended;
    };
    Found lookup(std::string_view name);
    // A picture scaled to a size by nearest pixel, exactly as drawing it stretched would scale
    // it, made once for each size it is drawn at. A large picture drawn small reads one pixel
    // here and one there all over its memory on every draw; its small copy stays in the cache.
    // Pixel art keeps its hard edges when scaled, taking the nearest pixel; the painted pictures,
    // the covers, backgrounds and title pictures, are filtered smoothly instead.
    enum class Filter { Nearest, Smooth };
    Canvas const* sized(Canvas const& picture, int width, int height, Filter filter = Filter::Nearest);
    // How the asset of that name is scaled: smoothly for a painted picture, else by nearest pixel.
    static Filter filter_of(std::string_view name);
    std::filesystem::path const& folder() const { return m_folder; }

    // A PNG file's picture, or null with a message saying why it cannot be read.
    static std::unique_ptr<Canvas> read(std::filesystem::path const& file, std::string& error);
    static std::unique_ptr<Canvas> read(std::span<unsigned char const> png, std::string& error);

private:
    struct Loaded {
        std::unique_ptr<Canvas> picture;
        Alpha alpha = Alpha::Blended;
    };
    std::unique_ptr<Canvas> load(std::string_view name, std::string& source, std::string& error) const;
    static Alpha alpha_of(Canvas const* picture);

    std::filesystem::path m_folder; // empty: the built-in pictures
    std::ostream& m_warnings;
    std::map<std::string, Loaded, std::less<>> m_loaded;
    std::map<std::tuple<Canvas const*, int, int, Filter>, Canvas> m_sized;
};

} // namespace tolvane
