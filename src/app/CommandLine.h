#pragma once
// The switches of unattended runs: /refresh, /save FILE, /info, /install [all],
// /uninstall [all] and /lockscreen [off] ("/" or "-", any case).

#include <string>
#include <vector>

struct CommandLine {
    enum class Mode { Window, Refresh, Save, Info, Install, Uninstall, LockScreen, Invalid };
    Mode mode = Mode::Window;
    bool allUsers = false;  // with Install and Uninstall: every user of the machine
    bool off = false;       // with LockScreen: remove what it set
    std::string file;   // with Save
    std::wstring wideFile;  // with Save: the same as the user typed it, when known
    std::string error;  // with Invalid: what was wrong
};

// args excludes the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

extern const char* const USAGE_TEXT;
