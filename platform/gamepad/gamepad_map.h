// A game controller played as the keyboard and mouse the game already reads, the same on every
// platform: each poll of the controller's state becomes key presses and releases (virtual-key
// codes, as the game's key table holds them) and a look as cursor motion in pixels. The game
// itself never hears of controllers; a recording of a round played with one is an ordinary one.
// What the buttons do, the look's speed and the sticks' dead zones are the player's settings
// (platform/controls/), handed over with GamepadMapConfigure.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// One poll of a controller: the sticks from -1 to 1 (x to the right, y down), the triggers from
// 0 to 1, the buttons held (south is A or cross, east is B or circle, west X or square, north Y
// or triangle).
struct GamepadState {
    float leftX = 0, leftY = 0, rightX = 0, rightY = 0, leftTrigger = 0, rightTrigger = 0;
    bool south = false, east = false, west = false, north = false;
    bool leftShoulder = false, rightShoulder = false;
    bool leftStick = false, rightStick = false, start = false, back = false;
    bool dpadUp = false, dpadDown = false, dpadLeft = false, dpadRight = false;
};

struct GamepadOutput {
    std::vector<std::pair<int, bool>> keys;  // a virtual-key code, and whether it goes down
    int lookX = 0;                           // cursor motion, in pixels
    int lookY = 0;
};

// The controller's buttons, a bit each in a set of them (the triggers count as pressed past
// half their travel).
enum GamepadButton {
    padSouth, padEast, padWest, padNorth, padLeftShoulder, padRightShoulder, padLeftTrigger,
    padRightTrigger, padLeftStick, padRightStick, padStart, padBack, padDpadUp, padDpadDown,
    padDpadLeft, padDpadRight, gamepadButtonCount
};
uint32_t GamepadButtonsHeld(const GamepadState& state);

// What the buttons can do: press one of the game's keys while held, or step the spell or the
// level chosen (by its digit, held until the button is let go).
enum GamepadAction {
    padJump, padCrouch, padCast, padStartGame, padPause, padQuit, padNextSpell, padPreviousSpell,
    padLevelUp, padLevelDown, gamepadActionCount
};

struct GamepadSettings {
    // The right stick's full deflection turns the view this fast, in degrees a second (the game
    // turns a tenth of a degree per pixel of cursor motion).
    double lookSpeed = 180.0;
    // A walk needs the left stick pushed past this part of its travel, a look the right one
    // past this.
    double walkDeadZone = 0.25;
    double lookDeadZone = 0.15;
    // Pushing the right stick up looks down.
    bool invertLook = false;
    // The buttons of each action, as bits of GamepadButton.
    uint32_t buttons[gamepadActionCount] = {
        1u << padSouth,
        1u << padEast | 1u << padLeftStick,
        1u << padRightTrigger | 1u << padRightShoulder,
        1u << padStart,
        1u << padBack,
        0,
        1u << padDpadRight,
        1u << padDpadLeft | 1u << padLeftShoulder,
        1u << padDpadUp,
        1u << padDpadDown,
    };
};

// The settings the mapping plays by from now on (the defaults until this is called).
void GamepadMapConfigure(const GamepadSettings& settings);

// What the state polled `seconds` after the last poll makes: the changes of the keys it holds
// and the look since then. A controller that went away (or a window that lost the focus) is
// given as a state with nothing held: every key it held is released.
GamepadOutput GamepadMapStep(const GamepadState& state, double seconds);

// Forgets what the mapping holds (every key up, no look left over, the spell and level choices
// back at the first: spell 1, level 4).
void GamepadMapReset();
