#pragma once
// How Windows names itself: pure functions of a version record and a registry reader,
// so every rule can be checked without the Windows version it names.

#include <windows.h>

#include <string>

#include "sysinfo/RegistryKey.h"

// What the system reports of its version: GetVersionExA's fields, with the numbers
// and product type that RtlGetVersion gives (the truth, whatever a manifest or a
// compatibility shim makes GetVersionExA say), and for NT 6.0 on the product.
struct OsVersionRecord {
    bool valid = false;  // the basic query succeeded
    DWORD major = 0, minor = 0, build = 0, platformId = 0;
    std::string csdVersion;
    bool extendedValid = false;  // the extended query succeeded (NT only)
    WORD suiteMask = 0;
    BYTE productType = 0;
    DWORD product = 0;          // GetProductInfo's product type; 0 when unknown
    bool hasUpdateRevision = false;  // "UBR", from 10.0 on
    DWORD updateRevision = 0;
    std::string displayVersion;  // "DisplayVersion" ("23H2"), from 10.0 on
};

// The edition GetProductInfo's product type names for this version ("Pro",
// "Datacenter"); empty for an unknown or unlicensed product.
std::string EditionName(DWORD product, DWORD major, DWORD minor);


int PlatformIdFrom(const OsVersionRecord& record);  // -1 when the query failed
bool OsVersionNumbersFrom(const OsVersionRecord& record, DWORD& major, DWORD* minor, DWORD* build);
// "Microsoft Windows NT" and the like: the family alone; empty when unknown.
std::string OsFamilyNameFrom(const OsVersionRecord& record);
// "Microsoft " and the system's name with its edition; empty when unknown.
std::string OsNameFrom(const OsVersionRecord& record, const RegistryReader& registry);
std::string ServicePackFrom(const OsVersionRecord& record, const RegistryReader& registry);

// Caption texts. unknownVersion is string 1016 ("... %1"), unknownSystem 1017,
// versionFormat 1008 ("Version %1.%2 (Build %3%4)").
std::string OsNameCaption(const OsVersionRecord& record, const RegistryReader& registry,
                          const std::string& unknownVersion, const std::string& unknownSystem);
std::string OsVersionCaption(const OsVersionRecord& record, const RegistryReader& registry,
                             const std::string& versionFormat);
std::string LocaleCaption(const std::string& language, const std::string& country);
