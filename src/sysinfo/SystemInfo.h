#pragma once
// The system's version as the naming rules of OsNaming take it, and the rule that
// keeps every caption value on one line.

#include <windows.h>

#include <string>

#include "sysinfo/OsNaming.h"

// The real system.
OsVersionRecord QueryOsVersion();
// Every control character (below 0x20, and DEL) replaced by a blank.
std::string WithoutControlCharacters(std::string text);

