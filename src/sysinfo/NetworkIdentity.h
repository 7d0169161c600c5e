#pragma once
// Who and where on the network: the machine's addresses and the signed-in user,
// the two questions support staff ask first. The address rules are a pure function
// over plain adapter records; thin functions feed them the real system.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using IPv4Address = std::array<uint8_t, 4>;
using IPv6Address = std::array<uint8_t, 16>;

// One network adapter as the address rules see it, its addresses in the system's order.
struct AdapterRecord {
    bool up = false;
    bool loopback = false;
    bool tunnel = false;
    std::vector<IPv4Address> ipv4;
    std::vector<IPv6Address> ipv6;
    std::vector<uint8_t> physicalAddress;
    std::vector<IPv4Address> gateways4, dnsServers4;
    std::vector<IPv6Address> gateways6, dnsServers6;
};

// "192.168.1.20"; "2001:db8::1" in the shortest form (RFC 5952).
std::string FormatAddress(const IPv4Address& address);
std::string FormatAddress(const IPv6Address& address);

// At most this many addresses are shown; "..." stands for the rest.
constexpr size_t MAX_SHOWN_ADDRESSES = 4;

// The addresses of adapters that are up and neither loopback nor tunnels: their IPv4
// addresses that are not link-local (169.254/16), in the adapters' order; only when
// there is none, their global IPv6 addresses (not link-local fe80::/10); joined with
// ", ", at most MAX_SHOWN_ADDRESSES, then "...". Empty without any.
std::string AddressesText(const std::vector<AdapterRecord>& adapters);
// The physical addresses ("02-FC-00-00-00-01") of the adapters whose addresses
// AddressesText shows, in the same order, the same way.
std::string PhysicalAddressesText(const std::vector<AdapterRecord>& adapters);
// The gateways, and the DNS servers, of the adapters that are up (not loopback):
// IPv4 first, each once, the same way.
std::string GatewaysText(const std::vector<AdapterRecord>& adapters);
std::string DnsServersText(const std::vector<AdapterRecord>& adapters);
// Items joined with ", ", at most MAX_SHOWN_ADDRESSES, then "..." for the rest.
std::string ShownListText(const std::vector<std::string>& items);

// The real adapters (iphlpapi.dll from the system folder; none when it cannot be had).
// Nothing here waits on the network.
std::vector<AdapterRecord> QueryAdapters();

// DOMAIN\name of the user this process runs as; the computer name stands for the
// domain of a local account. Empty when it cannot be had.
std::string SignedInUser();
