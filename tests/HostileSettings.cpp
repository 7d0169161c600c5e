#include "HostileSettings.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "settings/ProfileCodec.h"

namespace {

template <typename T>
const T& Pick(std::mt19937& random, const std::vector<T>& choices)
{
    return choices[std::uniform_int_distribution<size_t>(0, choices.size() - 1)(random)];
}

std::string Number(std::mt19937& random)
{
    static const std::vector<std::string> special = {"0", "1", "-1", "2", "7", "100", "101", "54000", "70000",
                                                     "2147483647", "-2147483648", "4294967295", "99999999999",
                                                     "abc", "", " 12 ", "0x10", "1e9", "%00"};
    if (random() % 2) return Pick(random, special);
    return std::to_string(static_cast<int32_t>(random()) % (random() % 2 ? 200 : 100000));
}

std::string Bytes(std::mt19937& random, size_t length)
{
    std::string bytes(length, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

std::string Text(std::mt19937& random)
{
    std::string text;
    const size_t length = random() % 4 == 0 ? random() % 6000 : random() % 80;
    static const std::vector<std::string> pieces = {"%", "%0", "%0d%0a", "%1b", "%09", "%ZZ", "\t", "Name:\t",
                                                    "word ", "x", "[", "]", "=", ";", "\"", "%25"};
    while (text.size() < length) text += random() % 3 ? Pick(random, pieces) : Bytes(random, 1);
    std::string line;
    for (char c : text) line += (c == '\r' || c == '\n' || c == '\0') ? ' ' : c;  // one INI line
    return line;
}

std::string Block(std::mt19937& random, size_t usualLength)
{
    switch (random() % 5) {
    case 0: return Text(random);  // not hex at all
    case 1: return EncodeBlock(Bytes(random, usualLength).data(), usualLength).substr(0, random() % (2 * usualLength + 1));
    case 2: return EncodeBlock(Bytes(random, usualLength + random() % 9).data(), usualLength + random() % 9);
    default: {
        LOGFONTA font = {};
        font.lfHeight = Pick<LONG>(random, {-13, -2184, -2185, -30000, 30000, 0, INT32_MIN});
        font.lfWeight = Pick<LONG>(random, {400, 700, 5000, -1});
        const std::string face = Pick<std::string>(random, {"Arial", "", "Ar\x01ial", "Courier New", Bytes(random, 40)});
        for (size_t i = 0; i < face.size() && i < LF_FACESIZE; ++i) font.lfFaceName[i] = face[i];
        return EncodeBlock(&font, sizeof font);
    }
    }
}

std::string GridArray(std::mt19937& random)
{
    std::vector<uint32_t> sizes(random() % 4 == 0 ? random() % 20000 : random() % 30);
    for (uint32_t& size : sizes) {
        const uint32_t width = random() % 5 == 0 ? random() % 65536 : random() % 4000;
        const uint32_t height = random() % 5 == 0 ? random() % 65536 : random() % 3000;
        size = height << 16 | width;
    }
    std::string block = EncodeBlock(sizes.data(), sizes.size() * 4);
    if (random() % 6 == 0) block.resize(block.size() - std::min<size_t>(block.size(), random() % 7));
    return block;
}

}  // namespace

std::string HostileSettingsFile(std::mt19937& random)
{
    struct Key {
        const char* section;
        const char* name;
        int kind;  // 0 number, 1 text, 2 block of the given size, 3 grid array, 4 file name
        size_t blockLength;
    };
    static const Key keys[] = {
        {"Save", "Filename", 4, 0},         {"Save", "SaveSettings", 0, 0},     {"Save", "SetAsWallpaper", 0, 0},
        {"General", "Captions", 0, 0},      {"General", "Notes", 0, 0},         {"General", "Grid", 0, 0},
        {"General", "Logo", 0, 0},          {"General", "Border", 0, 0},        {"General", "Margins", 0, 0},
        {"General", "Font", 2, 60},         {"General", "ColorSelect", 0, 0},   {"General", "ForegroundColor", 0, 0},
        {"General", "BackgroundColor", 0, 0}, {"General", "CustomColors", 2, 64}, {"Captions", "Machine", 0, 0},
        {"Captions", "OS", 0, 0},           {"Captions", "Browser", 0, 0},      {"Notes", "Notes", 1, 0},
        {"Grid", "LineSize", 0, 0},         {"Grid", "TaskBar", 0, 0},          {"Grid", "RightToLeft", 0, 0},
        {"Grid", "GridArray", 3, 0},
    };
    std::string file;
    std::string section;
    for (const Key& key : keys) {
        if (random() % 3 == 0) continue;
        if (section != key.section) {
            section = key.section;
            file += "[" + section + "]\r\n";
        }
        std::string value;
        switch (key.kind) {
        case 0: value = Number(random); break;
        case 1: value = Text(random); break;
        case 2: value = Block(random, key.blockLength); break;
        case 3: value = GridArray(random); break;
        default:
            value = Pick<std::string>(random, {"wall.bmp", "WALL.BMP", "win.ini", "..\\x.bmp", "C:\\x.bmp", "nul.bmp",
                                               "x%0d%0a.bmp", "%1b.bmp", "a:b.bmp", "", "x.bmp.", "con .bmp", Text(random)});
        }
        file += std::string(key.name) + "=" + value + "\r\n";
    }
    return file;
}
