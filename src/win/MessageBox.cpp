#include "win/MessageBox.h"

#include "win/SystemPaths.h"

namespace {

MessageBoxHandler& Handler()
{
    static MessageBoxHandler handler;
    return handler;
}

}  // namespace

std::string ApplicationTitle() { return WithoutExtension(FileNameOf(ExecutablePath())); }

int ShowMessage(HWND owner, const std::string& text, UINT type)
{
    type |= MB_ICONWARNING;
    const std::string caption = ApplicationTitle();
    if (Handler()) return Handler()(owner, text, caption, type);
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

int ShowStringMessage(HWND owner, UINT stringId, UINT type) { return ShowMessage(owner, LoadResourceText(stringId), type); }

int ShowStringMessage(HWND owner, UINT stringId, const std::vector<std::string>& values, UINT type)
{
    return ShowMessage(owner, FillPlaceholders(LoadResourceText(stringId), values), type);
}

void SetMessageBoxHandler(MessageBoxHandler handler) { Handler() = std::move(handler); }
