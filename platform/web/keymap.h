// The browser's keys as Windows virtual-key codes (keymap.cpp).
#pragma once

// From KeyboardEvent.key and KeyboardEvent.code; 0 for a key the game has no code for.
int WebVirtualKey(const char* key, const char* code);

// A key's place (KeyboardEvent.code) as its USB HID usage (key_places.cpp); 0 for a place the
// table does not know.
int WebKeyUsage(const char* code);
