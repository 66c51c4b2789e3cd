#include "platform/sdl_video/x_errors.h"

#include <X11/Xlib.h>

#include <unistd.h>

#include <cstdio>

static int ReportXError(Display* display, XErrorEvent* error)
{
    char text[160] = "";
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "Тримвальд: X error ignored: %s (request %d.%d)\n", text,
                 (int)error->request_code, (int)error->minor_code);
    return 0;
}

// The display went away under the game (the X server ended, or the connection broke). Xlib
// cannot go on and its handler must not return; the game ends as on any failure of its
// machine, with its one line and exit code 0, rather than Xlib's exit code 1.
static int ReportLostDisplay(Display*)
{
    std::fprintf(stderr, "Тримвальд: the connection to the display was lost\n");
    std::fflush(stderr);
    _exit(0);
}

void SdlVideoCatchXErrors()
{
    XSetErrorHandler(ReportXError);
    XSetIOErrorHandler(ReportLostDisplay);
}
