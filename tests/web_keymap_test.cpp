// The page's keys as the game's virtual-key codes, as the desktop maps its own: the layout's
// Latin letters and digits, the key's place where the layout has none, the keypad and the
// browser's key names for the rest.
#include <gtest/gtest.h>

#include "platform/web/keymap.h"
#include "platform/layer/winapi.h"

TEST(WebKeyMap, BrowserKeysGiveWindowsVirtualKeyCodes)
{
    EXPECT_EQ(WebVirtualKey("w", "KeyW"), 'W');
    EXPECT_EQ(WebVirtualKey("W", "KeyW"), 'W');
    // An AZERTY layout: the key at the W place says "z" and is Z, as the desktop build has it.
    EXPECT_EQ(WebVirtualKey("z", "KeyW"), 'Z');
    // A Cyrillic layout gives no Latin letter: the place decides (the key of Ц is W).
    EXPECT_EQ(WebVirtualKey("ц", "KeyW"), 'W');
    EXPECT_EQ(WebVirtualKey("с", "KeyC"), 'C');
    EXPECT_EQ(WebVirtualKey("4", "Digit4"), '4');
    EXPECT_EQ(WebVirtualKey("\"", "Digit2"), '2');  // a digit row that gives signs unshifted
    EXPECT_EQ(WebVirtualKey("1", "Numpad1"), VK_NUMPAD0 + 1);
    EXPECT_EQ(WebVirtualKey(" ", "Space"), VK_SPACE);
    EXPECT_EQ(WebVirtualKey("Enter", "NumpadEnter"), VK_RETURN);
    EXPECT_EQ(WebVirtualKey("Escape", "Escape"), VK_ESCAPE);
    EXPECT_EQ(WebVirtualKey("F1", "F1"), VK_F1);
    EXPECT_EQ(WebVirtualKey("F12", "F12"), 0x7B);
    EXPECT_EQ(WebVirtualKey("Shift", "ShiftRight"), VK_SHIFT);
    EXPECT_EQ(WebVirtualKey("F13", "F13"), 0);
    EXPECT_EQ(WebVirtualKey("Unidentified", ""), 0);
    EXPECT_EQ(WebVirtualKey("", "KeyWW"), 0);
}

// The places the bindings name, in USB HID usages (SDL's scan codes are the same numbers).
TEST(WebKeyMap, PlacesAreUsbUsages)
{
    EXPECT_EQ(WebKeyUsage("KeyA"), 0x04);
    EXPECT_EQ(WebKeyUsage("KeyW"), 0x1A);
    EXPECT_EQ(WebKeyUsage("KeyZ"), 0x1D);
    EXPECT_EQ(WebKeyUsage("Digit1"), 0x1E);
    EXPECT_EQ(WebKeyUsage("Digit0"), 0x27);
    EXPECT_EQ(WebKeyUsage("Space"), 0x2C);
    EXPECT_EQ(WebKeyUsage("F1"), 0x3A);
    EXPECT_EQ(WebKeyUsage("F12"), 0x45);
    EXPECT_EQ(WebKeyUsage("Numpad1"), 0x59);
    EXPECT_EQ(WebKeyUsage("Numpad0"), 0x62);
    EXPECT_EQ(WebKeyUsage("ShiftRight"), 0xE5);
    for (const char* unknown : {"", "Key", "KeyAA", "F13", "F0", "Digit", "Fn"})
        EXPECT_EQ(WebKeyUsage(unknown), 0) << unknown;
}
