// Watching a script: the driver's simulated machine shown to a player. The game runs exactly
// as headless (the same simulated clock, the same answers and input from the script), but
// each frame lasts 10 ms of real time, its sound cues are also played on the sound device, and
// Escape or closing the window ends the run.
#pragma once

// Wraps the scripted host installed now; called by the driver before the game starts.
void InstallWatchingHost();

// Whether the player asked to stop watching.
bool WatchStopRequested();

// Forgets a stop request.
void ResetWatch();
