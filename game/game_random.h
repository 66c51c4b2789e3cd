// The game's one random generator: the classic C library sequence (state x 214013 + 2531011),
// never seeded, so every run sees the same rolls on every platform. Each frame takes its rolls
// in a fixed order (see DrawFrame), so every roll depends on all the rolls before it.
#pragma once

#include <cstdint>

extern uint32_t& randomState;  // starts at 1; in gameSide

// The next value, 0 to 32767.
int GameRand();
