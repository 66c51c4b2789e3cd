// The shell's state as at program start, for running the game again in one process.
#pragma once

// The window's handles and flags, the key table, the pixel format's colour depth, the frame
// timer and the frame pacing.
void ResetShell();
