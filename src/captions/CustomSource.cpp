#include "captions/CustomSource.h"

#include "captions/CaptionItems.h"
#include "sysinfo/RegistryKey.h"
#include "sysinfo/SystemInfo.h"
#include "sysinfo/VersionInfo.h"

namespace {

struct KindName {
    SourceKind kind;
    const char* prefix;
};
const KindName KINDS[] = {{SourceKind::Registry, "registry:"},
                          {SourceKind::Environment, "env:"},
                          {SourceKind::Version, "version:"},
                          {SourceKind::Text, "text:"}};

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    const size_t length = strlen(prefix);
    return text.size() >= length && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str(),
                                                   static_cast<int>(length), prefix, static_cast<int>(length)) == CSTR_EQUAL;
}

// Environment variables in the text expanded; as it is when that fails.
std::string Expanded(const std::string& text)
{
    std::vector<char> buffer(text.size() + 256);
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD length = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return text;
        if (length <= buffer.size()) return std::string(buffer.data());
        buffer.resize(length);
    }
    return text;
}

// Registry values beyond this size show nothing: no caption needs them.
constexpr DWORD MAX_REGISTRY_VALUE = 1u << 20;

std::string ReadRegistrySource(const std::string& target)
{
    RegistryPath path;
    if (!ParseRegistryPath(target, path)) return std::string();
    RegistryKey key;
    // The machine's own view of the registry, whichever build reads it.
    if (!key.OpenKey(path.root, path.key, false, KEY_WOW64_64KEY)) return std::string();
    DWORD type = 0;
    std::vector<uint8_t> data;
    if (!key.ReadRaw(path.value, type, data, MAX_REGISTRY_VALUE)) return std::string();
    return RegistryValueText(type, data, Expanded);
}

std::string ReadVersionSource(const std::string& target)
{
    // Read as data alone: the file's code is never run.
    VersionInfo version;
    if (target.empty() || !version.Load(Expanded(target))) return std::string();
    std::string text = version.QueryString("FileVersion");
    return text.empty() ? version.QueryString("ProductVersion") : text;
}

}  // namespace

CustomSource ParseCustomSource(const std::string& text)
{
    for (const KindName& kind : KINDS)
        if (StartsWithNoCase(text, kind.prefix)) return {kind.kind, text.substr(strlen(kind.prefix))};
    return {};
}

const char* SourcePrefix(SourceKind kind)
{
    for (const KindName& name : KINDS)
        if (name.kind == kind) return name.prefix;
    return "";
}

std::string SourceText(SourceKind kind, const std::string& target) { return SourcePrefix(kind) + target; }

bool ParseRegistryPath(const std::string& text, RegistryPath& path)
{
    const size_t first = text.find('\\');
    const size_t last = text.rfind('\\');
    if (first == std::string::npos || last == first) return false;
    const std::string root = text.substr(0, first);
    if (lstrcmpiA(root.c_str(), "HKLM") == 0 || lstrcmpiA(root.c_str(), "HKEY_LOCAL_MACHINE") == 0)
        path.root = HKEY_LOCAL_MACHINE;
    else if (lstrcmpiA(root.c_str(), "HKCU") == 0 || lstrcmpiA(root.c_str(), "HKEY_CURRENT_USER") == 0)
        path.root = HKEY_CURRENT_USER;
    else
        return false;
    path.key = text.substr(first + 1, last - first - 1);
    path.value = text.substr(last + 1);
    return !path.key.empty();
}

bool IsPerUserSource(const CustomSource& source)
{
    RegistryPath path;
    return source.kind == SourceKind::Environment ||
           (source.kind == SourceKind::Registry && ParseRegistryPath(source.target, path) &&
            path.root == HKEY_CURRENT_USER);
}

std::string RegistryValueText(DWORD type, const std::vector<uint8_t>& data, std::string (*expand)(const std::string&))
{
    switch (type) {
    case REG_SZ: return RegistryStrings(type, data).front();
    case REG_EXPAND_SZ: return expand(RegistryStrings(type, data).front());
    case REG_DWORD:
    case REG_QWORD: {
        const size_t size = type == REG_DWORD ? 4 : 8;
        if (data.size() < size) return std::string();
        unsigned long long number = 0;
        for (size_t byte = size; byte-- > 0;) number = number << 8 | data[byte];
        return std::to_string(number);
    }
    case REG_MULTI_SZ: {
        std::string joined;
        for (const std::string& part : RegistryStrings(type, data)) joined += (joined.empty() ? "" : ", ") + part;
        return joined;
    }
    default: return std::string();
    }
}

std::string CustomValueText(std::string value)
{
    if (value.size() > MAX_CUSTOM_VALUE) value.resize(MAX_CUSTOM_VALUE);
    return WithoutControlCharacters(value);
}

std::string CustomLabelText(std::string label)
{
    if (label.size() > MAX_CUSTOM_LABEL) label.resize(MAX_CUSTOM_LABEL);
    return WithoutControlCharacters(label);
}

std::string ReadCustomValue(const std::string& sourceText)
{
    const CustomSource source = ParseCustomSource(sourceText);
    switch (source.kind) {
    case SourceKind::Registry: return CustomValueText(ReadRegistrySource(source.target));
    case SourceKind::Environment: {
        if (source.target.empty() || source.target.find('=') != std::string::npos) return std::string();
        const DWORD size = GetEnvironmentVariableA(source.target.c_str(), nullptr, 0);
        if (size == 0) return std::string();
        std::string value(size, '\0');
        const DWORD length = GetEnvironmentVariableA(source.target.c_str(), value.data(), size);
        value.resize(length < size ? length : 0);
        return CustomValueText(value);
    }
    case SourceKind::Version: return CustomValueText(ReadVersionSource(source.target));
    case SourceKind::Text: return CustomValueText(source.target);
    default: return std::string();
    }
}
