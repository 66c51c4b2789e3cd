// The shell's state as at program start, for running the game again in one process.
#pragma once

// Puts the whole shell record (app/shell_state.h) back by value: the window's handles and
// flags, the pixel format, the frame timer and the frame pacing and wait.
void ResetShell();
