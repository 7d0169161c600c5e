#pragma once
// String-table texts of the program's resources.

#include <windows.h>

#include <string>
#include <vector>

#include "win/WinApp.h"

// The text of string `id`, whole whatever its length; empty when there is none.
std::string LoadResourceText(UINT id, HINSTANCE module = WinApp::ResourceModule());

// The text with %1, %2 ... replaced by the values in order; a value's own "%" stays as it is.
std::string FillPlaceholders(const std::string& text, const std::vector<std::string>& values);
