// State shared by the files of the Linux layer.
#pragma once

#include <SDL.h>

#include <deque>
#include <string>

#include "platform/host.h"
#include "platform/scripted_host.h"
#include "platform/winapi.h"

struct LayerWindow {
    std::string className;
    WNDPROC procedure = nullptr;
    SDL_Window* sdlWindow = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    int outerX = 0;
    int outerY = 0;
    bool shown = false;
    bool fullscreen = false;
    bool scaled = false;  // fullscreen over the desktop: the swap scales the game's picture
    LayerDC* dc = nullptr;
};

// A GDI object: a DIB section or a font.
struct LayerGdiObject {
    enum class Kind { Bitmap, Font } kind = Kind::Bitmap;
    // DIB section: its header (24-bit targets only are asked for by the game) and its bits.
    BITMAPINFOHEADER header = {};
    unsigned char* bits = nullptr;
    std::size_t bitsSize = 0;
    // Font: what CreateFontA was asked for.
    int height = 0;
    int weight = 0;
    bool italic = false;
    DWORD charSet = 0;
    std::string faceName;
    LayerDC* selectedInto = nullptr;
};

struct LayerDC {
    LayerWindow* window = nullptr;  // nullptr for a memory device context
    int pixelFormat = 0;            // 0 until SetPixelFormat
    LayerGdiObject* bitmap = nullptr;
    LayerGdiObject* font = nullptr;
};

struct LayerGLContext {
    SDL_GLContext sdlContext = nullptr;
    LayerWindow* window = nullptr;
    // Drawn to a single-buffered surface (SDL's offscreen driver without a display): a swap
    // there turns nothing, and the frame's commands must be flushed instead.
    bool singleBuffered = false;
    bool bufferingKnown = false;
};

// Deletes a device context; the objects selected into it forget it.
void LayerDeleteDC(LayerDC* dc);

// Releases what a GDI object of the given kind holds (its bits, its glyph data); the record
// itself is deleted by the caller. Each kind's file provides its part.
void LayerFreeBitmap(LayerGdiObject* bitmap);
void LayerFreeFont(LayerGdiObject* font);

// The host installed now (a copy of its record); every entry is set.
extern LayerHost layerHost;

// True when the host says every call of the named function fails.
bool LayerFails(const char* functionName);

// Starts the SDL subsystem once; returns false when it cannot.
bool LayerInitVideo();


// Whether LayerStartDesktop made this process a player's desktop.
bool LayerOnDesktop();

// The one window the game creates (the layer supports one at a time).
extern LayerWindow* layerWindow;

// Decoration added around a framed window's client area.
extern const int frameBorder;
extern const int captionHeight;

// The fullscreen display mode asked for by ChangeDisplaySettingsA, applied to the window.
struct PendingDisplayMode {
    bool active = false;
    int width = 0;
    int height = 0;
    int bits = 0;
};
extern PendingDisplayMode layerDisplayMode;
void LayerApplyDisplayMode(LayerWindow* window);

// Whether a screen saver may start while the window is open.
extern bool layerScreenSaverAllowed;
extern int layerCursorCount;

// Translates an SDL key into a Windows virtual-key code, or 0 when it has none.
int LayerVirtualKey(const SDL_Keysym& key);


// Destroys a window left over by a failed teardown and forgets the registered classes.
void LayerForgetWindows();

// Drops every queued message and the quit request (for a new run of the game in one process).
void LayerResetMessages();

// The desktop host's parts, each in its own file: the dialog, the machine's events, and the
// sound player.
int DesktopMessageBox(const std::string& text, const std::string& caption, UINT style);
void DesktopPumpEvents(HostPost post);
void DesktopResetEvents();
BOOL DesktopPlaySound(const char* sound, DWORD flags);

// The desktop host's mouse: the cursor the game reads and sets, its visibility, the motion
// captured from the machine's events, and the window state that decides the capture.
POINT DesktopCursorPosition();
void DesktopMoveCursor(int x, int y);
void DesktopShowCursor(bool visible);
void DesktopMouseMotion(int dx, int dy);
void DesktopMouseWindowState(bool focused, bool minimized);
void DesktopResetMouse();

// The scaled fullscreen picture, for a window the host marked `scaled`: updated when a context
// becomes current and after every swap (the framebuffer the game draws into is made, kept or
// dropped), presented before the swap, released while its context is still current, and
// forgotten at a reset.
void LayerScalerUpdate(LayerWindow* window);
void LayerScalerPresent(LayerWindow* window);
void LayerScalerRelease();
void LayerScalerForget();
// Where a picture of the first size goes in a drawable of the second: as large as fits, its
// shape kept, centred (the rest are the black bars).
SDL_Rect LayerPictureRect(int pictureWidth, int pictureHeight, int drawableWidth,
                          int drawableHeight);

// Where no window manager makes windows fullscreen (X without one), the window is placed over
// the whole display, or back at its own place and size, by the layer itself.
void DesktopPlaceUnmanaged(LayerWindow* window, bool fullscreen);

// The player's desktop, each part in its own file: the video subsystem on a display that can
// be seen (and forgetting that none could be found), the signal handlers, and ALSA's silence.
bool DesktopInitVideo();
void DesktopResetVideo();
void DesktopCatchSignals();
void DesktopQuietAlsa();
// A dialog waits for its answer: a signal then ends the process at once.
void DesktopDialogShowing(bool showing);
// Posts WM_CLOSE to the game window when a signal asked for the game to end; called by every
// PeekMessageA, which also tells the signal handler whether a main loop is reading messages.
void LayerTakeSignalClose(HostPost post);
void DesktopResetSignals();

// Puts the clocks' reading count and the simulated clock back to program start.
void LayerResetClocks();
