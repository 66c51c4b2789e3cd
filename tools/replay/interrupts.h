// SIGINT and SIGTERM for the replay driver: the run stops between two frames, what it has
// printed is flushed, and the exit code says which signal ended it (130 or 143), as a shell
// reports a program killed by it.
#pragma once

#include <cstdio>

// From here on the two signals are caught, unless they were ignored when the driver started
// (SDL's own handlers must be kept off).
void CatchInterrupts();

// Ends the process if a signal came: called between frames with the output to flush and the
// frames completed so far.
void EndIfInterrupted(FILE* out, int framesCompleted);
