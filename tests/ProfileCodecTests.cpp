#include <gtest/gtest.h>

#include "settings/ProfileCodec.h"

// Control, high and percent bytes in lowercase hex; blanks at the ends and quotes too,
// which the profile functions would trim or drop. A decoded "%" is not decoded again;
// a malformed escape reads up to its first non-hex character and consumes two.
TEST(EscapeText, WhatIsEscapedAndHowMalformedEscapesRead)
{
    const std::pair<std::string, std::string> escaped[] = {
        {"100% sure", "100%25 sure"}, {"a\r\nb\tc\xe9!", "a%0d%0ab%09c%e9!"},
        {"  indented ", "%20 indented%20"}, {"\"quoted\"", "%22quoted%22"}};
    for (const auto& [text, stored] : escaped) EXPECT_EQ(EscapeText(text), stored);
    const std::pair<std::string, std::string> unescaped[] = {{"%2541", "%41"}, {"%4zX", "\x04X"},
        {"%zzX", std::string("\0X", 2)}, {"end%", std::string("end\0", 4)}, {"%%41", std::string("\0" "1", 2)}};
    for (const auto& [stored, text] : unescaped) EXPECT_EQ(UnescapeText(stored), text) << stored;
}

TEST(BlockCodec, LowNibbleFirstAndForeignLettersDecodeArithmetically)
{
    uint8_t all[256];
    for (int value = 0; value < 256; ++value) all[value] = static_cast<uint8_t>(value);
    const std::string text = EncodeBlock(all, sizeof all);
    EXPECT_EQ(text.find_first_not_of("ABCDEFGHIJKLMNOP"), std::string::npos);
    EXPECT_EQ(DecodeBlock(text), std::vector<uint8_t>(all, all + 256));
    EXPECT_EQ(DecodeBlock("CBA"), std::vector<uint8_t>{0x12});  // an odd letter is dropped
    EXPECT_EQ(DecodeBlock("0A"), std::vector<uint8_t>{256 - 17});
}
