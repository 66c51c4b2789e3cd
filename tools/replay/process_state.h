// The whole process back at program start: the game, the shell, the renderer's names and the
// layer, each group reset by its own owner. The replay driver starts every run with it (and
// then forgets its own record of the last run); tests that drive the game themselves call it.
#pragma once

void ResetProcessState();
