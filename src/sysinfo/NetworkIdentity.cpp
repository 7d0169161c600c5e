#include "sysinfo/NetworkIdentity.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <iphlpapi.h>

#include <cstdio>
#include <cstddef>
#include <cstring>
#include <utility>

#include "win/Handles.h"
#include "win/SystemLibrary.h"

std::string FormatAddress(const IPv4Address& address)
{
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", address[0], address[1], address[2], address[3]);
    return text;
}

std::string FormatAddress(const IPv6Address& address)
{
    unsigned groups[8];
    for (int i = 0; i < 8; ++i) groups[i] = static_cast<unsigned>(address[2 * i] << 8 | address[2 * i + 1]);
    // The longest run of two or more zero groups (the first of equal ones) becomes "::".
    int bestStart = -1, bestLength = 1;
    for (int i = 0; i < 8;) {
        int length = 0;
        while (i + length < 8 && groups[i + length] == 0) ++length;
        if (length > bestLength) {
            bestStart = i;
            bestLength = length;
        }
        i += length ? length : 1;
    }
    std::string text;
    for (int i = 0; i < 8; ++i) {
        if (i == bestStart) {
            text += "::";
            i += bestLength - 1;
            continue;
        }
        if (!text.empty() && text.back() != ':') text += ':';
        char group[8];
        std::snprintf(group, sizeof group, "%x", groups[i]);
        text += group;
    }
    return text;
}

namespace {

bool Shown(const IPv4Address& address)
{
    const bool linkLocal = address[0] == 169 && address[1] == 254;
    return !linkLocal && address[0] != 127 && address[0] != 0;
}

bool Shown(const IPv6Address& address)
{
    const bool linkLocal = address[0] == 0xFE && (address[1] & 0xC0) == 0x80;
    const bool multicast = address[0] == 0xFF;
    IPv6Address loopback = {};
    loopback[15] = 1;
    return !linkLocal && !multicast && address != loopback && address != IPv6Address{};
}

bool Counted(const AdapterRecord& adapter) { return adapter.up && !adapter.loopback && !adapter.tunnel; }

// The adapters and their addresses that the address line shows: IPv4 ones, or only
// when there is none, IPv6 ones.
template <typename Address>
std::vector<std::pair<const AdapterRecord*, std::string>> Collect(const std::vector<AdapterRecord>& adapters,
                                                                  std::vector<Address> AdapterRecord::*addresses)
{
    std::vector<std::pair<const AdapterRecord*, std::string>> shown;
    for (const AdapterRecord& adapter : adapters) {
        if (!Counted(adapter)) continue;
        for (const Address& address : adapter.*addresses)
            if (Shown(address)) shown.emplace_back(&adapter, FormatAddress(address));
    }
    return shown;
}

std::vector<std::pair<const AdapterRecord*, std::string>> ShownAddresses(const std::vector<AdapterRecord>& adapters)
{
    auto shown = Collect(adapters, &AdapterRecord::ipv4);
    return shown.empty() ? Collect(adapters, &AdapterRecord::ipv6) : shown;
}

void AddOnce(std::vector<std::string>& items, const std::string& item)
{
    for (const std::string& present : items)
        if (present == item) return;
    items.push_back(item);
}

// The addresses of one list of the adapters that are up, each once.
template <typename Address>
void AddServers(std::vector<std::string>& servers, const std::vector<AdapterRecord>& adapters,
                std::vector<Address> AdapterRecord::*list)
{
    for (const AdapterRecord& adapter : adapters)
        if (adapter.up && !adapter.loopback)
            for (const Address& address : adapter.*list)
                if (address != Address{}) AddOnce(servers, FormatAddress(address));
}

std::string ServersText(const std::vector<AdapterRecord>& adapters, std::vector<IPv4Address> AdapterRecord::*v4,
                        std::vector<IPv6Address> AdapterRecord::*v6)
{
    std::vector<std::string> servers;
    AddServers(servers, adapters, v4);
    AddServers(servers, adapters, v6);
    return ShownListText(servers);
}

void AddAddress(const SOCKET_ADDRESS& socketAddress, std::vector<IPv4Address>& ipv4, std::vector<IPv6Address>& ipv6)
{
    const SOCKADDR* address = socketAddress.lpSockaddr;
    if (!address) return;
    if (address->sa_family == AF_INET && socketAddress.iSockaddrLength >= static_cast<INT>(sizeof(sockaddr_in))) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(&reinterpret_cast<const sockaddr_in*>(address)->sin_addr);
        ipv4.push_back({bytes[0], bytes[1], bytes[2], bytes[3]});
    } else if (address->sa_family == AF_INET6 && socketAddress.iSockaddrLength >= static_cast<INT>(sizeof(sockaddr_in6))) {
        IPv6Address bytes;
        std::memcpy(bytes.data(), &reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr, bytes.size());
        ipv6.push_back(bytes);
    }
}

}  // namespace

std::string ShownListText(const std::vector<std::string>& items)
{
    std::string text;
    for (size_t i = 0; i < items.size() && i <= MAX_SHOWN_ADDRESSES; ++i)
        text += (i ? ", " : "") + (i < MAX_SHOWN_ADDRESSES ? items[i] : std::string("..."));
    return text;
}

std::string AddressesText(const std::vector<AdapterRecord>& adapters)
{
    std::vector<std::string> shown;
    for (const auto& address : ShownAddresses(adapters)) shown.push_back(address.second);
    return ShownListText(shown);
}

std::string PhysicalAddressesText(const std::vector<AdapterRecord>& adapters)
{
    std::vector<std::string> shown;
    for (const auto& address : ShownAddresses(adapters)) {
        std::string text;
        for (uint8_t octet : address.first->physicalAddress) {
            char hex[4];
            std::snprintf(hex, sizeof hex, text.empty() ? "%02X" : "-%02X", octet);
            text += hex;
        }
        if (!text.empty()) AddOnce(shown, text);
    }
    return ShownListText(shown);
}

std::string GatewaysText(const std::vector<AdapterRecord>& adapters)
{
    return ServersText(adapters, &AdapterRecord::gateways4, &AdapterRecord::gateways6);
}

std::string DnsServersText(const std::vector<AdapterRecord>& adapters)
{
    return ServersText(adapters, &AdapterRecord::dnsServers4, &AdapterRecord::dnsServers6);
}

std::vector<AdapterRecord> QueryAdapters()
{
    using GetAdaptersAddressesProc = ULONG(WINAPI*)(ULONG, ULONG, void*, IP_ADAPTER_ADDRESSES*, ULONG*);
    static const auto getAdapters =
        SystemLibraryFunction<GetAdaptersAddressesProc>("iphlpapi.dll", "GetAdaptersAddresses");
    std::vector<AdapterRecord> adapters;
    if (!getAdapters) return adapters;
    const ULONG flags = GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_FRIENDLY_NAME |
                        GAA_FLAG_INCLUDE_GATEWAYS;
    // The list can grow between asking for its size and reading it: ask again then.
    // 64-bit elements: the records it writes need that alignment.
    std::vector<uint64_t> buffer;
    ULONG size = 16 * 1024;
    ULONG result = ERROR_BUFFER_OVERFLOW;
    for (int attempt = 0; attempt < 4 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
        buffer.assign((size + sizeof(uint64_t) - 1) / sizeof(uint64_t), 0);
        result = getAdapters(AF_UNSPEC, flags, nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
    }
    if (result != NO_ERROR) return adapters;
    for (auto* adapter = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()); adapter; adapter = adapter->Next) {
        AdapterRecord record;
        record.up = adapter->OperStatus == IfOperStatusUp;
        record.loopback = adapter->IfType == IF_TYPE_SOFTWARE_LOOPBACK;
        record.tunnel = adapter->IfType == IF_TYPE_TUNNEL;
        for (auto* unicast = adapter->FirstUnicastAddress; unicast; unicast = unicast->Next)
            AddAddress(unicast->Address, record.ipv4, record.ipv6);
        const ULONG physicalLength = adapter->PhysicalAddressLength;
        if (physicalLength <= MAX_ADAPTER_ADDRESS_LENGTH)
            record.physicalAddress.assign(adapter->PhysicalAddress, adapter->PhysicalAddress + physicalLength);
        for (auto* dns = adapter->FirstDnsServerAddress; dns; dns = dns->Next)
            AddAddress(dns->Address, record.dnsServers4, record.dnsServers6);
        // Only systems from Vista on have the gateway list in their records.
        if (adapter->Length >= offsetof(IP_ADAPTER_ADDRESSES, FirstGatewayAddress) + sizeof adapter->FirstGatewayAddress)
            for (auto* gateway = adapter->FirstGatewayAddress; gateway; gateway = gateway->Next)
                AddAddress(gateway->Address, record.gateways4, record.gateways6);
        adapters.push_back(std::move(record));
    }
    return adapters;
}

std::string SignedInUser()
{
    using GetUserNameExProc = BOOLEAN(WINAPI*)(int, LPSTR, PULONG);
    constexpr int NAME_SAM_COMPATIBLE = 2;
    static const auto getUserNameEx = SystemLibraryFunction<GetUserNameExProc>("secur32.dll", "GetUserNameExA");
    char name[512] = "";
    ULONG length = sizeof name;
    if (getUserNameEx && getUserNameEx(NAME_SAM_COMPATIBLE, name, &length) && name[0]) return name;

    // Without it: the account of the process's token, as the system names it.
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) return std::string();
    const KernelHandle token(opened);
    DWORD size = 0;
    GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    std::vector<char> information(size ? size : 1);
    if (!GetTokenInformation(token.Get(), TokenUser, information.data(), size, &size)) return std::string();
    char account[256] = "", domain[256] = "";
    DWORD accountLength = sizeof account, domainLength = sizeof domain;
    SID_NAME_USE use;
    if (!LookupAccountSidA(nullptr, reinterpret_cast<TOKEN_USER*>(information.data())->User.Sid, account,
                           &accountLength, domain, &domainLength, &use))
        return std::string();
    if (!domain[0]) {
        DWORD computerLength = sizeof domain;
        GetComputerNameA(domain, &computerLength);
    }
    return std::string(domain) + "\\" + account;
}
