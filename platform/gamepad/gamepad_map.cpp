#include "platform/gamepad/gamepad_map.h"

#include <algorithm>
#include <cmath>
#include <set>

// The keys the buttons' actions press while held, as Windows numbers them (Space, C, E, Enter,
// Escape, F1); the spell and level steps press digits.
static const int actionKeys[padNextSpell] = {0x20, 'C', 'E', 0x0D, 0x1B, 0x70};

// The sticks rest a little off the centre, hence the dead zones (settings); an axis walks once
// it holds more than this part of the push, so that a diagonal gives two keys and a push
// slightly off straight gives one.
static const double walkAxisShare = 0.38;
static const double triggerPressed = 0.5;
static const double pixelsPerDegree = 10.0;

static GamepadSettings settings;
static std::set<int> held;
// Keys a button press holds until the button is let go, chosen when it went down.
static int spellKey = 0;
static int levelKey = 0;
static int spellChoice = 1;  // the spells are 1 to 4
static int levelChoice = 4;  // the levels are 1 to 10 (the digit 0); the title offers 4 first
static bool lastSpellBack = false, lastSpellNext = false, lastLevelUp = false, lastLevelDown = false;
static double lookCarryX = 0, lookCarryY = 0;

void GamepadMapConfigure(const GamepadSettings& chosen)
{
    settings = chosen;
}

uint32_t GamepadButtonsHeld(const GamepadState& state)
{
    const bool pressed[gamepadButtonCount] = {
        state.south, state.east, state.west, state.north, state.leftShoulder, state.rightShoulder,
        state.leftTrigger > triggerPressed, state.rightTrigger > triggerPressed, state.leftStick,
        state.rightStick, state.start, state.back, state.dpadUp, state.dpadDown, state.dpadLeft,
        state.dpadRight};
    uint32_t buttons = 0;
    for (int button = 0; button < gamepadButtonCount; ++button)
        if (pressed[button])
            buttons |= 1u << button;
    return buttons;
}

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
    if (walk > settings.walkDeadZone) {
        if (state.leftY < -walkAxisShare * walk)
            wanted.insert('W');
        if (state.leftY > walkAxisShare * walk)
            wanted.insert('S');
        if (state.leftX < -walkAxisShare * walk)
            wanted.insert('A');
        if (state.leftX > walkAxisShare * walk)
            wanted.insert('D');
    }
    uint32_t buttons = GamepadButtonsHeld(state);
    bool action[gamepadActionCount];
    for (int a = 0; a < gamepadActionCount; ++a)
        action[a] = (buttons & settings.buttons[a]) != 0;
    for (int a = 0; a < padNextSpell; ++a)
        if (action[a])
            wanted.insert(actionKeys[a]);

    // The spell steps choose the spell, the level steps the level, by its digit: the game takes
    // a spell's digit only while it has charges, as from the keyboard.
    bool spellBack = action[padPreviousSpell], spellNext = action[padNextSpell];
    if (spellBack && !lastSpellBack)
        spellKey = Choose(spellChoice, -1, 4, true);
    else if (spellNext && !lastSpellNext)
        spellKey = Choose(spellChoice, 1, 4, true);
    else if (!spellBack && !spellNext)
        spellKey = 0;
    lastSpellBack = spellBack;
    lastSpellNext = spellNext;
    bool levelUp = action[padLevelUp], levelDown = action[padLevelDown];
    if (levelUp && !lastLevelUp)
        levelKey = Choose(levelChoice, 1, 10, false);
    else if (levelDown && !lastLevelDown)
        levelKey = Choose(levelChoice, -1, 10, false);
    else if (!levelUp && !levelDown)
        levelKey = 0;
    lastLevelUp = levelUp;
    lastLevelDown = levelDown;
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
    // An inverted look turns the stick's up and down over.
    double look = std::hypot(state.rightX, state.rightY);
    if (look > settings.lookDeadZone && seconds > 0) {
        double zone = settings.lookDeadZone;
        double push = std::fmin(1.0, (look - zone) / (1.0 - zone));
        double pixels = push * push * settings.lookSpeed * pixelsPerDegree * seconds;
        lookCarryX += pixels * state.rightX / look;
        lookCarryY += pixels * (settings.invertLook ? -state.rightY : state.rightY) / look;
    } else {
        lookCarryX = lookCarryY = 0;
    }
    output.lookX = (int)std::trunc(lookCarryX);
    output.lookY = (int)std::trunc(lookCarryY);
    lookCarryX -= output.lookX;
    lookCarryY -= output.lookY;
    return output;
}
