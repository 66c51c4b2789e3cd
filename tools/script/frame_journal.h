// The frames of a game as the replay driver and the session recorder count them: a frame runs
// from a PeekMessageA that found nothing to the next PeekMessageA, a message box (which never
// opens inside a frame: the frame before it ends there), or the end of the game. For each the
// journal keeps whether it was drawn (not while the window is minimised) and the cues the game
// asked for in it, and hands each frame that ends to its owner.
#pragma once

#include <string>
#include <vector>

struct FrameJournal {
    bool inProgress = false;
    int completed = 0;  // frames ended so far; the one under way is completed + 1
    bool drawn = false;
    std::vector<std::string> sounds;
};

extern FrameJournal frameJournal;

// Starts a journal from no frame, calling `frameEnded` with each frame's number as it ends.
void StartFrameJournal(void (*frameEnded)(int frame));

// PeekMessageA found nothing: a frame begins.
void JournalFrameStart();

// The frame under way, if any, ends.
void JournalFrameEnd();

// A cue the game asked for, counted in the frame under way (none outside a frame).
void JournalSound(const char* file);

// The dump line of the last frame that ended: {"frame": 0} when none did.
std::string JournalLastFrameLine();
