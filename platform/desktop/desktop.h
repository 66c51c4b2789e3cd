// The desktop host's parts, shared by its files: the player's machine over SDL.
#pragma once

#include <string>

#include "platform/desktop/desktop_host.h"
#include "platform/layer/for_hosts.h"
#include "platform/sdl_video/sdl_video.h"

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
// Look motion from elsewhere than the mouse (a game controller's stick): it counts while the
// window has the focus and is not minimised, whether or not the pointer could be captured.
void DesktopMouseLook(int dx, int dy);

// The desktop host's game controller: its hot-plug events, its state read at every pump (keys
// posted for `post`, look motion for the cursor) while `playing` (the window focused and not
// minimised; otherwise every key it held is let go), and its reset.
void DesktopGamepadEvent(const SDL_Event& event, HostPost post);
void DesktopGamepadPoll(HostPost post, bool playing);
void DesktopResetGamepad();

// Translates an SDL key into a Windows virtual-key code as the layout gives it, or 0 when it has
// none; and into the control the bindings name (by its place, or by that virtual key under
// `keys = layout`), or 0.
int DesktopVirtualKey(const SDL_Keysym& key);
int DesktopKeyControl(const SDL_Keysym& key);

// Where no window manager makes windows fullscreen (X without one), the window is placed over
// the whole display, or back at its own place and size, by the host itself.
void DesktopPlaceUnmanaged(LayerWindow* window, bool fullscreen);

// The player's desktop, each part in its own file: the video subsystem on a display that can
// be seen (and forgetting that none could be found), the signal handlers, and ALSA's silence.
bool DesktopInitVideo();
void DesktopResetVideo();
void DesktopCatchSignals();
void DesktopQuietAlsa();
// A dialog waits for its answer: a signal then ends the process at once.
void DesktopDialogShowing(bool showing);
// Posts WM_CLOSE to the game window when a signal asked for the game to end; called at every
// pump of the machine's events (every PeekMessageA), which also tells the signal handler whether a main loop is reading messages.
void DesktopTakeSignalClose(HostPost post);
void DesktopResetSignals();

// Whether DesktopStart made this process a player's desktop.
bool DesktopStarted();
