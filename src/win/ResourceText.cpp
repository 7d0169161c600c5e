#include "win/ResourceText.h"

std::string LoadResourceText(UINT id, HINSTANCE module)
{
    // LoadString with a zero length hands out a pointer to the resource itself.
    const char* text = nullptr;
    const int length = LoadStringA(module, id, reinterpret_cast<char*>(&text), 0);
    if (length > 0 && text) return std::string(text, static_cast<size_t>(length));
    char buffer[4096] = "";
    const int copied = LoadStringA(module, id, buffer, sizeof buffer);
    return std::string(buffer, copied > 0 ? static_cast<size_t>(copied) : 0);
}
