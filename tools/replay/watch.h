// Watching a script: the driver's simulated machine shown to a player. The game runs exactly
// as headless (the same simulated clock, the same answers and input from the script), but
// each frame lasts 10 ms of real time, its sound cues are also played on the machine the player
// watches on, and the player may end the run (Escape, or closing the window).
#pragma once

#include "platform/host.h"

// The machine the player watches on, chosen by the program's entry (copied): its clock paces
// the frames (its counter, and its fine sleep for what is left of a frame), its sound player
// plays the cues, and `stopAsked` reads its events and tells whether the player asked to stop.
void WatchOn(const LayerHost& machine, bool (*stopAsked)());

// Wraps the scripted host installed now; called by the driver before the game starts.
void InstallWatchingHost();

// Whether the player asked to stop watching.
bool WatchStopRequested();

// Forgets a stop request.
void ResetWatch();
