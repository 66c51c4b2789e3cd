// State shared by the files of the Linux layer (what its hosts may reach is in for_hosts.h).
#pragma once

#include <deque>
#include <string>

#include "platform/host.h"
#include "platform/layer/for_hosts.h"
#include "platform/layer/winapi.h"


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
    HostContext* machineContext = nullptr;
    LayerWindow* window = nullptr;
    // Drawn to a single-buffered surface (an offscreen driver without a display): a swap
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
// A font's record as CreateFontA was asked for it (a weight of 0, "don't care", kept as given).
LayerGdiObject* LayerNewFont(int height, int weight, bool italic, DWORD charSet, const char* faceName);

// The host installed now (a copy of its record); every entry is set.
extern LayerHost layerHost;

// True when the host says every call of the named function fails.
bool LayerFails(const char* functionName);

// Notes the first thing the machine refused since the last reset, with the machine's reason.
void LayerNoteRefusal(const char* what);

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

// Destroys a window left over by a failed teardown and forgets the registered classes.
void LayerForgetWindows();

// Drops every queued message and the quit request (for a new run of the game in one process).
void LayerResetMessages();

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
struct LayerRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};
LayerRect LayerPictureRect(int pictureWidth, int pictureHeight, int drawableWidth,
                          int drawableHeight);

// Puts the clocks' reading count back to program start.
void LayerResetClocks();

// The waitable timers, kernel objects kept with the files' so that CloseHandle closes any: a new
// one, and where a timer keeps its due time (100 ns units from the wait; 0 when not set), or
// nullptr for a handle that is no timer.
HANDLE LayerNewTimer();
int64_t* LayerTimerDue(HANDLE handle);
