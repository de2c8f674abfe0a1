#include "shell/DesktopWindow.h"

#include <SDL.h>

#include <stdexcept>
#include <string>

namespace tolvane {

namespace {

int pixels(int twips) { return Painter::to_pixels(twips); }

SDL_Rect sdl_rect(PixelRect r) { return { r.x, r.y, r.w, r.h }; }

} // namespace

// A window the desktop does not place opens with its client area at its design frame's
// distance from the screen's corner.
DesktopWindow::DesktopWindow(Window& window, Canvas const* icon)
    : m_window(window)
    , m_canvas(pixels(window.client_width()), pixels(window.client_height()))
{
    WindowDesign const& design = window.design();
    int const x = design.placed_by_desktop ? int { SDL_WINDOWPOS_UNDEFINED } : pixels(design.frame_left);
    int const y = design.placed_by_desktop ? int { SDL_WINDOWPOS_UNDEFINED } : pixels(design.frame_top);
    std::string const caption(window.Caption());
    m_sdl = SDL_CreateWindow(caption.c_str(), x, y, std::max(1, m_canvas.width()), std::max(1, m_canvas.height()),
        SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (!m_sdl)
        throw std::runtime_error("cannot open the window " + std::string(window.name()) + ": " + SDL_GetError());
    m_id = SDL_GetWindowID(m_sdl);
    if (icon) {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(icon->data()),
            icon->width(), icon->height(), 32, icon->pitch(), SDL_PIXELFORMAT_ARGB8888);
        if (surface) {
            SDL_SetWindowIcon(m_sdl, surface);
            SDL_FreeSurface(surface);
        }
    }
}

DesktopWindow::~DesktopWindow() { SDL_DestroyWindow(m_sdl); }

void DesktopWindow::show()
{
    SDL_ShowWindow(m_sdl);
    m_damage.forget();
    m_placing = !m_window.design().placed_by_desktop && !m_shown_before;
    m_shown_before = true;
    settle_position();
}

void DesktopWindow::hide() { SDL_HideWindow(m_sdl); }

void DesktopWindow::raise() { SDL_RaiseWindow(m_sdl); }

void DesktopWindow::follow_size()
{
    int const width = pixels(m_window.client_width());
    int const height = pixels(m_window.client_height());
    if (width != m_canvas.width() || height != m_canvas.height())
        m_canvas.resize(width, height);
    m_damage.forget();
}

// The frame's size is known only once the window manager has framed the shown window; until
// then the borders read zero. Without a window manager they stay zero and the window is
// already where it belongs.
void DesktopWindow::settle_position()
{
    if (!m_placing)
        return;
    int top = 0;
    int left = 0;
    if (SDL_GetWindowBordersSize(m_sdl, &top, &left, nullptr, nullptr) != 0 || (top == 0 && left == 0))
        return;
    m_placing = false;
    SDL_SetWindowPosition(m_sdl, pixels(m_window.design().frame_left), pixels(m_window.design().frame_top));
}

void DesktopWindow::refuse_maximize()
{
    if (!m_window.design().maximizable)
        SDL_RestoreWindow(m_sdl);
}

void DesktopWindow::repaint(Painter const& painter, ButtonLook look)
{
    std::vector<PixelRect> const areas = m_damage.collect(m_window, painter, look);
    for (PixelRect const& area : areas)
        painter.paint(m_window, m_canvas, area, look);
    present(areas);
}

void DesktopWindow::present_all() { present({ m_canvas.bounds() }); }

void DesktopWindow::present(std::vector<PixelRect> const& areas)
{
    if (areas.empty() || m_canvas.width() == 0 || m_canvas.height() == 0)
        return;
    SDL_Surface* target = SDL_GetWindowSurface(m_sdl);
    if (!target)
        return;
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        m_canvas.data(), m_canvas.width(), m_canvas.height(), 32, m_canvas.pitch(), SDL_PIXELFORMAT_ARGB8888);
    if (!source)
        return;
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    std::vector<SDL_Rect> rects;
    for (PixelRect const& area : areas) {
        PixelRect const inside = area.intersect(m_canvas.bounds()).intersect({ 0, 0, target->w, target->h });
        if (inside.empty())
            continue;
        SDL_Rect from = sdl_rect(inside);
        SDL_Rect to = from;
        SDL_BlitSurface(source, &from, target, &to);
        rects.push_back(sdl_rect(inside));
    }
    SDL_FreeSurface(source);
    if (!rects.empty())
        SDL_UpdateWindowSurfaceRects(m_sdl, rects.data(), static_cast<int>(rects.size()));
}

} // namespace tolvane
