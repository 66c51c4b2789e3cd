// The player's controls as both builds share them: the settings file's reader (its defaults,
// every kind of damage, refused bindings), and the mapping from keys by place or by layout,
// mouse buttons and the mouse's motion to what the game reads.
#include <gtest/gtest.h>

#include "platform/controls/controls.h"

namespace {

ControlsFileRead Read(const std::string& text)
{
    return ControlsReadText(text, "settings.ini");
}

// The keys by place (USB HID usages, as SDL's scan codes number them).
const int usageW = 0x1A, usageUp = 0x52, usageLeftCtrl = 0xE0, usageRightCtrl = 0xE4;

TEST(ControlsSettings, DefaultsAndTheFilesWrittenReadBackUnchanged)
{
    ControlsFileRead none = Read("");
    EXPECT_TRUE(none.problems.empty());
    ControlSettings defaults = none.settings;
    EXPECT_FALSE(defaults.keysByLayout);
    EXPECT_EQ(defaults.mouseSensitivity, 1.0);
    EXPECT_EQ(ControlsSettingsText(defaults), ControlsSettingsText(ControlsDefaults()));

    ControlsFileRead written = Read(ControlsDefaultFileText());
    EXPECT_TRUE(written.problems.empty()) << written.problems[0];
    EXPECT_EQ(ControlsSettingsText(written.settings), ControlsSettingsText(defaults));
    const std::string text = ControlsSettingsText(defaults);
    for (const char* line : {"keys = position\n", "crouch = C Shift\n", "cast = E Ctrl MouseLeft\n",
                             "level10 = 0\n", "sensitivity = 1\n", "look_speed = 180\n",
                             "previous_spell = LeftShoulder DpadLeft\n", "quit = none\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;

    // Everything changed, in another case, with a Windows editor's line ends and mark.
    ControlsFileRead changed = Read("\xEF\xBB\xBF[Keys]\r\nKEYS = Layout\r\nforward = up w ; arrows\r\n"
                                    "[mouse]\nsensitivity = 0.5\ninvert = yes\n"
                                    "[controller]\nlook_speed = 90\nlook_dead_zone = 0\n"
                                    "invert = on\njump = Y\ncast = none\n");
    EXPECT_TRUE(changed.problems.empty()) << changed.problems[0];
    const ControlSettings& set = changed.settings;
    EXPECT_TRUE(set.keysByLayout);
    EXPECT_EQ(set.bindings[actForward], (std::vector<int>{usageUp, usageW}));
    EXPECT_EQ(set.mouseSensitivity, 0.5);
    EXPECT_TRUE(set.mouseInvert && set.controller.invertLook);
    EXPECT_EQ(set.controller.lookSpeed, 90.0);
    EXPECT_EQ(set.controller.lookDeadZone, 0.0);
    EXPECT_EQ(set.controller.buttons[padJump], 1u << padNorth);
    EXPECT_EQ(set.controller.buttons[padCast], 0u);
}

TEST(ControlsSettings, EachProblemNamesItsLineAndTheSettingKeepsItsDefault)
{
    ControlsFileRead read = Read("sensitivity = 2\n"
                                 "[keys]\n"
                                 "keys = qwerty\n"
                                 "forward = W Fly\n"
                                 "back =\n"
                                 "walk = W\n"
                                 "just words\n"
                                 "[mouse]\n"
                                 "sensitivity = 50\n"
                                 "invert = perhaps\n"
                                 "sensitivity = 0,5\n"
                                 "[sound]\n"
                                 "volume = 3\n"
                                 "[controller]\n"
                                 "walk_dead_zone = -0.1\n"
                                 "jump = Z\n"
                                 "left = 2\n");
    std::vector<std::string> expected = {
        "settings.ini:1: sensitivity stands before any section ([keys], [mouse] or [controller]); it "
        "is left out",
        "settings.ini:3: keys = qwerty: not position or layout; keeps position",
        "settings.ini:4: forward = W Fly: no key or mouse button called Fly; keeps W",
        "settings.ini:5: back = : no key given; keeps S",
        "settings.ini:6: no setting called walk in [keys]",
        "settings.ini:7: not a setting: just words",
        "settings.ini:9: sensitivity = 50: out of range (0.05 to 20); keeps 1",
        "settings.ini:10: invert = perhaps: not yes or no; keeps no",
        "settings.ini:11: sensitivity = 0,5: not a number; keeps 1",
        "settings.ini:12: no section called [sound] (there are [keys], [mouse] and [controller]); its "
        "settings are left out",
        "settings.ini:15: walk_dead_zone = -0.1: out of range (0 to 0.9); keeps 0.25",
        "settings.ini:16: jump = Z: no controller button called Z; keeps A",
        "settings.ini:17: no setting called left in [controller]",
    };
    EXPECT_EQ(read.problems, expected);
    EXPECT_EQ(ControlsSettingsText(read.settings), ControlsSettingsText(ControlsDefaults()));

    // Bytes that are no text at all are a problem too, and never more than one a line.
    const char bytes[] = "\x00\xff\x01=\n[keys\n=W\n";
    std::string junk(bytes, sizeof bytes - 1);
    EXPECT_EQ(Read(junk).problems.size(), 3u);
}

TEST(ControlsSettings, AKeyAnotherActionHasIsRefusedNamingBoth)
{
    ControlsFileRead taken = Read("[keys]\njump = W\n");
    ASSERT_EQ(taken.problems.size(), 1u);
    EXPECT_EQ(taken.problems[0], "settings.ini:2: jump = W: W is already forward's; jump keeps Space");
    EXPECT_EQ(taken.settings.bindings[actJump], ControlsDefaults().bindings[actJump]);

    // A swap is no conflict, nor a key freed by a later line.
    ControlsFileRead swapped = Read("[keys]\njump = W\nforward = Space\ncast = MouseRight\n"
                                    "spell1 = MouseLeft\n");
    EXPECT_TRUE(swapped.problems.empty()) << swapped.problems[0];
    EXPECT_EQ(swapped.settings.bindings[actForward], (std::vector<int>{0x2C}));

    // Of two lines that want one key the earlier has it; the refused one's defaults then take
    // back a key the other wanted, which is refused in turn.
    ControlsFileRead twice = Read("[keys]\nforward = Up\nback = Up\nleft = S\n");
    EXPECT_EQ(twice.problems,
              (std::vector<std::string>{"settings.ini:3: back = Up: Up is already forward's; back keeps S",
                                        "settings.ini:4: left = S: S is already back's; left keeps A"}));
    ControlsFileRead buttons = Read("[controller]\nlevel_up = A\n");
    ASSERT_EQ(buttons.problems.size(), 1u);
    EXPECT_EQ(buttons.problems[0], "settings.ini:2: level_up = A: A is already jump's; level_up keeps DpadUp");
}

TEST(ControlsMapping, KeysByPlaceOrLayoutAndButtonsBecomeTheGameKeys)
{
    ControlsInstall(ControlsDefaults());
    // W's place, whatever the layout prints on it (Z on a French keyboard); its set-1 scan code.
    EXPECT_EQ(ControlsKeyChange(ControlOfUsage(usageW), true), 'W');
    EXPECT_EQ(ControlOfScanCode(0x11, false), usageW);
    EXPECT_EQ(ControlOfScanCode(0x48, true), usageUp);
    EXPECT_EQ(ControlOfScanCode(0x1D, true), usageLeftCtrl) << "the right Ctrl is Ctrl";
    EXPECT_EQ(ControlOfUsage(0x58), 0x28) << "the keypad's Enter is Enter";
    EXPECT_EQ(ControlOfLayoutKey('W'), usageW);
    EXPECT_EQ(ControlOfUsage(0xE2), 0) << "Alt is the system's";
    EXPECT_EQ(ControlsKeyChange(ControlOfUsage(usageUp), true), 0) << "no action has Up";
    // A key the machine gave no place goes by its layout's key; under keys = layout every key.
    EXPECT_EQ(ControlOfKey(0, 'W'), usageW);
    EXPECT_EQ(ControlOfKey(ControlOfUsage(0x1D), 'W'), 0x1D) << "by place: Z's";

    // E, Ctrl and the left button all cast: E goes up with the last of them let go.
    EXPECT_EQ(ControlsKeyChange(ControlOfUsage(usageRightCtrl), true), 'E');
    EXPECT_EQ(ControlsKeyChange(ControlOfMouseButton(1), true), 'E');
    EXPECT_EQ(ControlsKeyChange(ControlOfMouseButton(1), true), 'E') << "a repeat";
    EXPECT_EQ(ControlsKeyChange(ControlOfUsage(usageRightCtrl), false), 0);
    EXPECT_EQ(ControlsKeyChange(ControlOfMouseButton(1), false), 'E');
    EXPECT_EQ(ControlsKeyChange(ControlOfMouseButton(3), true), 0);

    ControlsInstall(Read("[keys]\nforward = Up\ncast = MouseRight\nkeys = layout\n").settings);
    EXPECT_EQ(ControlOfKey(ControlOfUsage(0x1D), 'W'), usageW) << "by layout: W's";
    EXPECT_EQ(ControlsKeyChange(ControlOfUsage(usageW), true), 0) << "W walks no more";
    EXPECT_EQ(ControlsKeyChange(ControlOfUsage(usageUp), true), 'W');
    EXPECT_EQ(ControlsKeyChange(ControlOfMouseButton(3), true), 'E');
    EXPECT_EQ(ControlsKeyChange(ControlOfMouseButton(1), true), 0);
    ControlsInstall(ControlsDefaults());
}

TEST(ControlsMapping, TheMouseTurnsBySensitivityCarryingTheFraction)
{
    int x = 0, y = 0;
    ControlsInstall(ControlsDefaults());
    ControlsMouseMotion(7, -3, x, y);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, -3);

    // 0.3 a pixel: ten single pixels turn three, as one motion of ten does; back the other way
    // the same. Inverted, down looks up.
    ControlsInstall(Read("[mouse]\nsensitivity = 0.3\ninvert = yes\n").settings);
    int turned = 0, pitched = 0;
    for (int step = 0; step < 10; ++step) {
        ControlsMouseMotion(1, 1, x, y);
        EXPECT_LE(x, 1);
        turned += x, pitched += y;
    }
    EXPECT_EQ(turned, 3);
    EXPECT_EQ(pitched, -3);
    for (int step = 0; step < 10; ++step) {
        ControlsMouseMotion(-1, 0, x, y);
        turned += x;
    }
    EXPECT_EQ(turned, 0);
    ControlsInstall(Read("[mouse]\nsensitivity = 2.5\n").settings);
    ControlsMouseMotion(3, 1, x, y);
    ControlsMouseMotion(1, 1, x, y);
    EXPECT_EQ(x, 3) << "7.5 then 2.5, with the half pixel carried: 7 then 3";
    ControlsInstall(ControlsDefaults());
}

TEST(ControlsMapping, TheControllerPlaysByItsSettings)
{
    ControlsInstall(Read("[controller]\nlook_speed = 90\ninvert = yes\nwalk_dead_zone = 0.5\n"
                         "jump = RightTrigger\ncast = A\n").settings);
    GamepadMapReset();
    GamepadState state;
    state.leftY = -0.4f;  // inside the wider dead zone
    state.rightY = -1.0f;  // up, which looks down
    state.rightTrigger = 1.0f;
    int pitch = 0;
    std::vector<std::pair<int, bool>> keys;
    for (int step = 0; step < 100; ++step) {
        GamepadOutput output = GamepadMapStep(state, 0.01);
        pitch += output.lookY;
        keys.insert(keys.end(), output.keys.begin(), output.keys.end());
    }
    EXPECT_NEAR(pitch, 900, 1) << "90 degrees a second, ten pixels a degree, down";
    EXPECT_EQ(keys, (std::vector<std::pair<int, bool>>{{' ', true}}));
    state = GamepadState();
    state.south = true;
    EXPECT_EQ(GamepadMapStep(state, 0.01).keys, (std::vector<std::pair<int, bool>>{{' ', false}, {'E', true}}));
    ControlsInstall(ControlsDefaults());
    GamepadMapReset();
}

}  // namespace
