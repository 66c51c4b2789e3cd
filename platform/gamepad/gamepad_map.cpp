#include "platform/gamepad/gamepad_map.h"

#include <algorithm>
#include <cmath>
#include <set>

// Virtual-key codes, as Windows numbers them.
static const int keySpace = 0x20, keyEnter = 0x0D, keyEscape = 0x1B;

// The sticks rest a little off the centre: a walk needs the stick pushed past a quarter of its
// travel, and a look past a sixth; an axis walks once it holds more than this part of the push,
// so that a diagonal gives two keys and a push slightly off straight gives one.
static const double walkDeadZone = 0.25;
static const double lookDeadZone = 0.15;
static const double walkAxisShare = 0.38;
static const double triggerPressed = 0.5;
static const double pixelsPerDegree = 10.0;

static std::set<int> held;
// Keys a button press holds until the button is let go, chosen when it went down.
static int spellKey = 0;
static int levelKey = 0;
static int spellChoice = 1;  // the spells are 1 to 4
static int levelChoice = 4;  // the levels are 1 to 10 (the digit 0); the title offers 4 first
static bool lastSpellBack = false, lastSpellNext = false, lastLevelUp = false, lastLevelDown = false;
static double lookCarryX = 0, lookCarryY = 0;

void GamepadMapReset()
{
    held.clear();
    spellKey = levelKey = 0;
    spellChoice = 1;
    levelChoice = 4;
    lastSpellBack = lastSpellNext = lastLevelUp = lastLevelDown = false;
    lookCarryX = lookCarryY = 0;
}

// Moves a choice by a step (round, or stopping at the ends) and gives its digit's key, held
// from the button's press until it is let go.
static int Choose(int& choice, int step, int count, bool round)
{
    choice += step;
    choice = round ? (choice + count - 1) % count + 1 : std::min(std::max(choice, 1), count);
    return '0' + choice % 10;
}

GamepadOutput GamepadMapStep(const GamepadState& state, double seconds)
{
    std::set<int> wanted;
    double walk = std::hypot(state.leftX, state.leftY);
    if (walk > walkDeadZone) {
        if (state.leftY < -walkAxisShare * walk)
            wanted.insert('W');
        if (state.leftY > walkAxisShare * walk)
            wanted.insert('S');
        if (state.leftX < -walkAxisShare * walk)
            wanted.insert('A');
        if (state.leftX > walkAxisShare * walk)
            wanted.insert('D');
    }
    if (state.south)
        wanted.insert(keySpace);
    if (state.east || state.leftStick)
        wanted.insert('C');
    if (state.rightTrigger > triggerPressed || state.rightShoulder)
        wanted.insert('E');
    if (state.start)
        wanted.insert(keyEnter);
    if (state.back)
        wanted.insert(keyEscape);

    // The shoulder and the d-pad's left and right choose the spell, up and down the level, by
    // its digit: the game takes a spell's digit only while it has charges, as from the keyboard.
    bool spellBack = state.leftShoulder || state.dpadLeft;
    if (spellBack && !lastSpellBack)
        spellKey = Choose(spellChoice, -1, 4, true);
    else if (state.dpadRight && !lastSpellNext)
        spellKey = Choose(spellChoice, 1, 4, true);
    else if (!spellBack && !state.dpadRight)
        spellKey = 0;
    lastSpellBack = spellBack;
    lastSpellNext = state.dpadRight;
    if (state.dpadUp && !lastLevelUp)
        levelKey = Choose(levelChoice, 1, 10, false);
    else if (state.dpadDown && !lastLevelDown)
        levelKey = Choose(levelChoice, -1, 10, false);
    else if (!state.dpadUp && !state.dpadDown)
        levelKey = 0;
    lastLevelUp = state.dpadUp;
    lastLevelDown = state.dpadDown;
    if (spellKey)
        wanted.insert(spellKey);
    if (levelKey)
        wanted.insert(levelKey);

    GamepadOutput output;
    for (int key : held)
        if (!wanted.count(key))
            output.keys.emplace_back(key, false);
    for (int key : wanted)
        if (!held.count(key))
            output.keys.emplace_back(key, true);
    held = wanted;

    // The look's speed grows with the square of the push past the dead zone: fine aiming near
    // the centre, the whole turn rate at full deflection. Whole pixels go out, the rest waits.
    double look = std::hypot(state.rightX, state.rightY);
    if (look > lookDeadZone && seconds > 0) {
        double push = std::fmin(1.0, (look - lookDeadZone) / (1.0 - lookDeadZone));
        double pixels = push * push * gamepadLookDegreesPerSecond * pixelsPerDegree * seconds;
        lookCarryX += pixels * state.rightX / look;
        lookCarryY += pixels * state.rightY / look;
    } else {
        lookCarryX = lookCarryY = 0;
    }
    output.lookX = (int)std::trunc(lookCarryX);
    output.lookY = (int)std::trunc(lookCarryY);
    lookCarryX -= output.lookX;
    lookCarryY -= output.lookY;
    return output;
}
