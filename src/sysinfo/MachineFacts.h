#pragma once
// The values of the built-in caption items, read from the system's own interfaces:
// nothing here runs a query language, looks a name up or waits on the network or a
// slow drive. Sources that give several values (the adapters, the firmware's table,
// the version) are read once per MachineFacts. The text rules are plain functions.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "captions/CaptionItems.h"
#include "sysinfo/BrowserDiscovery.h"
#include "sysinfo/FirmwareTable.h"
#include "sysinfo/NetworkIdentity.h"
#include "sysinfo/OsNaming.h"

class MachineFacts {
public:
    explicit MachineFacts(HINSTANCE resources = GetModuleHandleA(nullptr)) : resources_(resources) {}

    // One per built-in item (the gatherers of CAPTION_ITEMS).
    static std::string MachineName(MachineFacts& facts);
    static std::string OsName(MachineFacts& facts);
    static std::string OsVersion(MachineFacts& facts);
    static std::string Locale(MachineFacts& facts);
    static std::string Browser(MachineFacts& facts);
    static std::string BrowserVersion(MachineFacts& facts);
    static std::string IpAddresses(MachineFacts& facts);
    static std::string User(MachineFacts& facts);
    static std::string Domain(MachineFacts& facts);
    static std::string LogonServer(MachineFacts& facts);
    static std::string BootTime(MachineFacts& facts);
    static std::string Processor(MachineFacts& facts);
    static std::string Memory(MachineFacts& facts);
    static std::string SystemType(MachineFacts& facts);
    static std::string FreeSpace(MachineFacts& facts);
    static std::string MacAddresses(MachineFacts& facts);
    static std::string Gateways(MachineFacts& facts);
    static std::string DnsServers(MachineFacts& facts);
    static std::string Manufacturer(MachineFacts& facts);
    static std::string Model(MachineFacts& facts);
    static std::string SerialNumber(MachineFacts& facts);
    static std::string AssetTag(MachineFacts& facts);
    static std::string Updated(MachineFacts& facts);

private:
    const OsVersionRecord& Os();
    const std::optional<BrowserInfo>& DefaultBrowser();
    const std::vector<AdapterRecord>& Adapters();
    const FirmwareIdentity& Firmware();

    HINSTANCE resources_;
    std::optional<OsVersionRecord> os_;
    std::optional<std::optional<BrowserInfo>> browser_;
    std::optional<std::vector<AdapterRecord>> adapters_;
    std::optional<FirmwareIdentity> firmware_;
};

// Every item's value and every custom line's, each without control characters.
CaptionValues CollectCaptionValues(const std::vector<CustomLine>& custom,
                                   HINSTANCE resources = GetModuleHandleA(nullptr));

// "23.5 GB" (of 2^30 bytes, one decimal); under 1 GB in whole MB ("512 MB").
std::string SizeText(uint64_t bytes);
// "2026-12-08 09:05".
std::string MinuteText(const SYSTEMTIME& time);
// The local time of the moment `milliseconds` before `nowUtc`, as MinuteText gives it.
std::string LocalMinuteBefore(const FILETIME& nowUtc, uint64_t milliseconds);
// The name with runs of blanks made one and the ends trimmed, then " (N logical
// processors)" ("processor" for one).
std::string ProcessorText(const std::string& name, unsigned count);
// "x64", "x86", "ARM64", "ARM", "Itanium" for a PROCESSOR_ARCHITECTURE_ value; "" else.
std::string SystemTypeText(WORD architecture);
// A fixed drive's space free to this user and its size.
struct DriveSpace {
    char letter;
    uint64_t free;
    uint64_t total;
};
// "C: 75.3 GB free of 252.0 GB", ", " between, at most MAX_SHOWN_ADDRESSES then "...".
std::string FreeSpaceText(const std::vector<DriveSpace>& drives);
// The DNS domain when there is one; else the joined domain, or a workgroup's name with
// " (workgroup)".
std::string DomainText(const std::string& dnsDomain, const std::string& joinName, bool workgroup);
// LOGONSERVER without its leading backslashes.
std::string LogonServerText(const std::string& variable);
