// What a player's session does, written down as a replay script that trimvald-replay plays back
// to the same end. The platform's capture tells each call as the game makes it; what is written
// is the same on every platform.
#pragma once

#include <cstdio>
#include <string>

#include "platform/platform.h"

// Starts the record in a file opened for writing (its header is written here; the stream is
// made unbuffered, so that each line goes out whole in one write). False, with the reason, when
// the file cannot be written.
bool SessionRecordStart(FILE* file, std::string& error);

// The top of every PeekMessageA: the frame under way, if any, ends.
void SessionBeforePeek();
// PeekMessageA found nothing: a frame starts, holding the keys of the game's key table.
void SessionFrameStart();
// The cursor position mouse look read (it puts the cursor back at cursorRest every frame).
void SessionCursor(POINT point);
// A message box is about to open (between frames), and what it returned.
void SessionMessageBoxOpens();
void SessionMessageBoxAnswered(UINT style, int answer);
// Whether the fullscreen display mode was granted.
void SessionDisplayMode(bool granted);
// A cue the game asked PlaySoundA for.
void SessionSound(const char* sound);
// A window message that reaches the game's window procedure.
void SessionWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);

// After the game has ended: the last frame ends, the end line is written (the last frame's state
// as `trimvald-replay --dump last` prints it) and the file closed; false, with the reason, when
// any of the session could not be written.
bool SessionRecordFinish(std::string& error);

// Whether the record could not be written lately; true once per failure, with its reason.
bool SessionRecordTakeFailure(std::string& error);
