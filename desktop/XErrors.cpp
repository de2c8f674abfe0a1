#include "desktop/XErrors.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <algorithm>
#include <vector>

namespace tolvane {

namespace {

bool names_a_missing_window(int error_code) { return error_code == BadWindow || error_code == BadDrawable; }

} // namespace

void XErrorSifter::own(unsigned long x_window) { m_owned.push_back(x_window); }

void XErrorSifter::gone(unsigned long x_window) { m_gone.push_back(x_window); }

bool XErrorSifter::worth_reporting(int error_code, int request_code, int minor_code, unsigned long resource)
{
    if (std::ranges::find(m_gone, resource) != m_gone.end())
        return false;
    if (names_a_missing_window(error_code) && std::ranges::find(m_owned, resource) != m_owned.end())
        return false;
    // SDL asks where a window lies relative to its frame, which the window manager makes and
    // destroys as our windows are shown and hidden: a frame gone a moment ago is no fault.
    if (error_code == BadWindow && request_code == X_TranslateCoords)
        return false;
    Kind const kind { error_code, request_code, minor_code };
    if (std::ranges::find(m_reported, kind) != m_reported.end())
        return false;
    m_reported.push_back(kind);
    return true;
}

} // namespace tolvane
