#include "desktop/DesktopWindow.h"

#include "desktop/Placement.h"
#include "desktop/Platform.h"

#include <SDL.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace tolvane {

namespace {

SDL_Rect sdl_rect(PixelRect r) { return { r.x, r.y, r.w, r.h }; }

// The canvas holds 0xAARRGGBB; a surface of either of these formats holds the same bytes.
bool same_order(SDL_Surface const* target)
{
    std::uint32_t const format = target->format->format;
    return format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888;
}

// The box around every display, in pixels: however large a window grows, no more of it than this
// can be on the screen at once. Without any display there is nothing to go by, and no bound.
PixelRect desktop_bounds()
{
    PixelRect all;
    int const displays = SDL_GetNumVideoDisplays();
    for (int i = 0; i < displays; ++i) {
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(i, &bounds) == 0)
            all = all.empty() ? PixelRect { bounds.x, bounds.y, bounds.w, bounds.h }
                              : all.unite({ bounds.x, bounds.y, bounds.w, bounds.h });
    }
    return all;
}

PixelRect work_area_of(SDL_Window* window) { return work_area(SDL_GetWindowDisplayIndex(window)); }

// Before the window manager has framed a window its frame is not known; a title bar and thin
// sides are what most desktops put around it. The real frame corrects the guess once it is known.
constexpr FrameBorders usual_frame { .top = 24, .left = 1, .bottom = 1, .right = 1 };

// The scale a window opens at, from the first display's work area and the usual frame.
double opening_scale(Window const& window, WindowScale scale)
{
    if (!scale.fit_work_area)
        return scale.chosen;
    return fitting_scale(window.client_width(), window.client_height(), usual_frame, work_area(0), scale.chosen);
}

} // namespace

// A window the desktop does not place opens with its client area at its design frame's
// distance from the screen's corner.
DesktopWindow::DesktopWindow(Window& window, Canvas const* icon, WindowScale scale)
    : m_window(window)
    , m_chosen(scale)
    , m_scale(opening_scale(window, scale))
{
    m_canvas.resize(drawn().w, drawn().h);
    WindowDesign const& design = window.design();
    int const x = design.placed_by_desktop ? int { SDL_WINDOWPOS_UNDEFINED } : pixels(design.frame_left);
    int const y = design.placed_by_desktop ? int { SDL_WINDOWPOS_UNDEFINED } : pixels(design.frame_top);
    std::string const caption(window.Caption());
    m_sdl = SDL_CreateWindow(caption.c_str(), x, y, std::max(1, pixels(window.client_width())),
        std::max(1, pixels(window.client_height())), SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (!m_sdl)
        throw std::runtime_error("cannot open the window " + std::string(window.name()) + ": " + SDL_GetError());
    m_id = SDL_GetWindowID(m_sdl);
    m_x_window = x_window_of(m_sdl);
    own_x_window(m_x_window);
    if (!design.maximizable)
        offer_no_maximize(m_sdl);
    if (icon) {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(icon->data()),
            icon->width(), icon->height(), 32, icon->pitch(), SDL_PIXELFORMAT_ARGB8888);
        if (surface) {
            SDL_SetWindowIcon(m_sdl, surface);
            SDL_FreeSurface(surface);
        }
    }
}

DesktopWindow::~DesktopWindow() { destroy_window(m_sdl, m_lost); }

void DesktopWindow::show(bool take_keyboard)
{
    let_focus_on_map(m_sdl, take_keyboard);
    SDL_ShowWindow(m_sdl);
    m_damage.forget();
    m_placing = !m_shown_before;
    m_shown_before = true;
    // Where the window manager put a window is known only once SDL has read the desktop's events
    // again; until then SDL still reports the position asked for at its creation.
    if (!m_window.design().placed_by_desktop)
        settle_position();
}

void DesktopWindow::hide()
{
    SDL_HideWindow(m_sdl);
    if (!m_lost)
        withdraw(m_sdl);
}

void DesktopWindow::raise() { SDL_RaiseWindow(m_sdl); }

// The stage measures in twips; a pixel is taken at its centre. At scale 1 that is 15 twips a
// pixel, and the centre of pixel p lies at 15p + 7.5, never on a sprite's edge. At other scales a
// centre can fall exactly on an edge, where the painter rounds the edge up: the pixel is drawn as
// the sprite to the left of the edge, or above it. The stage counts the edge in the sprite to the
// right, so the centre is taken a hair to the left, and a click lands on the sprite it is seen on.
double twips_of(int pixel, double scale)
{
    double const centre = (pixel + 0.5) * 15 / scale;
    return scale == 1 ? centre : std::nextafter(centre, -std::numeric_limits<double>::infinity());
}

int DesktopWindow::client_twips(int pixels_now, int now) const
{
    return pixels_now == pixels(now) ? now : static_cast<int>(std::lround(pixels_now * 15 / m_scale));
}

bool DesktopWindow::contains(int x, int y) const
{
    return x >= 0 && y >= 0 && x < pixels(m_window.client_width()) && y < pixels(m_window.client_height());
}

// The client area's top-left part that can be seen: all of it, unless it is larger than the
// desktop. Another client can make a window as large as X allows (32767 pixels a side), four
// gigabytes of pixels; only this part is ever painted, so the memory a window takes, and the
// time a repaint of it takes, stay those of a window the size of the screen.
PixelRect DesktopWindow::drawn() const
{
    PixelRect const client { 0, 0, pixels(m_window.client_width()), pixels(m_window.client_height()) };
    PixelRect const desktop = desktop_bounds();
    return desktop.empty() ? client : client.intersect({ 0, 0, desktop.w, desktop.h });
}

// A new size means a new window surface too, so the canvas takes pixels of its own until the
// next repaint finds the surface.
void DesktopWindow::follow_size()
{
    PixelRect const area = drawn();
    if (area.w != m_canvas.width() || area.h != m_canvas.height() || m_canvas.borrowed())
        m_canvas.resize(area.w, area.h);
    m_damage.forget();
}

// The frame's size is known only once the window manager has framed the shown window; until
// then the borders read zero. Without a window manager they stay zero and the window is
// already where it belongs. A window that places itself goes where its design says; either
// kind is then kept inside the screen's work area as far as it fits.
void DesktopWindow::settle_position()
{
    if (!m_placing)
        return;
    FrameBorders borders;
    if (SDL_GetWindowBordersSize(m_sdl, &borders.top, &borders.left, &borders.bottom, &borders.right) != 0
        || (borders.top == 0 && borders.left == 0))
        return;
    m_placing = false;
    fit_scale(borders, work_area_of(m_sdl));
    SDL_Point client = wanted_position();
    PixelRect const frame { client.x - borders.left, client.y - borders.top,
        pixels(m_window.client_width()) + borders.left + borders.right,
        pixels(m_window.client_height()) + borders.top + borders.bottom };
    PixelRect const fitted = fit_frame(frame, work_area_of(m_sdl));
    client = { fitted.x + borders.left, fitted.y + borders.top };
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(m_sdl, &x, &y);
    if (client.x != x || client.y != y)
        SDL_SetWindowPosition(m_sdl, client.x, client.y);
}

// With its real frame and the work area of the display it is on known, a window that may fit is
// drawn again at the scale that makes it fit, if its first guess was off.
void DesktopWindow::fit_scale(FrameBorders borders, PixelRect area)
{
    if (!m_chosen.fit_work_area)
        return;
    double const fitting
        = fitting_scale(m_window.client_width(), m_window.client_height(), borders, area, m_chosen.chosen);
    if (fitting == m_scale)
        return;
    m_scale = fitting;
    SDL_SetWindowSize(
        m_sdl, std::max(1, pixels(m_window.client_width())), std::max(1, pixels(m_window.client_height())));
    follow_size();
}

SDL_Point DesktopWindow::wanted_position() const
{
    WindowDesign const& design = m_window.design();
    if (!design.placed_by_desktop)
        return { pixels(design.frame_left), pixels(design.frame_top) };
    SDL_Point where {};
    SDL_GetWindowPosition(m_sdl, &where.x, &where.y);
    return where;
}

bool DesktopWindow::minimized() const { return (SDL_GetWindowFlags(m_sdl) & SDL_WINDOW_MINIMIZED) != 0; }

void DesktopWindow::show_paused(bool paused)
{
    std::string const title = std::string(m_window.Caption()) + (paused ? " (paused)" : "");
    SDL_SetWindowTitle(m_sdl, title.c_str());
}

PixelRect DesktopWindow::client_size() const
{
    PixelRect size;
    SDL_GetWindowSize(m_sdl, &size.w, &size.h);
    return size;
}

void DesktopWindow::refuse_maximize()
{
    if (!m_window.design().maximizable)
        SDL_RestoreWindow(m_sdl);
}

void DesktopWindow::repaint(Painter const& painter, ButtonLook look)
{
    paint_on_surface();
    Painter const at_scale = painter.with_scale(m_scale);
    std::vector<PixelRect> const areas = m_damage.collect(m_window, at_scale, look);
    if (areas.empty())
        return;
    at_scale.paint(m_window, m_canvas, areas, look);
    present(areas);
}

// Where the window's surface is as large as the client area and keeps the canvas's order of
// pixels, as on every usual desktop, the painter paints straight onto it and presenting is only
// telling the desktop which parts changed: a game's repaint is small and scattered, and copying
// it across from pixels of its own is one more pass over memory that is seldom in the cache.
// Elsewhere the canvas keeps its own pixels. Either way the canvas covers only the part that can
// be seen; the rest of a larger surface is never touched, and so takes no memory.
void DesktopWindow::paint_on_surface()
{
    SDL_Surface* surface = SDL_GetWindowSurface(m_sdl);
    PixelRect const area = drawn();
    bool const fits = surface && surface->w == pixels(m_window.client_width())
        && surface->h == pixels(m_window.client_height()) && !area.empty() && same_order(surface);
    auto* const where = fits ? static_cast<std::uint32_t*>(surface->pixels) : nullptr;
    bool const same_size = m_canvas.width() == area.w && m_canvas.height() == area.h;
    if (m_canvas.borrowed() ? m_canvas.data() == where && same_size : !fits)
        return;
    m_canvas = fits ? Canvas::over(where, area.w, area.h, surface->pitch) : Canvas(area.w, area.h);
    m_damage.forget();
}

void DesktopWindow::present_all() { present({ m_canvas.bounds() }); }

void DesktopWindow::present(std::vector<PixelRect> const& areas)
{
    if (areas.empty() || m_canvas.width() == 0 || m_canvas.height() == 0)
        return;
    SDL_Surface* target = SDL_GetWindowSurface(m_sdl);
    if (!target)
        return;
    std::vector<SDL_Rect> rects;
    for (PixelRect const& area : areas) {
        PixelRect const inside = area.intersect(m_canvas.bounds()).intersect({ 0, 0, target->w, target->h });
        if (!inside.empty())
            rects.push_back(sdl_rect(inside));
    }
    if (rects.empty())
        return;
    if (!m_canvas.borrowed())
        copy_across(rects, target);
    SDL_UpdateWindowSurfaceRects(m_sdl, rects.data(), static_cast<int>(rects.size()));
}

// A surface in the canvas's order of pixels takes the canvas's rows as they are, with no
// surface to set up and no conversion.
void DesktopWindow::copy_across(std::vector<SDL_Rect> const& rects, SDL_Surface* target)
{
    if (!same_order(target)) {
        convert(rects, target);
        return;
    }
    for (SDL_Rect const& rect : rects)
        for (int y = rect.y; y < rect.y + rect.h; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(static_cast<char*>(target->pixels) + y * target->pitch);
            std::copy_n(
                m_canvas.data() + static_cast<std::ptrdiff_t>(y) * m_canvas.width() + rect.x, rect.w, row + rect.x);
        }
}

void DesktopWindow::convert(std::vector<SDL_Rect> const& rects, SDL_Surface* target)
{
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        m_canvas.data(), m_canvas.width(), m_canvas.height(), 32, m_canvas.pitch(), SDL_PIXELFORMAT_ARGB8888);
    if (!source)
        return;
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    for (SDL_Rect rect : rects) {
        SDL_Rect to = rect;
        SDL_BlitSurface(source, &rect, target, &to);
    }
    SDL_FreeSurface(source);
}

} // namespace tolvane
