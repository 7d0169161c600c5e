#include "win/MessageBox.h"

#include "win/WinApp.h"

namespace {

MessageBoxHandler& Handler()
{
    static MessageBoxHandler handler;
    return handler;
}

}  // namespace

std::string ApplicationTitle()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path);
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.resize(dot);
    return name;
}

int ShowMessage(HWND owner, const std::string& text, UINT type)
{
    type |= MB_ICONWARNING;
    const std::string caption = ApplicationTitle();
    if (Handler()) return Handler()(owner, text, caption, type);
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

int ShowStringMessage(HWND owner, UINT stringId, UINT type) { return ShowMessage(owner, LoadResourceText(stringId), type); }

void SetMessageBoxHandler(MessageBoxHandler handler) { Handler() = std::move(handler); }
