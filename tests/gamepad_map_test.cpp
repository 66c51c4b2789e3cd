// A game controller played as keys and mouse: the dead zones, the walk's eight directions, the
// look's curve and rate, the buttons, and the spell and level choices held as digits.
#include <gtest/gtest.h>

#include <set>

#include "platform/gamepad/gamepad_map.h"

namespace {

// The keys held after a step, given those held before.
std::set<int> Held(std::set<int> held, const GamepadOutput& output)
{
    for (const auto& key : output.keys)
        key.second ? (void)held.insert(key.first) : (void)held.erase(key.first);
    return held;
}

TEST(GamepadMap, SticksButtonsAndChoicesBecomeTheKeysAndLookTheGameReads)
{
    GamepadMapReset();
    GamepadState state;
    state.leftX = 0.2f;  // inside the dead zone
    state.rightX = 0.1f;
    GamepadOutput output = GamepadMapStep(state, 0.01);
    EXPECT_TRUE(output.keys.empty());
    EXPECT_EQ(output.lookX, 0);

    state.leftX = 0.7f, state.leftY = -0.7f;  // up and to the right: two keys
    state.south = state.east = state.start = true;
    state.rightTrigger = 0.6f;
    std::set<int> held = Held({}, GamepadMapStep(state, 0.01));
    EXPECT_EQ(held, (std::set<int>{0x0D, ' ', 'C', 'D', 'E', 'W'}));
    state.leftX = 0.9f, state.leftY = -0.1f;  // nearly straight: one
    state.south = state.east = state.start = false;
    state.rightTrigger = 0;
    state.back = true;
    held = Held(held, GamepadMapStep(state, 0.01));
    EXPECT_EQ(held, (std::set<int>{0x1B, 'D'}));
    held = Held(held, GamepadMapStep(GamepadState(), 0.01));
    EXPECT_TRUE(held.empty()) << "a controller gone lets every key go";

    // Full deflection turns 180 degrees a second (ten pixels a degree), a half push past the
    // dead zone a quarter of that; the rest of a pixel waits for the next step.
    for (float deflection : {1.0f, 0.575f}) {
        GamepadState look;
        look.rightX = deflection;
        int pixels = 0;
        for (int step = 0; step < 100; ++step)
            pixels += GamepadMapStep(look, 0.01).lookX;
        EXPECT_NEAR(pixels, deflection == 1.0f ? 1800 : 450, 1) << deflection;
    }

    // The d-pad's right chooses the next spell, the shoulder the one before (round), each digit
    // held until the button is let go; up and down the level, 1 to 10 (the digit 0).
    GamepadState choose;
    std::string digits;
    for (int press = 0; press < 6; ++press) {
        (press < 3 ? choose.dpadRight : press < 5 ? choose.leftShoulder : choose.dpadUp) = true;
        held = Held({}, GamepadMapStep(choose, 0.01));
        EXPECT_EQ(held.size(), 1u);
        digits += (char)*held.begin();
        EXPECT_EQ(Held(held, GamepadMapStep(choose, 0.01)), held) << "held while the button is";
        choose = GamepadState();
        EXPECT_TRUE(Held(held, GamepadMapStep(choose, 0.01)).empty());
    }
    EXPECT_EQ(digits, "234325");
    for (int press = 0; press < 10; ++press) {  // five more levels up, from 5: 10 at most
        choose.dpadUp = press % 2 == 0;
        GamepadMapStep(choose, 0.01);
    }
    choose.dpadUp = true;
    EXPECT_EQ(Held({}, GamepadMapStep(choose, 0.01)), (std::set<int>{'0'})) << "level 10, and no further";
}

}  // namespace
