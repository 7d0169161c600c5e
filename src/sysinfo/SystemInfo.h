#pragma once
// The values that identify a machine on its wallpaper: machine name, OS name, OS
// version, locale, default browser and its version, network addresses and the
// signed-in user, read from the real system and named by the rules of OsNaming.

#include <windows.h>

#include <string>

#include "sysinfo/OsNaming.h"

struct CaptionValues {
    std::string machineName;
    std::string osName;
    std::string osVersion;
    std::string locale;
    std::string browser;
    std::string browserVersion;
    std::string ipAddress;  // the machine's addresses, ", " between them
    std::string user;       // DOMAIN\name of the user this process runs as
};

// The real system.
OsVersionRecord QueryOsVersion();
// Every control character (below 0x20, and DEL) replaced by a blank.
std::string WithoutControlCharacters(std::string text);

// Fills the values, each without control characters; browser values keep what they
// held when no browser is found.
void CollectCaptionValues(CaptionValues& values, HINSTANCE resources = GetModuleHandleA(nullptr));
