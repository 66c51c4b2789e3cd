// The whole process back at program start: the game, the shell, the renderer's names, the
// layer and the replay driver, each group reset by its own owner.
#pragma once

void ResetProcessState();
