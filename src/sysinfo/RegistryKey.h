#pragma once
// An open registry key: opened, read or written, closed on every path.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "win/Handles.h"

class RegistryKey {
public:
    // KEY_READ, or KEY_READ | KEY_WRITE when writable, with view added (KEY_WOW64_64KEY
    // reads the 64-bit registry from a 32-bit process); false, with the thread's last
    // error, when it cannot be opened.
    bool OpenKey(HKEY root, const std::string& subkey, bool writable, REGSAM view = 0);
    // Opens the key for writing, made first when missing (view as with OpenKey); false
    // with the last error set.
    bool CreateKey(HKEY root, const std::string& subkey, REGSAM view = 0);
    bool IsOpen() const { return static_cast<bool>(key_); }

    // The value's text when it exists and is a string (an expandable one as stored),
    // else defaultText. An empty name reads the key's default value.
    std::string ReadString(const std::string& name, const std::string& defaultText) const;
    // A REG_DWORD value; false when it is missing or of another type.
    bool ReadDword(const std::string& name, DWORD& value) const;
    // A value's type and bytes as stored, when it exists and holds at most limit bytes.
    bool ReadRaw(const std::string& name, DWORD& type, std::vector<uint8_t>& data, DWORD limit) const;
    // Stores text as REG_SZ with its terminating zero; false with the last error set.
    bool WriteString(const std::string& name, const std::string& text);
    bool WriteDword(const std::string& name, DWORD value);
    // Removes a value; false with the last error set (ERROR_FILE_NOT_FOUND: none).
    bool DeleteValue(const std::string& name);

private:
    RegistryKeyHandle key_;
};

// The strings a value's bytes hold: a string's (REG_SZ, REG_EXPAND_SZ as stored) up to
// its first zero, a missing terminator or not; each of a REG_MULTI_SZ's, up to the empty
// one that ends the list; none for any other type.
std::vector<std::string> RegistryStrings(DWORD type, const std::vector<uint8_t>& data);

// A registry string value: none when the key cannot be opened, "" when the value
// is missing or not a string. The naming rules take one, so tests can give their own.
using RegistryReader = std::function<std::optional<std::string>(HKEY root, const std::string& subkey,
                                                                const std::string& value)>;
// The real registry's.
RegistryReader SystemRegistry();
