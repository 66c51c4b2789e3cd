// Windows-1251 texts of the game handed to the host as UTF-8, and back.
#include <gtest/gtest.h>

#include "platform/layer/charset.h"
#include "platform/scripted/scripted_host.h"

namespace {

TEST(Charset, RussianTextsRoundTripThroughUtf8)
{
    // "Тримвальд" and "СЧЁТ" in Windows-1251 bytes.
    const char tryWord[] = "\xD2\xF0\xE8\xEC\xE2\xE0\xEB\xFC\xE4";
    const char score[] = "\xD1\xD7\xA8\xD2: 7";
    EXPECT_EQ(Cp1251ToUtf8(tryWord), "Тримвальд");
    EXPECT_EQ(Cp1251ToUtf8(score), "СЧЁТ: 7");
    EXPECT_EQ(Utf8ToCp1251("Тримвальд"), tryWord);
    EXPECT_EQ(Utf8ToCp1251("СЧЁТ: 7"), score);
    EXPECT_EQ(Cp1251ToUtf8("\xFF\xB8"), "яё");
    EXPECT_EQ(Cp1251ToUtf8(nullptr), "");
}

TEST(Charset, BytesAndCharactersWithoutACounterpartAreMarked)
{
    EXPECT_EQ(Cp1251ToUtf8("a\x98z"), "a\xEF\xBF\xBDz");  // 0x98 has no character
    EXPECT_EQ(Utf8ToCp1251("日本"), "??");
    EXPECT_EQ(Utf8ToCp1251("ab\xD0"), "ab?");      // cut short
    EXPECT_EQ(Utf8ToCp1251("\xD0\x41x"), "?Ax");  // bad continuation byte
}

}  // namespace
