#include <gtest/gtest.h>

#include "settings/ProfileCodec.h"
#include "settings/ScreenSizeList.h"

TEST(EscapeText, EveryByteRoundTrips)
{
    for (int value = 0; value < 256; ++value) {
        const std::string alone(1, static_cast<char>(value));
        const std::string inside = "a" + alone + "b";
        EXPECT_EQ(UnescapeText(EscapeText(alone)), alone) << value;
        EXPECT_EQ(UnescapeText(EscapeText(inside)), inside) << value;
    }
    std::string all;
    for (int value = 0; value < 256; ++value) all += static_cast<char>(value);
    EXPECT_EQ(UnescapeText(EscapeText(all)), all);
}

TEST(EscapeText, EscapesControlHighAndPercentInLowercaseHex)
{
    EXPECT_EQ(EscapeText("100% sure"), "100%25 sure");
    EXPECT_EQ(EscapeText("a\r\nb"), "a%0d%0ab");
    EXPECT_EQ(EscapeText("x\ty"), "x%09y");
    EXPECT_EQ(EscapeText("caf\xe9!"), "caf%e9!");
    EXPECT_EQ(EscapeText("plain text, \"quoted\" inside"), "plain text, \"quoted\" inside");
}

TEST(EscapeText, ProtectsBlanksAndQuotesAtTheEnds)
{
    // The profile functions trim blanks and drop a pair of quotes around a value.
    EXPECT_EQ(EscapeText("  indented "), "%20 indented%20");
    EXPECT_EQ(EscapeText("\"quoted\""), "%22quoted%22");
    EXPECT_EQ(EscapeText("'x'"), "%27x%27");
    EXPECT_EQ(EscapeText(" "), "%20");
    EXPECT_EQ(UnescapeText(EscapeText("  indented ")), "  indented ");
}

TEST(UnescapeText, DecodesEachEscapeOnce)
{
    EXPECT_EQ(UnescapeText("100%25 sure"), "100% sure");
    EXPECT_EQ(UnescapeText("a%0d%0ab"), "a\r\nb");
    EXPECT_EQ(UnescapeText("%2541"), "%41");  // a decoded "%" is not decoded again
    EXPECT_EQ(UnescapeText("%4A%4a"), "JJ");
    EXPECT_EQ(UnescapeText("no escapes"), "no escapes");
}

TEST(UnescapeText, MalformedEscapesFollowTheReadingRule)
{
    // Reading stops at the first non-hex character; the two characters are consumed.
    EXPECT_EQ(UnescapeText("%4zX"), std::string("\x04X"));
    EXPECT_EQ(UnescapeText("%zzX"), std::string("\0X", 2));
    EXPECT_EQ(UnescapeText("end%4"), std::string("end\x04"));
    EXPECT_EQ(UnescapeText("end%"), std::string("end\0", 4));
    EXPECT_EQ(UnescapeText("%%41"), std::string("\0" "1", 2));
}

TEST(BlockCodec, EveryByteRoundTrips)
{
    uint8_t all[256];
    for (int value = 0; value < 256; ++value) all[value] = static_cast<uint8_t>(value);
    const std::string text = EncodeBlock(all, sizeof all);
    ASSERT_EQ(text.size(), 512u);
    EXPECT_EQ(text.find_first_not_of("ABCDEFGHIJKLMNOP"), std::string::npos);
    const std::vector<uint8_t> decoded = DecodeBlock(text);
    EXPECT_EQ(decoded, std::vector<uint8_t>(all, all + 256));
}

TEST(BlockCodec, LowNibbleFirst)
{
    const uint8_t byte = 0x12;
    EXPECT_EQ(EncodeBlock(&byte, 1), "CB");
    const uint32_t sizes[] = {PackSize(1280, 1024), PackSize(1024, 768)};
    EXPECT_EQ(EncodeBlock(sizes, sizeof sizes), "AAFAAAEAAAEAAADA");
    EXPECT_EQ(EncodeBlock(nullptr, 0), "");
}

TEST(BlockCodec, OddLengthAndForeignLettersDecodeArithmetically)
{
    EXPECT_EQ(DecodeBlock("CBA"), std::vector<uint8_t>{0x12});
    EXPECT_EQ(DecodeBlock("A"), std::vector<uint8_t>{});
    EXPECT_EQ(DecodeBlock("ZZ"), std::vector<uint8_t>{(25 * 16 + 25) % 256});
    EXPECT_EQ(DecodeBlock("aA"), std::vector<uint8_t>{32});
    EXPECT_EQ(DecodeBlock("0A"), std::vector<uint8_t>{256 - 17});
    EXPECT_EQ(DecodeBlock("\xff\xff"), std::vector<uint8_t>{static_cast<uint8_t>((190 * 16 + 190) % 256)});
}
