#pragma once
// The version resource of an executable file: its named strings in the file's first
// declared language. version.dll is loaded from the system folder when first needed.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class VersionInfo {
public:
    virtual ~VersionInfo() = default;

    // False when the file has no readable version resource; what an earlier
    // load read is kept then.
    bool Load(const std::string& path);

    // "FileVersion", "FileDescription" and the like; empty when absent.
    std::string QueryString(const std::string& name) const;

private:
    // Language id (low word) and code page (high word) of each translation.
    bool GetTranslations(std::vector<uint32_t>& translations) const;
    bool Query(const std::string& subBlock, const void** data, UINT* length) const;

    uint32_t translation_ = 0;
    std::vector<char> block_;
};
