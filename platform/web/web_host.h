// The web host: the game in a browser page, over emscripten's HTML5 and WebGL bindings and the
// page's own script (the page's folder, programs/web/page/). The game's loop is its own: it
// gives the browser its turn inside the layer's calls that wait (Sleep, the frame wait's timer,
// the swap, the dialogs), through emscripten's Asyncify.
#pragma once

#include <string>

#include "platform/host.h"

// The host record: the browser's clock, the canvas as the game's window and WebGL as its
// OpenGL, the keyboard, pointer lock, the Gamepad API, Web Audio and the page's dialogs.
const LayerHost& WebHost();

// Reads the player's settings from the page's storage and listens to the page's events (keys,
// the mouse, focus, fullscreen, visibility); once, before the game starts.
void WebStart();

// Hands the page a file the game's session made (a recording), to be offered as a download.
void WebOfferDownload(const char* path);

// Tells the page the game has ended (its exit code): the page says so and offers another round.
void WebGameEnded(int code);

// A watched recording (index.html?watch=FILE, or a file dropped on the page): hands the page
// the picture of a frame it asked for, read from the canvas before the frame's swap (false
// when there is no picture to read), and tells it what came of the watching (a JSON object).
bool WebOfferPicture(int frame);
// The page shows a recording from now on: every frame is drawn, shown or not (its pictures are
// read at their exact frames), and a click on the canvas leaves the pointer the player's.
void WebShowRecording();
void WebWatchEnded(const std::string& outcome);
