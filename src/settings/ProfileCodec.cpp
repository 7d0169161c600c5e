#include "settings/ProfileCodec.h"

namespace {

bool NeedsEscape(unsigned char c)
{
    return c < 0x20 || c >= 0x80 || c == '%';
}

bool IsStrippedAtEnds(unsigned char c)
{
    return c == ' ' || c == '"' || c == '\'';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string EscapeText(const std::string& text)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const bool atEnd = i == 0 || i + 1 == text.size();
        if (NeedsEscape(c) || (atEnd && IsStrippedAtEnds(c))) {
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 0xF];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string UnescapeText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '%') {
            out += text[i++];
            continue;
        }
        ++i;
        int value = 0;
        const size_t end = i + 2 < text.size() ? i + 2 : text.size();
        size_t j = i;
        for (; j < end; ++j) {
            const int digit = HexValue(text[j]);
            if (digit < 0) break;
            value = value * 16 + digit;
        }
        // The two characters after "%" are consumed even where reading stopped early.
        out += static_cast<char>(value);
        i = end;
    }
    return out;
}

std::string EncodeBlock(const void* data, size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::string out;
    out.reserve(size * 2);
    for (size_t i = 0; i < size; ++i) {
        out += static_cast<char>('A' + (bytes[i] & 0xF));
        out += static_cast<char>('A' + (bytes[i] >> 4));
    }
    return out;
}

std::vector<uint8_t> DecodeBlock(const std::string& text)
{
    std::vector<uint8_t> out;
    out.reserve(text.size() / 2);
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        const int first = static_cast<unsigned char>(text[i]) - 'A';
        const int second = static_cast<unsigned char>(text[i + 1]) - 'A';
        out.push_back(static_cast<uint8_t>((second * 16 + first) & 0xFF));
    }
    return out;
}
