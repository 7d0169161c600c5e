#pragma once
// The default browser: where it may be named (a pure function of a registry reader),
// and the live search for the first of those places that names one.

#include <string>
#include <vector>

#include "sysinfo/RegistryKey.h"

// The executable of a shell open command: the quoted path, or the text before
// the first blank; empty for a quoted path without its closing quote.
std::string ExecutableFromCommand(const std::string& command);

// One place the default browser may be named: an executable, or for a packaged
// app only its name (as stored: "@" names are resolved by the caller).
struct BrowserCandidate {
    std::string executable;
    std::string appName;
};
// Where to look, in order: the user's choice for https, then http (UserChoiceLatest,
// then UserChoice) through its ProgId's open command (per-user classes first), the
// system's executable for https (assocExecutable, as AssocQueryString gives it),
// and the class of ".htm".
std::vector<BrowserCandidate> DefaultBrowserCandidates(const RegistryReader& registry,
                                                       const std::string& assocExecutable);

// The browser found: its description and file version, from its version resource
// (a packaged app: its name only).
struct BrowserInfo {
    std::string description;      // "FileDescription"
    std::string fileVersionText;  // "FileVersion"
};

// True when the default browser's executable was found and its version read;
// the record is untouched otherwise.
bool GetDefaultBrowserInfo(BrowserInfo& info);
