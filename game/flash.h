// The random flash: now and then light 1 lights the arena white for a moment.
#pragma once

// Frame step 8, one roll of the random flash: a roll of 50 in 140 lights light 1 for 19 drawn
// frames. Run once in every frame that draws the arena.
void FlashStep();
