// From what the machine reports to what the game reads: keys and buttons through the bindings
// to the game's virtual keys, and the mouse's motion through the sensitivity.
#include <cmath>
#include <map>
#include <set>

#include "platform/controls/controls.h"
#include "platform/controls/key_names.h"

// The game's virtual key each action presses: W, S, A, D, Space, C, E, the digits, Enter,
// Escape, F1. Shift and Ctrl, which the game also reads for crouch and cast, come as C and E.
static const int gameKeys[controlActionCount] = {
    'W', 'S', 'A', 'D', 0x20, 'C', 'E', '1', '2', '3', '4', '5', '6', '7', '8', '9', '0',
    0x0D, 0x1B, 0x70};

static ControlSettings installed = ControlsDefaults();
// The controls held now, and how many of them hold each of the game's keys.
static std::set<int> held;
static std::map<int, int> holding;
// The part of a pixel the mouse's motion has left over.
static double carryX = 0, carryY = 0;

void ControlsInstall(const ControlSettings& settings)
{
    installed = settings;
    GamepadMapConfigure(settings.controller);
    ControlsResetKeys();
}

const ControlSettings& ControlsInstalled()
{
    return installed;
}

void ControlsResetKeys()
{
    held.clear();
    holding.clear();
    carryX = carryY = 0;
}

int ControlOfUsage(int usage)
{
    // The right Shift and Ctrl, and the keypad's Enter, do what their twins do, as ever.
    usage = usage == 0xE5 ? 0xE1 : usage == 0xE4 ? 0xE0 : usage == 0x58 ? 0x28 : usage;
    for (int i = 0; i < keyNameCount; ++i)
        if (keyNames[i].usage == usage)
            return usage;
    return 0;
}

int ControlOfScanCode(int scanCode, bool extended)
{
    int code = (extended ? 0xE000 : 0) | (scanCode & 0xFF);
    // The right Ctrl and the keypad's Enter are the extended Ctrl and Enter; the right Shift
    // has a code of its own.
    if (code == 0xE01D || code == 0xE01C)
        code &= 0xFF;
    if (code == 0x36)
        code = 0x2A;
    for (int i = 0; i < keyNameCount; ++i)
        if (keyNames[i].scanCode == code)
            return keyNames[i].usage;
    return 0;
}

int ControlOfLayoutKey(int virtualKey)
{
    for (int i = 0; i < keyNameCount; ++i)
        if (keyNames[i].virtualKey == virtualKey)
            return keyNames[i].usage;
    return 0;
}

int ControlOfKey(int placeControl, int layoutKey)
{
    return installed.keysByLayout || !placeControl ? ControlOfLayoutKey(layoutKey) : placeControl;
}

int ControlOfMouseButton(int button)
{
    return button >= 1 && button <= 5 ? mouseControl + button : 0;
}

static int GameKeyOf(int control)
{
    for (int action = 0; action < controlActionCount; ++action)
        for (int bound : installed.bindings[action])
            if (bound == control)
                return gameKeys[action];
    return 0;
}

int ControlsKeyChange(int control, bool down)
{
    int key = control ? GameKeyOf(control) : 0;
    if (!key)
        return 0;
    if (down) {
        // A key's repeats go to the game as its first press did.
        if (held.insert(control).second)
            ++holding[key];
        return key;
    }
    if (!held.erase(control))
        return holding[key] ? 0 : key;
    return --holding[key] == 0 ? key : 0;
}

// A sum of fractions lands a hair short of a whole (ten times 0.3 is 2.9999999999999996): the
// hair is not kept back as a pixel.
static int WholePixels(double& carry, double motion)
{
    carry += motion;
    double whole = std::trunc(carry + (carry < 0 ? -1e-9 : 1e-9));
    carry -= whole;
    return (int)whole;
}

void ControlsMouseMotion(int dx, int dy, int& gameX, int& gameY)
{
    double sensitivity = installed.mouseSensitivity;
    if (sensitivity == 1.0) {
        gameX = dx;
        gameY = installed.mouseInvert ? -dy : dy;
        return;
    }
    gameX = WholePixels(carryX, dx * sensitivity);
    gameY = WholePixels(carryY, (installed.mouseInvert ? -dy : dy) * sensitivity);
}
