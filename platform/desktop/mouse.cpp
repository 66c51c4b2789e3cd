// The desktop host's mouse. The game steers by reading the cursor and putting it back at a
// fixed point every frame, which on a desktop would hold the player's pointer hostage (and
// Wayland refuses to warp it at all). Instead the pointer is captured with SDL's relative mouse
// mode while the game window has the focus and is not minimised, and the cursor the game sees
// is its last set point plus the motion since, by the player's sensitivity (1: the same turn per
// pixel), and the real pointer is never moved.
#include "platform/controls/controls.h"
#include "platform/desktop/desktop.h"
#include "platform/input.h"

// Where the game last put its cursor, and the captured motion since then.
static POINT anchor = cursorRest;
static long motionX = 0;
static long motionY = 0;

// What the window's events said last, and whether the pointer is captured now.
static bool captureFocused = false;
static bool captureMinimized = false;
static bool captured = false;

static void UpdateCapture()
{
    bool wanted = layerWindow && layerWindow->shown && captureFocused && !captureMinimized;
    if (wanted == captured || !SDL_WasInit(SDL_INIT_VIDEO))
        return;
    // Without a relative mode (no raw input and no way to warp) the game just does not turn.
    captured = SDL_SetRelativeMouseMode(wanted ? SDL_TRUE : SDL_FALSE) == 0 && wanted;
}

void DesktopMouseWindowState(bool focused, bool minimized)
{
    captureFocused = focused;
    captureMinimized = minimized;
    UpdateCapture();
}

void DesktopMouseMotion(int dx, int dy)
{
    // Motion seen while the pointer is the user's is not the game's to turn by.
    if (!captured)
        return;
    // The player's sensitivity and inversion, before the game reads the cursor (and a recorder
    // with it).
    int gameX, gameY;
    ControlsMouseMotion(dx, dy, gameX, gameY);
    motionX += gameX;
    motionY += gameY;
}

void DesktopMouseLook(int dx, int dy)
{
    if (!captureFocused || captureMinimized)
        return;
    motionX += dx;
    motionY += dy;
}

void DesktopResetMouse()
{
    if (captured && SDL_WasInit(SDL_INIT_VIDEO))
        SDL_SetRelativeMouseMode(SDL_FALSE);
    anchor = cursorRest;
    motionX = motionY = 0;
    captureFocused = captureMinimized = captured = false;
}

POINT DesktopCursorPosition()
{
    POINT point;
    point.x = (LONG)(anchor.x + motionX);
    point.y = (LONG)(anchor.y + motionY);
    return point;
}

void DesktopMoveCursor(int x, int y)
{
    anchor.x = x;
    anchor.y = y;
    motionX = motionY = 0;
}

void DesktopShowCursor(bool visible)
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}
