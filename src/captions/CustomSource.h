#pragma once
// Where an administrator's own caption line reads its value. A source is only ever
// read: a registry value, an environment variable, a file's version resource or fixed
// text. Anything else (a command, a script, an address) gives no value and never runs.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

enum class SourceKind { None, Registry, Environment, Version, Text };

struct CustomSource {
    SourceKind kind = SourceKind::None;
    std::string target;  // what follows the kind's prefix
};

// "registry:HKLM\SOFTWARE\Contoso\AssetTag", "env:SITE", "version:%ProgramFiles%\a.exe",
// "text:R4-B2"; the prefix in any case.
CustomSource ParseCustomSource(const std::string& text);
std::string SourceText(SourceKind kind, const std::string& target);
// The prefix of a kind ("registry:"), "" for none.
const char* SourcePrefix(SourceKind kind);

// An environment variable or a value under HKEY_CURRENT_USER differs between users.
bool IsPerUserSource(const CustomSource& source);

// "HKLM\Key\Sub\Name": the root (HKLM, HKCU or their long names), the key and the
// value's name (after the last backslash). False for any other root or a path without key.
struct RegistryPath {
    HKEY root = nullptr;
    std::string key;
    std::string value;
};
bool ParseRegistryPath(const std::string& text, RegistryPath& path);

// A registry value as a caption shows it: strings as they are (expandable ones after
// `expand`), DWORD and QWORD in decimal, multi-strings joined with ", ", anything else
// (binary) nothing.
std::string RegistryValueText(DWORD type, const std::vector<uint8_t>& data, std::string (*expand)(const std::string&));

// A value cut to MAX_CUSTOM_VALUE characters, a label to MAX_CUSTOM_LABEL, without
// control characters: a TAB or a line break in them must not forge another caption.
std::string CustomValueText(std::string value);
std::string CustomLabelText(std::string label);

// The value the source gives on this system now; "" when it gives none.
std::string ReadCustomValue(const std::string& source);
