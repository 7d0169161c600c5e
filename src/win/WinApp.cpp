#include "win/WinApp.h"

namespace {
WinApp* current = nullptr;
}

WinApp::WinApp() { current = this; }

WinApp::~WinApp()
{
    if (current == this) current = nullptr;
}

WinApp* WinApp::Current() { return current; }

HINSTANCE WinApp::ResourceModule() { return GetModuleHandleA(nullptr); }
