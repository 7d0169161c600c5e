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

std::string FillPlaceholders(const std::string& text, const std::vector<std::string>& values)
{
    std::string filled;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t number = i + 1 < text.size() ? static_cast<size_t>(text[i + 1] - '1') : values.size();
        if (text[i] == '%' && number < values.size() && number < 9) {
            filled += values[number];
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}
