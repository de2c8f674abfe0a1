#pragma once

#include "shell/Canvas.h"

#include <filesystem>
#include <iosfwd>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>

struct SDL_Surface;

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
    Canvas const* find(std::string_view name);
    std::filesystem::path const& folder() const { return m_folder; }

    static std::unique_ptr<Canvas> read(std::filesystem::path const& file);
    static std::unique_ptr<Canvas> read(std::span<unsigned char const> png);

private:
    std::unique_ptr<Canvas> load(std::string_view name, std::string& source) const;
    static std::unique_ptr<Canvas> convert(SDL_Surface* loaded);

    std::filesystem::path m_folder; // empty: the built-in pictures
    std::ostream& m_warnings;
    std::map<std::string, std::unique_ptr<Canvas>, std::less<>> m_loaded;
};

} // namespace tolvane
