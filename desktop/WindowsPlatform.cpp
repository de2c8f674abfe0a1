#include "desktop/Platform.h"

#include "play/Scale.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <shellscalingapi.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace tolvane {

namespace {

constexpr double usual_dpi = 96;

HWND window_handle(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WINDOWS)
        return nullptr;
    return info.info.win.window;
}

// Whether a standard stream was handed to the program already (redirected to a file or a pipe).
bool given(DWORD stream)
{
    HANDLE const handle = GetStdHandle(stream);
    return handle && handle != INVALID_HANDLE_VALUE;
}

} // namespace

void attach_to_the_starting_console()
{
    bool const input = given(STD_INPUT_HANDLE);
    bool const output = given(STD_OUTPUT_HANDLE);
    bool const errors = given(STD_ERROR_HANDLE);
    if ((!input || !output || !errors) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (!input)
            std::freopen("CONIN$", "r", stdin);
        if (!output)
            std::freopen("CONOUT$", "w", stdout);
        if (!errors)
            std::freopen("CONOUT$", "w", stderr);
    }
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

// The program is aware of each screen's DPI (its manifest says so), so Windows scales none of its
// windows as bitmaps, and the windows are drawn at the screen's own scale instead. The windows
// open on the primary screen, whose DPI is the one taken.
double desktop_scale()
{
    HMONITOR const primary = MonitorFromPoint(POINT { 0, 0 }, MONITOR_DEFAULTTOPRIMARY);
    UINT dpi_x = 0;
    UINT dpi_y = 0;
    if (!primary || GetDpiForMonitor(primary, MDT_EFFECTIVE_DPI, &dpi_x, &dpi_y) != S_OK || dpi_y == 0)
        return 1;
    return std::clamp(dpi_y / usual_dpi, smallest_scale, largest_scale);
}

// The primary screen less the taskbar and the other desktop toolbars, in pixels.
PixelRect work_area(int display)
{
    RECT area;
    if (display < 0 || !SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
        return {};
    return { area.left, area.top, area.right - area.left, area.bottom - area.top };
}

// Windows reports no errors of a window of ours that is gone: only the program itself destroys
// its windows.
void survive_stale_window_errors() { }

unsigned long x_window_of(SDL_Window*) { return 0; }

void own_x_window(unsigned long) { }

void pass_over_quietly(unsigned long) { }

void destroy_window(SDL_Window* window, bool) { SDL_DestroyWindow(window); }

// A minimized window is hidden as it is, so that it leaves the taskbar too.
void withdraw(SDL_Window* window)
{
    if (HWND const handle = window_handle(window))
        ShowWindow(handle, SW_HIDE);
}

void let_focus_on_map(SDL_Window*, bool) { }

void offer_no_maximize(SDL_Window* window)
{
    HWND const handle = window_handle(window);
    if (!handle)
        return;
    LONG_PTR const style = GetWindowLongPtrW(handle, GWL_STYLE);
    SetWindowLongPtrW(handle, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_MAXIMIZEBOX));
    SetWindowPos(
        handle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void watch_for_destroyed_windows() { }

void stop_watching_for_destroyed_windows() { }

std::vector<unsigned long> take_destroyed_windows() { return {}; }

} // namespace tolvane
