#pragma once
// Folders and files of the system and of this process.

#include <windows.h>

#include <string>

// The Windows directory with a trailing backslash; empty when it cannot be had.
std::string WindowsDirectory();
// This user's own folder for Murvex's files on this machine, with a trailing
// backslash: "Murvex" in the local application data folder (not the roaming one: the
// wallpaper and the local settings belong to this machine). Empty when unknown; not
// made here.
std::string UserFolder();
// "Murvex" in the system's folder of that CSIDL, with a trailing backslash; empty when
// unknown; not made here.
std::string MurvexFolderIn(int csidl);
// Whether the path names a file (not a folder).
bool IsFile(const std::string& path);
// Makes a folder whose parent exists; true when it exists afterwards.
bool MakeFolder(const std::string& folder);
// Whether this user can make a file in the folder (tried with one deleted on close).
bool FolderWritable(const std::string& folder);
// Where wallpapers go: the Windows directory where this user can write there, else
// the user's own folder (made when needed). A wallpaper that shows values of this user
// (perUser) always goes to the user's own folder: on a shared machine another user's
// logon must never take it.
std::string WallpaperFolder(bool perUser = false);
// The full path of this process's executable, whatever its length.
std::string ExecutablePath();
// The part of a path up to and with its last backslash or slash ("" for a bare name).
std::string FolderOf(const std::string& path);
// The part of a path after its last backslash or slash.
std::string FileNameOf(const std::string& path);
// A file name's extension without its dot ("" for none), and the name without it.
std::string ExtensionOf(const std::string& name);
std::string WithoutExtension(const std::string& name);
// A file name (without folder) that Windows keeps for a device, with or without an
// extension, in any case: CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9. Opening
// one opens the device, never a file.
bool IsReservedDeviceName(const std::string& name);
// Windows drops the dots and blanks a file name ends in, so "trail." would be written as
// "trail": such a name left without an extension gets `extension` ("trail." becomes
// "trail.bmp"), and the file written is the file named. Other paths come back as given.
std::string WithoutTrailingDots(const std::string& path, const std::string& extension);
std::wstring WithoutTrailingDots(const std::wstring& path, const std::wstring& extension);
// The reason an error code gives, in words: the system's text without the line break it
// ends with; where the system has none, Murvex's own for the common failures of writing a
// file, else a sentence that names the code.
std::string SystemErrorText(DWORD error);
