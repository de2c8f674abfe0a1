#include "cli/CommandLine.h"
#include "desktop/DesktopFonts.h"
#include "draw/Canvas.h"
#include "draw/Fonts.h"
#include "draw/Painter.h"
#include "draw/Pictures.h"
#include "play/Scale.h"
#include "script/Script.h"

#include <SDL.h>
#include <SDL_image.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

namespace {

constexpr std::array options {
    tolvane::help_option,
    tolvane::version_option,
    tolvane::Option { "--scale", "F", "paint F screen pixels for each pixel of the design (0.5 to 4, default 1)" },
};

constexpr tolvane::Program snapshot_program {
    .name = "tolvane-snapshot",
    .operands = "SCRIPT WINDOW OUT.png",
    .summary = "Plays SCRIPT without a display, as tolvane-script does, then paints WINDOW as the desktop\n"
               "would show it at that moment and writes the picture to OUT.png.",
    .options = options,
    .epilogue = "Exit status: 0 when the picture was written, 1 when an expect line of the script failed,\n"
                "2 otherwise.\n",
    .most_operands = 3,
};

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

// tolvane-snapshot [--scale F] SCRIPT WINDOW OUT.png: plays SCRIPT without a display, as
// tolvane-script does, then paints WINDOW as the desktop would show it at that moment (its client
// area, with the built-in pictures and the game's fonts, at the scale) and writes the picture to
// OUT.png.
int main(int argc, char** argv)
{
    auto const parsed = tolvane::parse_command_line(snapshot_program, argc, argv);
    if (!parsed.command_line)
        return parsed.exit_status;
    tolvane::CommandLine const& command_line = *parsed.command_line;
    if (command_line.operands().size() != 3)
        return fail("expected SCRIPT WINDOW OUT.png (try --help)");
    double scale = 1;
    if (auto const text = command_line.value("--scale")) {
        auto const chosen = tolvane::scale_of(*text);
        if (!chosen)
            return fail("--scale takes a number from 0.5 to 4 (try --help)");
        scale = *chosen;
    }
    std::string const& script_path = command_line.operands()[0];
    std::string const& window_name = command_line.operands()[1];
    std::string const& out_path = command_line.operands()[2];

    std::ifstream script { script_path };
    if (!script)
        return fail(script_path + ": " + std::strerror(errno));
    tolvane::ScriptRunner runner;
    if (int const status = runner.run(script, std::cout, std::cerr); status != 0)
        return status;

    tolvane::Window const* window = runner.stage().find(window_name);
    if (!window)
        return fail("the window " + window_name + " is not loaded at the end of the script");
    std::string error;
    std::unique_ptr<tolvane::Fonts> const fonts = tolvane::open_desktop_fonts(error);
    if (!fonts)
        return fail(error);
    tolvane::Pictures pictures(std::cerr);
    tolvane::Painter const painter(pictures, *fonts, scale);
    tolvane::Canvas canvas(tolvane::Painter::to_pixels(window->client_width(), scale),
        tolvane::Painter::to_pixels(window->client_height(), scale));
    tolvane::ButtonLook const look { .active = runner.stage().active() == window };
    painter.paint(*window, canvas, canvas.bounds(), look);
    if (!save_png(canvas, out_path.c_str()))
        return fail("cannot write " + out_path + ": " + SDL_GetError());
    return 0;
}
