#pragma once
// The switches of unattended runs: /refresh, /save FILE, /info ("/" or "-", any case).

#include <string>
#include <vector>

struct CommandLine {
    enum class Mode { Window, Refresh, Save, Info, Invalid };
    Mode mode = Mode::Window;
    std::string file;   // with Save
    std::wstring wideFile;  // with Save: the same as the user typed it, when known
    std::string error;  // with Invalid: what was wrong
};

// args excludes the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

extern const char* const USAGE_TEXT;
