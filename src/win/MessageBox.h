#pragma once
// Message boxes with the program's caption (the exe name without extension) and
// the warning icon. Tests may take the boxes over and answer them.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "win/ResourceText.h"

// "Murvex32" for Murvex32.exe.
std::string ApplicationTitle();

// Shows text with MB_ICONWARNING added to type; returns the button pressed.
int ShowMessage(HWND owner, const std::string& text, UINT type = MB_OK);
// The same with a string-table text.
int ShowStringMessage(HWND owner, UINT stringId, UINT type = MB_OK);
// The same with its %1, %2 ... filled from values.
int ShowStringMessage(HWND owner, UINT stringId, const std::vector<std::string>& values, UINT type = MB_OK);

using MessageBoxHandler = std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT type)>;
// Replaces the system's message box (for tests); an empty handler restores it.
void SetMessageBoxHandler(MessageBoxHandler handler);
