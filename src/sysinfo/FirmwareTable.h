#pragma once
// What the firmware says of the machine: the system record (SMBIOS type 1) and the
// enclosure record (type 3) of the table GetSystemFirmwareTable gives ('RSMB').
// The parser trusts nothing in the table: every length is checked against the
// buffer, and a truncated or lying table gives what could be read before the fault.

#include <cstddef>
#include <cstdint>
#include <string>

struct FirmwareIdentity {
    std::string manufacturer;
    std::string model;
    std::string serialNumber;
    std::string assetTag;
};

// The raw table as GetSystemFirmwareTable returns it: an 8-byte header (calling
// method, version, length of the structures) then the structures.
FirmwareIdentity ParseFirmwareTable(const uint8_t* data, size_t size);

// The texts makers leave in place of a value ("To Be Filled By O.E.M.", "Default
// string", "System Serial Number", "Not Specified", "None", all zeros, all blanks...).
bool IsPlaceholderText(const std::string& text);

// The system's table, read now; none on systems without it.
FirmwareIdentity QueryFirmwareIdentity();
