// The controls a player sets, the same in every build: which key does what (by the key's place
// on the keyboard, or by the letter the layout gives it), the mouse's sensitivity and inverted
// look, and the controller's look, dead zones and buttons. The settings are read from the text
// of an INI file (the hosts find and read the file, the page keeps it in its storage); the
// hosts then turn what the machine says (a key's place or its layout's key, a mouse button, the
// mouse's motion) into what the game reads: its virtual-key codes and cursor offsets.
#pragma once

#include <string>
#include <vector>

#include "platform/gamepad/gamepad_map.h"

// The game's actions a key or a mouse button can be bound to. The digits 1 to 4 choose a spell
// in a round and the level on the title screen; 5 to 9 and 0 only the level.
enum ControlAction {
    actForward, actBack, actLeft, actRight, actJump, actCrouch, actCast,
    actSpell1, actSpell2, actSpell3, actSpell4,
    actLevel5, actLevel6, actLevel7, actLevel8, actLevel9, actLevel10,
    actStart, actPause, actQuit, controlActionCount
};

// A key or button the player presses, as the bindings name it: a key by its place on the
// keyboard (its USB HID usage, which SDL's scan codes are), or a mouse button (mouseControl + 1
// for the left one, 2 middle, 3 right, 4 and 5 the side buttons). 0 is none.
const int mouseControl = 0x200;

struct ControlSettings {
    // Keys by the letter the layout gives them (the game's old way) instead of their place.
    bool keysByLayout = false;
    // The keys and buttons of each action.
    std::vector<int> bindings[controlActionCount];
    // Cursor offsets are multiplied by this (1: the game's tenth of a degree per pixel); an
    // inverted look turns the vertical motion over.
    double mouseSensitivity = 1.0;
    bool mouseInvert = false;
    GamepadSettings controller;
};

// The settings with nothing changed: today's keys, at their places.
ControlSettings ControlsDefaults();

// The settings a file's text sets, and one line for each problem in it, "FILE:LINE: what is
// wrong"; a setting with a problem keeps its default. Nothing in the text can stop the game.
struct ControlsFileRead {
    ControlSettings settings;
    std::vector<std::string> problems;
};
ControlsFileRead ControlsReadText(const std::string& text, const std::string& fileName);

// The file written where there is none: every setting at its default, with comments that say
// what each does and what it may be.
std::string ControlsDefaultFileText();
// The settings in force, as the lines of a file that would set them.
std::string ControlsSettingsText(const ControlSettings& settings);

// The names of actions, keys, mouse buttons and controller buttons in the file (for messages).
const char* ControlActionName(int action);
std::string ControlName(int control);

// The settings the hosts play by (the defaults until one is installed); installing one also
// hands its controller part to the controller mapping and forgets what was held.
void ControlsInstall(const ControlSettings& settings);
const ControlSettings& ControlsInstalled();

// A key the machine reports, as a control: by its place (a USB HID usage; the right Shift and
// Ctrl count as the left ones, the keypad's Enter as Enter), by the set-1 scan code Windows
// gives (the extended bit set for the E0 keys), or by the layout's virtual key (the key at the
// place where a US keyboard has that key). Under `keys = layout` hosts use the last; 0 for a
// key the bindings cannot name.
int ControlOfUsage(int usage);
int ControlOfScanCode(int scanCode, bool extended);
int ControlOfLayoutKey(int virtualKey);
// A key as the bindings know it, from its control by place and the layout's virtual key: by
// place, unless `keys = layout` or the machine gave no place (a key some remote desktops and
// on-screen keyboards make up carries no scan code).
int ControlOfKey(int placeControl, int layoutKey);
// A mouse button as a control (1 left, 2 middle, 3 right, 4 and 5 the side buttons).
int ControlOfMouseButton(int button);

// A control pressed or let go: the game's virtual key to send in a key message of this kind, or
// 0 for nothing (a control no action has, or one of several held for the same key: the game's
// key goes up with the last of them).
int ControlsKeyChange(int control, bool down);
// Forgets every control held (as when a host starts again).
void ControlsResetKeys();

// The mouse's motion the game is to read, in whole pixels, for the motion the machine reported:
// scaled by the sensitivity, vertical turned over when inverted, the fraction of a pixel kept
// for the next motion so that a low sensitivity turns as smoothly as a high one.
void ControlsMouseMotion(int dx, int dy, int& gameX, int& gameY);
