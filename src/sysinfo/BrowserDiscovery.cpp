#include "sysinfo/BrowserDiscovery.h"

#include <shlwapi.h>

#include "sysinfo/RegistryKey.h"
#include "sysinfo/VersionInfo.h"

std::string ExecutableFromCommand(const std::string& command)
{
    if (!command.empty() && command[0] == '"') {
        const size_t closing = command.find('"', 2);
        return closing == std::string::npos ? std::string() : command.substr(1, closing - 1);
    }
    return command.substr(0, command.find(' '));
}

std::vector<BrowserCandidate> DefaultBrowserCandidates(const RegistryReader& registry,
                                                       const std::string& assocExecutable)
{
    std::vector<BrowserCandidate> candidates;
    const char* const associations = "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\";
    for (const char* protocol : {"https", "http"}) {
        for (const char* choice : {"\\UserChoiceLatest\\ProgId", "\\UserChoice"}) {
            const std::string progId =
                registry(HKEY_CURRENT_USER, associations + std::string(protocol) + choice, "ProgId").value_or("");
            if (progId.empty()) continue;
            // Per-user classes first: HKEY_CLASSES_ROOT does not always merge them in.
            std::string command = registry(HKEY_CURRENT_USER, "Software\\Classes\\" + progId + "\\shell\\open\\command", "")
                                      .value_or("");
            if (command.empty()) command = registry(HKEY_CLASSES_ROOT, progId + "\\shell\\open\\command", "").value_or("");
            const std::string executable = ExecutableFromCommand(command);
            if (!executable.empty()) {
                candidates.push_back({executable, ""});
                continue;
            }
            std::string appName =
                registry(HKEY_CURRENT_USER, "Software\\Classes\\" + progId + "\\Application", "ApplicationName").value_or("");
            if (appName.empty()) appName = registry(HKEY_CLASSES_ROOT, progId + "\\Application", "ApplicationName").value_or("");
            if (!appName.empty()) candidates.push_back({"", appName});
        }
    }
    if (!assocExecutable.empty()) candidates.push_back({assocExecutable, ""});
    const std::string documentClass = registry(HKEY_CLASSES_ROOT, ".htm", "").value_or("");
    if (!documentClass.empty()) {
        const std::string command = registry(HKEY_CLASSES_ROOT, documentClass + "\\shell\\open\\command", "").value_or("");
        if (command.size() >= 2) candidates.push_back({ExecutableFromCommand(command), ""});
    }
    return candidates;
}

namespace {

std::string AssocExecutable(const char* protocol)
{
    char path[MAX_PATH * 2] = "";
    DWORD length = sizeof path;
    constexpr auto isProtocol = static_cast<ASSOCF>(0x1000);  // ASSOCF_IS_PROTOCOL, Windows 8 headers on
    if (AssocQueryStringA(isProtocol, ASSOCSTR_EXECUTABLE, protocol, "open", path, &length) != S_OK)
        return std::string();
    return path;
}

// "@{Package...}" and "@file,-id" names as the shell shows them.
std::string ResolvedName(const std::string& name)
{
    if (name.empty() || name[0] != '@') return name;
    std::wstring source(name.size() + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, source.data(), static_cast<int>(source.size()));
    wchar_t resolved[512] = L"";
    if (SHLoadIndirectString(source.c_str(), resolved, 512, nullptr) != S_OK) return std::string();
    char text[1024] = "";
    WideCharToMultiByte(CP_ACP, 0, resolved, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

bool ReadBrowserVersion(const std::string& executable, BrowserInfo& found)
{
    VersionInfo version;
    if (!version.Load(executable)) return false;
    found.description = version.QueryString("FileDescription");
    found.fileVersionText = version.QueryString("FileVersion");
    return true;
}

}  // namespace

bool GetDefaultBrowserInfo(BrowserInfo& info)
{
    // The first place that names a browser with a version resource, or a packaged app by its name.
    for (const BrowserCandidate& candidate : DefaultBrowserCandidates(SystemRegistry(), AssocExecutable("https"))) {
        BrowserInfo found;
        if (!candidate.executable.empty()) {
            if (!ReadBrowserVersion(candidate.executable, found)) continue;
        } else {
            found.description = ResolvedName(candidate.appName);
            if (found.description.empty()) continue;
        }
        info = found;
        return true;
    }
    return false;
}
