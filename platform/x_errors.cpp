#include "platform/x_errors.h"

#include <X11/Xlib.h>

#include <cstdio>

static int ReportXError(Display* display, XErrorEvent* error)
{
    char text[160] = "";
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "Тримвальд: X error ignored: %s (request %d.%d)\n", text,
                 (int)error->request_code, (int)error->minor_code);
    return 0;
}

void LayerCatchXErrors()
{
    XSetErrorHandler(ReportXError);
}
