#include "sysinfo/FirmwareTable.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "sysinfo/SystemInfo.h"
#include "win/SystemLibrary.h"

namespace {

constexpr size_t HEADER_SIZE = 8;       // calling method, major, minor, DMI revision, DWORD length
constexpr size_t STRUCTURE_HEADER = 4;  // type, length, handle
constexpr uint8_t SYSTEM_RECORD = 1;
constexpr uint8_t ENCLOSURE_RECORD = 3;
constexpr uint8_t END_OF_TABLE = 127;
// Offsets of the string numbers in the formatted part of each record.
constexpr size_t SYSTEM_MANUFACTURER = 4, SYSTEM_PRODUCT = 5, SYSTEM_SERIAL = 7;
constexpr size_t ENCLOSURE_ASSET_TAG = 8;

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// One record: its formatted part and its strings (numbered from 1).
struct Record {
    const uint8_t* formatted;
    size_t length;
    std::vector<std::string> strings;

    std::string Text(size_t offset) const
    {
        if (offset >= length) return std::string();
        const size_t number = formatted[offset];
        if (number == 0 || number > strings.size()) return std::string();
        const std::string text = Trimmed(WithoutControlCharacters(strings[number - 1]));
        return IsPlaceholderText(text) ? std::string() : text;
    }
};

}  // namespace

bool IsPlaceholderText(const std::string& text)
{
    static const char* const PLACEHOLDERS[] = {
        "To Be Filled By O.E.M.", "To Be Filled By OEM", "Default string", "Default", "System Serial Number",
        "System Product Name", "System manufacturer", "System Version", "Chassis Serial Number",
        "Chassis Manufacture", "Base Board Serial Number", "Serial Number", "Not Specified", "Not Applicable",
        "Not Available", "Unknown", "None", "N/A", "NA", "OEM", "O.E.M.", "No Asset Tag", "No Asset Information",
        "Asset Tag", "Asset-1234567890", "0123456789", "123456789", "1234567890", "Type1ProductConfigId",
        "Invalid", "xxxxxxxx"};
    const std::string trimmed = Trimmed(text);
    if (trimmed.empty() || trimmed.find_first_not_of("0 -:.") == std::string::npos) return true;
    for (const char* placeholder : PLACEHOLDERS)
        if (lstrcmpiA(trimmed.c_str(), placeholder) == 0) return true;
    return false;
}

FirmwareIdentity ParseFirmwareTable(const uint8_t* data, size_t size)
{
    FirmwareIdentity identity;
    if (!data || size < HEADER_SIZE) return identity;
    uint32_t declared = 0;
    std::memcpy(&declared, data + 4, sizeof declared);
    const uint8_t* const end = data + HEADER_SIZE + (declared < size - HEADER_SIZE ? declared : size - HEADER_SIZE);
    bool systemSeen = false, enclosureSeen = false;
    for (const uint8_t* at = data + HEADER_SIZE; static_cast<size_t>(end - at) >= STRUCTURE_HEADER;) {
        const uint8_t type = at[0];
        const size_t length = at[1];
        if (length < STRUCTURE_HEADER || length > static_cast<size_t>(end - at)) break;
        Record record{at, length, {}};
        // The strings follow, each ended by a zero; two zeros end the set.
        const uint8_t* text = at + length;
        bool closed = false;
        while (text < end) {
            const uint8_t* stop = static_cast<const uint8_t*>(std::memchr(text, 0, static_cast<size_t>(end - text)));
            if (!stop) break;
            if (stop == text) {  // the set's closing zero (the first one too when there are no strings)
                if (record.strings.empty() && stop + 1 < end && stop[1] == 0) ++stop;
                text = stop + 1;
                closed = true;
                break;
            }
            record.strings.emplace_back(reinterpret_cast<const char*>(text), static_cast<size_t>(stop - text));
            text = stop + 1;
        }
        if (type == SYSTEM_RECORD && !systemSeen) {
            systemSeen = true;
            identity.manufacturer = record.Text(SYSTEM_MANUFACTURER);
            identity.model = record.Text(SYSTEM_PRODUCT);
            identity.serialNumber = record.Text(SYSTEM_SERIAL);
        } else if (type == ENCLOSURE_RECORD && !enclosureSeen) {
            enclosureSeen = true;
            identity.assetTag = record.Text(ENCLOSURE_ASSET_TAG);
        }
        if (!closed || type == END_OF_TABLE) break;
        at = text;
    }
    return identity;
}

FirmwareIdentity QueryFirmwareIdentity()
{
    using GetTableProc = UINT(WINAPI*)(DWORD, DWORD, PVOID, DWORD);
    static const auto getTable = SystemLibraryFunction<GetTableProc>("kernel32.dll", "GetSystemFirmwareTable");
    constexpr DWORD RAW_SMBIOS = 'R' << 24 | 'S' << 16 | 'M' << 8 | 'B';
    if (!getTable) return {};
    // The table can change between asking for its size and reading it: ask again then.
    for (int attempt = 0; attempt < 4; ++attempt) {
        const UINT size = getTable(RAW_SMBIOS, 0, nullptr, 0);
        if (size == 0) return {};
        std::vector<uint8_t> table(size);
        const UINT read = getTable(RAW_SMBIOS, 0, table.data(), size);
        if (read == 0) return {};
        if (read <= size) return ParseFirmwareTable(table.data(), read);
    }
    return {};
}
