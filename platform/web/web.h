// What the web host's files share (web_host.h is what the programs see).
#pragma once

#include <string>

#include "platform/host.h"
#include "platform/layer/for_hosts.h"
#include "platform/web/web_host.h"

// The window and its WebGL context (video.cpp).
void WebFillVideo(LayerHost& host);
// Whether the page is in fullscreen now, and asking for it or leaving it (video.cpp).
bool WebFullscreenAvailable();
void WebSetFullscreen(bool on);

// The page's events as window messages (events.cpp); the mouse as the game's cursor.
void WebPumpEvents(HostPost post);
void WebListen();
void WebResetEvents();
POINT WebCursorPosition();
void WebMoveCursor(int x, int y);
void WebShowCursor(bool visible);
// A click on the canvas no longer asks for the pointer (a recording is shown, not played).
void WebLeavePointer();
// Look from the controller, as mouse motion.
void WebMouseLook(int dx, int dy);
// Whether the game has the player's keys now: the page has the focus, no dialog is open, the
// tab is seen.
bool WebPlaying();

// The player's settings, from the page's storage (settings.cpp).
void WebLoadSettings();

// The controller (gamepad.cpp).
void WebGamepadPoll(HostPost post, bool playing);
void WebResetGamepad();

// The dialogs (dialog.cpp) and the cues (sound.cpp).
// The page's dialog is open or closed: its keys are its own (events.cpp).
void WebDialogShowing(bool open);
int WebMessageBox(const std::string& text, const std::string& caption, UINT style);
BOOL WebPlaySound(const char* sound, DWORD flags);
void WebResetSound();

// Gives the browser its turn: for at least `milliseconds` (a timer, coarse), or just once (a
// message to ourselves, tens of microseconds); and until the clock reads `until` ms.
void WebYieldFor(double milliseconds);
void WebYieldOnce();
double WebNow();
