#pragma once
// String-table texts of the program's resources.

#include <windows.h>

#include <string>

#include "win/WinApp.h"

// The text of string `id`, whole whatever its length; empty when there is none.
std::string LoadResourceText(UINT id, HINSTANCE module = WinApp::ResourceModule());
