// The browser's keys as Windows virtual-key codes (keymap.cpp).
#pragma once

// From KeyboardEvent.key and KeyboardEvent.code; 0 for a key the game has no code for.
int WebVirtualKey(const char* key, const char* code);
