#include "shell/XErrors.h"

#include <X11/Xlib.h>

#include <cstdio>

namespace tolvane {

namespace {

// SDL talks to the X server over two connections. A window destroyed over one can still be named
// by a request on the other that the server reads later, such as the message SDL sends to wake
// its own event wait; the server then answers BadWindow. Xlib's default handler would end the
// program for it. Such an error concerns a window that is gone, so it is noted and passed over.
int note_error(Display* display, XErrorEvent* error)
{
    char text[128] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "tolvane: passing over an X error: %s (request %d, resource 0x%lx)\n", text,
        error->request_code, error->resourceid);
    return 0;
}

} // namespace

void survive_stale_window_errors() { XSetErrorHandler(note_error); }

} // namespace tolvane
