#include <gtest/gtest.h>

#include "settings/ProfileCodec.h"
#include "settings/ScreenSizeList.h"

TEST(EscapeText, EveryByteRoundTrips)
{
    std::string all;
    for (int value = 0; value < 256; ++value) {
        const std::string alone(1, static_cast<char>(value)), inside = "a" + alone + "b";
        EXPECT_EQ(UnescapeText(EscapeText(alone)), alone) << value;
        EXPECT_EQ(UnescapeText(EscapeText(inside)), inside) << value;
        all += alone;
    }
    EXPECT_EQ(UnescapeText(EscapeText(all)), all);
}

TEST(EscapeText, EscapesControlHighAndPercentInLowercaseHex)
{
    EXPECT_EQ(EscapeText("100% sure"), "100%25 sure");
    EXPECT_EQ(EscapeText("a\r\nb\tc\xe9!"), "a%0d%0ab%09c%e9!");
    // The profile functions trim blanks and drop a pair of quotes around a value.
    EXPECT_EQ(EscapeText("  indented "), "%20 indented%20");
    EXPECT_EQ(EscapeText("\"quoted\""), "%22quoted%22");
}

TEST(UnescapeText, DecodesEachEscapeOnceAndMalformedOnesByTheReadingRule)
{
    EXPECT_EQ(UnescapeText("%2541"), "%41");  // a decoded "%" is not decoded again
    // Reading stops at the first non-hex character; the two characters are consumed.
    EXPECT_EQ(UnescapeText("%4zX"), std::string("\x04X"));
    EXPECT_EQ(UnescapeText("%zzX"), std::string("\0X", 2));
    EXPECT_EQ(UnescapeText("end%"), std::string("end\0", 4));
    EXPECT_EQ(UnescapeText("%%41"), std::string("\0" "1", 2));
}

TEST(BlockCodec, LowNibbleFirstAndForeignLettersDecodeArithmetically)
{
    uint8_t all[256];
    for (int value = 0; value < 256; ++value) all[value] = static_cast<uint8_t>(value);
    const std::string text = EncodeBlock(all, sizeof all);
    EXPECT_EQ(text.find_first_not_of("ABCDEFGHIJKLMNOP"), std::string::npos);
    EXPECT_EQ(DecodeBlock(text), std::vector<uint8_t>(all, all + 256));
    const uint32_t sizes[] = {PackSize(1280, 1024), PackSize(1024, 768)};
    EXPECT_EQ(EncodeBlock(sizes, sizeof sizes), "AAFAAAEAAAEAAADA");
    EXPECT_EQ(DecodeBlock("CBA"), std::vector<uint8_t>{0x12});  // an odd letter is dropped
    EXPECT_EQ(DecodeBlock("0A"), std::vector<uint8_t>{256 - 17});
}
