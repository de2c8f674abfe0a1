#pragma once

#include "draw/Pictures.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <sstream>
#include <string>
#include <unistd.h>

namespace tolvane::testing {

// A folder of small pictures written for one test, removed again when the test ends.
// "test/quad" is 2 x 2 pixels: red and green on top, white and fully transparent below.
class TestPictures {
public:
    TestPictures()
        : m_folder(std::filesystem::temp_directory_path()
            / ("tolvane-pictures-" + std::to_string(::getpid()) + "-" + std::to_string(++s_count)))
    {
        std::filesystem::create_directories(m_folder / "test");
        write("test/quad", 2, 2, { 0xFFFF0000u, 0xFF00FF00u, 0xFFFFFFFFu, 0x00000000u });
        write("test/red", 1, 1, { 0xFFFF0000u });
    }
    ~TestPictures() { std::filesystem::remove_all(m_folder); }
    TestPictures(TestPictures const&) = delete;
    TestPictures& operator=(TestPictures const&) = delete;

    void write(std::string const& name, int width, int height, std::initializer_list<std::uint32_t> argb)
    {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
        auto const* pixel = argb.begin();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                static_cast<std::uint32_t*>(surface->pixels)[y * surface->pitch / 4 + x] = *pixel++;
        IMG_SavePNG(surface, (m_folder / (name + ".png")).string().c_str());
        SDL_FreeSurface(surface);
    }

    std::filesystem::path const& folder() const { return m_folder; }
    Pictures& pictures() { return m_pictures; }
    std::string warnings() const { return m_warnings.str(); }

private:
    static inline int s_count = 0;
    std::filesystem::path m_folder;
    std::ostringstream m_warnings;
    Pictures m_pictures { m_folder, m_warnings };
};

} // namespace tolvane::testing
