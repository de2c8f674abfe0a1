// tolvane-baseline WIDTH HEIGHT: what redrawing a whole window 64 times a second costs on this
// desktop, the yardstick for the games' processor use (docs/performance.md). It draws the way
// the shell does, without its windows: a picture in memory (a background and 30 small moving
// squares) copied in full to SDL's window surface in software and shown, on the same schedule
// as the event loop: wait in the event queue until the next 64th of a second is due, drop what
// was missed. It runs until it is closed or gets SIGINT or SIGTERM.
#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::int64_t period_us = 15'625;
constexpr int sprites = 30;
constexpr int sprite_size = 20;

std::int64_t now_us()
{
    return static_cast<std::int64_t>(SDL_GetPerformanceCounter() * 1e6 / SDL_GetPerformanceFrequency());
}

void draw(SDL_Surface* picture, std::int64_t frame)
{
    SDL_FillRect(picture, nullptr, SDL_MapRGB(picture->format, 0, 0, 0));
    for (int i = 0; i < sprites; ++i) {
        int const x = static_cast<int>((frame * (i + 1) + i * 97) % std::max(1, picture->w - sprite_size));
        int const y = (i * 53) % std::max(1, picture->h - sprite_size);
        SDL_Rect const square { x, y, sprite_size, sprite_size };
        SDL_FillRect(picture, &square, SDL_MapRGB(picture->format, 255, static_cast<Uint8>(i * 8), 0));
    }
}

void show(SDL_Window* window, SDL_Surface* picture)
{
    if (SDL_Surface* target = SDL_GetWindowSurface(window)) {
        SDL_BlitSurface(picture, nullptr, target, nullptr);
        SDL_UpdateWindowSurface(window);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: tolvane-baseline WIDTH HEIGHT\n");
        return 2;
    }
    int const width = std::atoi(argv[1]);
    int const height = std::atoi(argv[2]);
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "tolvane-baseline: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window* window
        = SDL_CreateWindow("tolvane-baseline", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height, 0);
    SDL_Surface* target = window ? SDL_GetWindowSurface(window) : nullptr;
    // In the window surface's own format, as the shell keeps its canvas: the copy is a plain one.
    SDL_Surface* picture
        = target ? SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, target->format->format) : nullptr;
    if (!picture) {
        std::fprintf(stderr, "tolvane-baseline: %s\n", SDL_GetError());
        return 1;
    }
    SDL_SetSurfaceBlendMode(picture, SDL_BLENDMODE_NONE);
    std::int64_t due = now_us() + period_us;
    std::int64_t frame = 0;
    for (bool running = true; running;) {
        SDL_Event event;
        while (SDL_PollEvent(&event))
            running = running && event.type != SDL_QUIT;
        std::int64_t const now = now_us();
        if (now >= due) {
            draw(picture, frame++);
            show(window, picture);
            due += period_us * ((now - due) / period_us + 1);
            continue;
        }
        if (SDL_WaitEventTimeout(&event, static_cast<int>((due - now + 999) / 1000)))
            running = event.type != SDL_QUIT;
    }
    std::printf("tolvane-baseline frames=%lld\n", static_cast<long long>(frame));
    SDL_FreeSurface(picture);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
