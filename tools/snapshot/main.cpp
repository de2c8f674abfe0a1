#include "draw/Canvas.h"
#include "draw/Fonts.h"
#include "draw/Painter.h"
#include "draw/Pictures.h"
#include "shell/DesktopFonts.h"
#include "tools/script/Script.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

namespace {

int fail(std::string const& message)
{
    std::cerr << "tolvane-snapshot: " << message << '\n';
    return 2;
}

// Writes a canvas, opaque pixels in 0xAARRGGBB order, as a PNG file.
bool save_png(tolvane::Canvas& canvas, char const* path)
{
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        canvas.data(), canvas.width(), canvas.height(), 32, canvas.pitch(), SDL_PIXELFORMAT_ARGB8888);
    if (!surface)
        return false;
    SDL_Surface* opaque = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGB24, 0);
    SDL_FreeSurface(surface);
    if (!opaque)
        return false;
    bool const saved = IMG_SavePNG(opaque, path) == 0;
    SDL_FreeSurface(opaque);
    return saved;
}

} // namespace

// tolvane-snapshot SCRIPT WINDOW OUT.png: plays SCRIPT without a display, as tolvane-script
// does, then paints WINDOW as the desktop would show it at that moment (its client area, with
// the built-in pictures and the game's fonts) and writes the picture to OUT.png.
int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: tolvane-snapshot SCRIPT WINDOW OUT.png\n";
        return 2;
    }
    std::ifstream script { argv[1] };
    if (!script)
        return fail(std::string(argv[1]) + ": " + std::strerror(errno));
    tolvane::ScriptRunner runner;
    if (int const status = runner.run(script, std::cout, std::cerr); status != 0)
        return status;

    tolvane::Window const* window = runner.stage().find(argv[2]);
    if (!window)
        return fail(std::string("the window ") + argv[2] + " is not loaded at the end of the script");
    std::string error;
    std::unique_ptr<tolvane::Fonts> const fonts = tolvane::open_desktop_fonts(error);
    if (!fonts)
        return fail(error);
    tolvane::Pictures pictures(std::cerr);
    tolvane::Painter const painter(pictures, *fonts);
    tolvane::Canvas canvas(
        tolvane::Painter::to_pixels(window->client_width()), tolvane::Painter::to_pixels(window->client_height()));
    tolvane::ButtonLook const look { .active = runner.stage().active() == window };
    painter.paint(*window, canvas, canvas.bounds(), look);
    if (!save_png(canvas, argv[3]))
        return fail(std::string("cannot write ") + argv[3] + ": " + SDL_GetError());
    return 0;
}
