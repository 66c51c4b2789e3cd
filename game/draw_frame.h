#pragma once

// Updates and draws one frame of the game; returns 1 (a 0 would end the main loop).
int DrawFrame();
