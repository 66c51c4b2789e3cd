// Fullscreen on an X display that no window manager looks after (an xinit or startx session, a
// kiosk): SDL asks the window manager to make the window cover the screen, and with nobody to
// answer the window keeps its size at the corner while SDL draws for the whole screen, so only
// a corner of the picture shows. There the layer places and sizes the window itself.
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "platform/desktop/desktop.h"

namespace {

int IgnoreXError(Display*, XErrorEvent*)
{
    return 0;
}

// The window the property names, or None; a window that has gone meanwhile reads as None,
// silently.
Window WindowProperty(Display* display, Window window, Atom property)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Window named = None;
    if (XGetWindowProperty(display, window, property, 0, 1, False, XA_WINDOW, &type, &format,
                           &count, &after, &data) == Success &&
        type == XA_WINDOW && format == 32 && count == 1)
        named = (Window)((unsigned long*)data)[0];
    if (data)
        XFree(data);
    return named;
}

bool ListsAtom(Display* display, Window root, Atom list, Atom wanted)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, root, list, 0, 4096, False, XA_ATOM, &type, &format, &count,
                           &after, &data) == Success &&
        type == XA_ATOM && format == 32)
        for (unsigned long i = 0; i < count && !found; ++i)
            found = ((unsigned long*)data)[i] == wanted;
    if (data)
        XFree(data);
    return found;
}

// Whether a running window manager says it makes windows fullscreen. One that has ended leaves
// its check property on the root window, naming a window that is gone or no longer points back
// at itself.
bool FullscreenManaged(Display* display, Window root)
{
    Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom supported = XInternAtom(display, "_NET_SUPPORTED", False);
    Atom fullscreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    XSync(display, False);
    int (*previous)(Display*, XErrorEvent*) = XSetErrorHandler(IgnoreXError);
    Window manager = WindowProperty(display, root, check);
    bool alive = manager != None && WindowProperty(display, manager, check) == manager;
    XSync(display, False);
    XSetErrorHandler(previous);
    return alive && ListsAtom(display, root, supported, fullscreen);
}

}  // namespace

void DesktopPlaceUnmanaged(LayerWindow* window, bool fullscreen)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(SdlVideoWindow(window->machineWindow), &info) || info.subsystem != SDL_SYSWM_X11)
        return;
    Display* display = info.info.x11.display;
    Window xWindow = info.info.x11.window;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, xWindow, &attributes) ||
        FullscreenManaged(display, attributes.root))
        return;
    SDL_Rect to = {window->outerX, window->outerY, window->clientWidth, window->clientHeight};
    if (fullscreen && SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(SdlVideoWindow(window->machineWindow)), &to) != 0)
        return;
    XMoveResizeWindow(display, xWindow, to.x, to.y, (unsigned)to.w, (unsigned)to.h);
    if (fullscreen)
        XRaiseWindow(display, xWindow);
    XFlush(display);
}
