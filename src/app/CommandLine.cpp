#include "app/CommandLine.h"

#include <windows.h>

const char* const USAGE_TEXT =
    "Usage: Murvex32 [/refresh | /save FILE | /info | /install [all] | /uninstall [all] | /lockscreen [off]]\r\n"
    "  /refresh         write the wallpaper to the Windows directory and install it as the settings say\r\n"
    "  /save FILE       write the wallpaper to FILE only\r\n"
    "  /info            print the identifying values\r\n"
    "  /install [all]   refresh the wallpaper at every logon of this user (all: of every user)\r\n"
    "  /uninstall [all] no longer refresh it at logon\r\n"
    "  /lockscreen      show the machine's values on the lock and sign-in screens (off: no longer)\r\n"
    "Without a switch the window opens.\r\n";

namespace {

bool IsSwitch(const std::string& arg, const char* name)
{
    return arg.size() > 1 && (arg[0] == '/' || arg[0] == '-') && lstrcmpiA(arg.c_str() + 1, name) == 0;
}

CommandLine Invalid(const std::string& error)
{
    CommandLine line;
    line.mode = CommandLine::Mode::Invalid;
    line.error = error;
    return line;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args)
{
    CommandLine line;
    if (args.empty()) return line;
    const std::string& first = args[0];
    size_t expected = 1;
    if (IsSwitch(first, "refresh")) {
        line.mode = CommandLine::Mode::Refresh;
    } else if (IsSwitch(first, "info")) {
        line.mode = CommandLine::Mode::Info;
    } else if (IsSwitch(first, "install") || IsSwitch(first, "uninstall")) {
        line.mode = IsSwitch(first, "install") ? CommandLine::Mode::Install : CommandLine::Mode::Uninstall;
        line.allUsers = args.size() > 1 && lstrcmpiA(args[1].c_str(), "all") == 0;
        if (line.allUsers) expected = 2;
    } else if (IsSwitch(first, "lockscreen")) {
        line.mode = CommandLine::Mode::LockScreen;
        line.off = args.size() > 1 && lstrcmpiA(args[1].c_str(), "off") == 0;
        if (line.off) expected = 2;
    } else if (IsSwitch(first, "save")) {
        if (args.size() < 2 || args[1].empty()) return Invalid("/save needs the name of the file to write");
        line.mode = CommandLine::Mode::Save;
        line.file = args[1];
        expected = 2;
    } else {
        return Invalid("unknown switch: " + first);
    }
    if (args.size() > expected) return Invalid("unexpected argument: " + args[expected]);
    return line;
}
