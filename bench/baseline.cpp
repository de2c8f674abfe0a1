// tolvane-baseline WIDTH HEIGHT [fill]: what redrawing a whole window 64 times a second costs on
// this desktop, the yardstick for the games' processor use (docs/performance.md). It draws the
// way the shell does, without its windows: in software, straight onto SDL's window surface,
// then shows the whole surface; and on the same schedule as the event loop: wait in the event
// queue until the next 64th of a second is due, drop what was missed, read the queue once a
// round and not again after sleeping till the frame was due. Every frame is drawn in
// full, as a game window is: a backdrop picture of the window's size, as the road board and the
// alien field have, and 30 small moving squares over it. With `fill` the backdrop is a plain
// colour instead, the cheapest full frame there is. It runs until it gets SIGINT or SIGTERM.
#include <SDL.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

namespace {

constexpr std::int64_t period_us = 15'625;
constexpr int sprites = 30;
constexpr int sprite_size = 20;

std::int64_t now_us()
{
    return static_cast<std::int64_t>(SDL_GetPerformanceCounter() * 1e6 / SDL_GetPerformanceFrequency());
}

// A picture of the window's size in the window surface's own format, so that drawing it is a
// plain copy, as the shell's copy of an opaque backdrop is.
SDL_Surface* make_backdrop(SDL_Surface const* surface)
{
    SDL_Surface* backdrop = SDL_CreateRGBSurfaceWithFormat(0, surface->w, surface->h, 32, surface->format->format);
    if (!backdrop)
        return nullptr;
    for (int y = 0; y < backdrop->h; ++y)
        for (int x = 0; x < backdrop->w; ++x)
            static_cast<std::uint32_t*>(backdrop->pixels)[y * backdrop->pitch / 4 + x]
                = SDL_MapRGB(backdrop->format, static_cast<Uint8>(x), static_cast<Uint8>(y), static_cast<Uint8>(x ^ y));
    SDL_SetSurfaceBlendMode(backdrop, SDL_BLENDMODE_NONE);
    return backdrop;
}

void redraw(SDL_Window* window, SDL_Surface* backdrop, std::int64_t frame)
{
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface)
        return;
    if (backdrop)
        SDL_BlitSurface(backdrop, nullptr, surface, nullptr);
    else
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    for (int i = 0; i < sprites; ++i) {
        int const x = static_cast<int>((frame * (i + 1) + i * 97) % std::max(1, surface->w - sprite_size));
        int const y = (i * 53) % std::max(1, surface->h - sprite_size);
        SDL_Rect const square { x, y, sprite_size, sprite_size };
        SDL_FillRect(surface, &square, SDL_MapRGB(surface->format, 255, static_cast<Uint8>(i * 8), 0));
    }
    SDL_UpdateWindowSurface(window);
}

// Reads the event queue as the shell's event loop does: once a round, all that waits.
bool quit_waiting()
{
    SDL_PumpEvents();
    SDL_Event event;
    bool quit = false;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0)
        quit = quit || event.type == SDL_QUIT;
    return quit;
}

// A window's side in pixels: a whole number from 1 to 16384, nothing else.
std::optional<int> side(std::string_view text)
{
    int value = 0;
    auto const [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > 16384)
        return std::nullopt;
    return value;
}

} // namespace

int main(int argc, char** argv)
{
    std::optional<int> const width = argc > 1 ? side(argv[1]) : std::nullopt;
    std::optional<int> const height = argc > 2 ? side(argv[2]) : std::nullopt;
    if (argc < 3 || argc > 4 || !width || !height || (argc == 4 && std::string_view(argv[3]) != "fill")) {
        std::fprintf(stderr, "usage: tolvane-baseline WIDTH HEIGHT [fill]   (sides in pixels, 1 to 16384)\n");
        return 2;
    }
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "tolvane-baseline: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window* window
        = SDL_CreateWindow("tolvane-baseline", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, *width, *height, 0);
    SDL_Surface const* surface = window ? SDL_GetWindowSurface(window) : nullptr;
    if (!surface) {
        std::fprintf(stderr, "tolvane-baseline: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Surface* backdrop = argc == 4 ? nullptr : make_backdrop(surface);
    std::int64_t due = now_us() + period_us;
    std::int64_t frame = 0;
    bool slept_till_due = false;
    while (slept_till_due || !quit_waiting()) {
        std::int64_t const now = now_us();
        slept_till_due = false;
        if (now >= due) {
            redraw(window, backdrop, frame++);
            due += period_us * ((now - due) / period_us + 1);
            continue;
        }
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, static_cast<int>((due - now + 999) / 1000)) == 0)
            slept_till_due = true;
        else if (event.type == SDL_QUIT)
            break;
    }
    std::printf("tolvane-baseline frames=%lld\n", static_cast<long long>(frame));
    SDL_FreeSurface(backdrop);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
