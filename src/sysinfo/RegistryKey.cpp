#include "sysinfo/RegistryKey.h"

#include <vector>

bool RegistryKey::OpenKey(HKEY root, const std::string& subkey, bool writable, REGSAM view)
{
    HKEY key = nullptr;
    const REGSAM access = (writable ? (KEY_READ | KEY_WRITE) : KEY_READ) | view;
    const LONG result = RegOpenKeyExA(root, subkey.c_str(), 0, access, &key);
    key_.Reset(result == ERROR_SUCCESS ? key : nullptr);
    if (result != ERROR_SUCCESS) SetLastError(static_cast<DWORD>(result));
    return IsOpen();
}

bool RegistryKey::CreateKey(HKEY root, const std::string& subkey, REGSAM view)
{
    HKEY key = nullptr;
    const LONG result =
        RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE | view, nullptr, &key, nullptr);
    key_.Reset(result == ERROR_SUCCESS ? key : nullptr);
    if (result != ERROR_SUCCESS) SetLastError(static_cast<DWORD>(result));
    return IsOpen();
}

std::string RegistryKey::ReadString(const std::string& name, const std::string& defaultText) const
{
    DWORD type = 0;
    std::vector<uint8_t> data;
    // No string a caller reads is near this size: a larger value is no value.
    constexpr DWORD MAX_STRING_VALUE = 1u << 20;
    if (!ReadRaw(name, type, data, MAX_STRING_VALUE) || (type != REG_SZ && type != REG_EXPAND_SZ)) return defaultText;
    return RegistryStrings(type, data).front();
}

bool RegistryKey::ReadDword(const std::string& name, DWORD& value) const
{
    DWORD type = 0, data = 0, size = sizeof data;
    if (!key_ || RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
                     ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data)
        return false;
    value = data;
    return true;
}

bool RegistryKey::ReadRaw(const std::string& name, DWORD& type, std::vector<uint8_t>& data, DWORD limit) const
{
    if (!key_) return false;
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = 0;
        if (RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || size > limit)
            return false;
        data.assign(size, 0);
        const LONG result = RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, data.data(), &size);
        if (result == ERROR_MORE_DATA) continue;
        if (result != ERROR_SUCCESS) return false;
        data.resize(size);
        return true;
    }
    return false;
}

bool RegistryKey::WriteString(const std::string& name, const std::string& text)
{
    if (!key_) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    const LONG result = RegSetValueExA(key_.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                       static_cast<DWORD>(text.size() + 1));
    if (result != ERROR_SUCCESS) SetLastError(static_cast<DWORD>(result));
    return result == ERROR_SUCCESS;
}

bool RegistryKey::WriteDword(const std::string& name, DWORD value)
{
    const LONG result = key_ ? RegSetValueExA(key_.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                              sizeof value)
                             : ERROR_INVALID_HANDLE;
    if (result != ERROR_SUCCESS) SetLastError(static_cast<DWORD>(result));
    return result == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(const std::string& name)
{
    const LONG result = key_ ? RegDeleteValueA(key_.Get(), name.c_str()) : ERROR_INVALID_HANDLE;
    if (result != ERROR_SUCCESS) SetLastError(static_cast<DWORD>(result));
    return result == ERROR_SUCCESS;
}

std::vector<std::string> RegistryStrings(DWORD type, const std::vector<uint8_t>& data)
{
    const char* const text = reinterpret_cast<const char*>(data.data());
    std::vector<std::string> strings;
    if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) return strings;
    for (size_t start = 0; start < data.size() || strings.empty();) {
        size_t end = start;
        while (end < data.size() && data[end] != 0) ++end;
        if (type != REG_MULTI_SZ) return {std::string(text ? text + start : "", end - start)};
        if (end == start) break;  // the empty string that ends the list
        strings.emplace_back(text + start, end - start);
        start = end + 1;
    }
    return strings;
}

RegistryReader SystemRegistry()
{
    return [](HKEY root, const std::string& subkey, const std::string& value) -> std::optional<std::string> {
        RegistryKey key;
        if (!key.OpenKey(root, subkey, false)) return std::nullopt;
        return key.ReadString(value, "");
    };
}
