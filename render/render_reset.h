// The renderer's state as at program start, for running the game again in one process.
#pragma once

// Frees the quadrics, then puts the whole renderer record (render/renderer_state.h) back by
// value: the texture, display-list and glyph-list names are forgotten (their context is gone
// with the window).
void ResetRenderNames();
