// The names the renderer keeps, as at program start, for running the game again in one process.
#pragma once

// Forgets the texture, display-list and glyph-list names (their context is gone with the
// window) and frees the quadrics.
void ResetRenderNames();
