// A game controller played as the keyboard and mouse the game already reads, the same on every
// platform: each poll of the controller's state becomes key presses and releases (virtual-key
// codes, as the game's key table holds them) and a look as cursor motion in pixels. The game
// itself never hears of controllers; a recording of a round played with one is an ordinary one.
#pragma once

#include <utility>
#include <vector>

// One poll of a controller: the sticks from -1 to 1 (x to the right, y down), the right
// trigger from 0 to 1, the buttons held (south is A or cross, east is B or circle).
struct GamepadState {
    float leftX = 0, leftY = 0, rightX = 0, rightY = 0, rightTrigger = 0;
    bool south = false, east = false, leftShoulder = false, rightShoulder = false;
    bool leftStick = false, start = false, back = false;
    bool dpadUp = false, dpadDown = false, dpadLeft = false, dpadRight = false;
};

struct GamepadOutput {
    std::vector<std::pair<int, bool>> keys;  // a virtual-key code, and whether it goes down
    int lookX = 0;                           // cursor motion, in pixels
    int lookY = 0;
};

// The right stick's full deflection turns the view this fast (the game turns a tenth of a
// degree per pixel of cursor motion).
const double gamepadLookDegreesPerSecond = 180.0;

// What the state polled `seconds` after the last poll makes: the changes of the keys it holds
// and the look since then. A controller that went away (or a window that lost the focus) is
// given as a state with nothing held: every key it held is released.
GamepadOutput GamepadMapStep(const GamepadState& state, double seconds);

// Forgets what the mapping holds (every key up, no look left over, the spell and level choices
// back at the first: spell 1, level 4).
void GamepadMapReset();
