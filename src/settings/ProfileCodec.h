#pragma once
// Text and byte-block forms of values in the profile files.

#include <cstdint>
#include <string>
#include <vector>

// Bytes below 0x20, from 0x80 up and "%" itself become "%xx" (two lowercase hex
// digits). A blank or quotation mark at either end is escaped as well, because
// the profile functions strip those when the value is read back.
std::string EscapeText(const std::string& text);

// Reverses EscapeText: "%" and up to two hex digits after it give one byte
// (no digits give 0); the scan continues after the byte produced, so a decoded
// "%" is never decoded again.
std::string UnescapeText(const std::string& text);

// Two letters a byte: 'A' + low four bits, then 'A' + high four bits.
std::string EncodeBlock(const void* data, size_t size);

// Any pair of characters decodes, as ((second - 'A') * 16 + (first - 'A')) mod 256;
// an odd last character is ignored.
std::vector<uint8_t> DecodeBlock(const std::string& text);
