#pragma once
// Keeps the stored settings between runs in INI profile files: a local copy in
// the Windows directory (or, for a user who cannot write there, in the user's own
// folder) and a master copy beside the executable.

#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "settings/WallpaperSettings.h"
#include "sysinfo/RegistryKey.h"

// The settings an administrator set by policy: "Section\Key" of every value taken from
// HKLM or HKCU\SOFTWARE\Policies\Murvex. The window does not let them change, and no
// save writes them into a settings file as if they were the user's choice.
class PolicyRecord {
public:
    void Add(const std::string& section, const std::string& key) { keys_.insert(section + "\\" + key); }
    bool Has(const std::string& section, const std::string& key) const { return keys_.count(section + "\\" + key) != 0; }
    bool HasSection(const std::string& section) const;
    size_t Count() const { return keys_.size(); }

private:
    std::set<std::string> keys_;
};

// The policy keys: one subkey per section, one value per settings key.
constexpr char POLICY_KEY[] = "SOFTWARE\\Policies\\Murvex";

// One pass over the stored list: reset to defaults, load from a file, save to it, or
// load the values a policy key holds (a load in every other respect: the same bounds).
class SettingsExchange {
public:
    enum class Mode { Reset, Load, Save, Policy };

    SettingsExchange(Mode mode, std::string file) : mode_(mode), file_(std::move(file)) {}
    // A policy pass over HKLM or HKCU, noting in `record` what it takes.
    SettingsExchange(HKEY policyRoot, PolicyRecord& record)
        : mode_(Mode::Policy), policyRoot_(policyRoot), record_(&record) {}
    // A save that leaves out what `skipped` names.
    void SkipInSave(const PolicyRecord* skipped) { skipped_ = skipped; }

    bool IsLoad() const { return mode_ == Mode::Load || mode_ == Mode::Policy; }
    bool IsPolicy() const { return mode_ == Mode::Policy; }
    // "Section\Key" of every value the pass went over, in order.
    const std::vector<std::string>& Keys() const { return keys_; }
    bool IsSave() const { return mode_ == Mode::Save; }

    void SetSection(const char* name);
    // The first error a write in this pass met; ERROR_SUCCESS while none failed.
    DWORD WriteError() const { return writeError_; }

    // Flags, integers, unsigned integers and colours: decimal text as "%d" writes it.
    void ExchangeInt(const char* key, int32_t& field, int32_t defaultValue);
    template <typename T, typename = std::enable_if_t<std::is_integral_v<T> && sizeof(T) == 4 &&
                                                      !std::is_same_v<T, int32_t>>>
    void ExchangeInt(const char* key, T& field, T defaultValue)
    {
        int32_t value = static_cast<int32_t>(field);
        ExchangeInt(key, value, static_cast<int32_t>(defaultValue));
        field = static_cast<T>(value);
    }

    // Escaped text, read up to maxStored characters of its stored form (never cut inside
    // an escape); without a default an empty field is removed from the file.
    void ExchangeString(const char* key, std::string& field, const char* defaultValue, size_t maxStored,
                        size_t maxLength = std::string::npos);

    // Text as a person types it into the file (no escapes: "%ProgramFiles%" stays as it
    // is), read up to maxLength characters; control characters cannot be stored and are
    // written as blanks, and an empty field is removed from the file.
    void ExchangePlainText(const char* key, std::string& field, size_t maxLength);

    // A fixed-size block of bytes; without a default it is always written.
    void ExchangeBinary(const char* key, void* field, size_t length, const void* defaultValue);

    // A variable-length array of 32-bit values, written as a block; no default. False
    // when a policy pass found none (the array is then untouched).
    bool ExchangeDWordArray(const char* key, std::vector<uint32_t>& array);

private:
    std::string ReadValue(const char* key, size_t limit) const;
    void WriteValue(const char* key, const char* value) const;
    // The policy's value of the key when it has one of the type (REG_SZ also takes
    // REG_EXPAND_SZ, unexpanded, and REG_MULTI_SZ, its strings as lines), noted as taken;
    // at most limit bytes are kept.
    bool ReadPolicy(const char* key, DWORD type, std::vector<uint8_t>& data, size_t limit);
    bool ReadPolicyText(const char* key, std::string& text, size_t limit);
    // Own lines set by policy replace the file's wholly: none of the file's is touched.
    bool Skipped(const char* key) const
    {
        return skipped_ && (skipped_->Has(section_, key) || (section_ == "Custom" && skipped_->HasSection(section_)));
    }
    void Note(const char* key) { keys_.push_back(section_ + "\\" + key); }

    Mode mode_;
    std::string file_;
    std::string section_ = "General";
    mutable DWORD writeError_ = ERROR_SUCCESS;
    HKEY policyRoot_ = nullptr;
    RegistryKey policySection_;  // the current section's policy key, in a policy pass
    PolicyRecord* record_ = nullptr;
    const PolicyRecord* skipped_ = nullptr;
    std::vector<std::string> keys_;
};

// Walks the one stored list, in its order, through the exchange operations.
void ExchangeStoredList(SettingsExchange& exchange, const SettingsSlices& settings);

// Longest stored text read back, in its escaped form; a longer value is cut.
constexpr size_t MAX_STORED_TEXT = 4095;
// The notes are read back whole: the longest notes the box takes, every character
// escaped ("%0d" is three characters for one). Longer notes (made by hand) are cut
// to what the box takes.
constexpr size_t MAX_STORED_NOTES_TEXT = 3 * MAX_NOTES_LENGTH;

struct ProfilePaths {
    std::string local;   // in the Windows directory
    std::string master;  // beside the executable
    std::string user;    // in the user's own folder; empty when it is not known
};

// "<exe name without extension>.INI" in each folder.
ProfilePaths MakeProfilePaths(const std::string& exePath, const std::string& windowsDirectory,
                              const std::string& userFolder);
// The same for this process.
ProfilePaths CurrentProfilePaths();

// Start-up: every stored setting at its default (the default font computed for the
// screen), then the user's local file over them, else the local file in the
// Windows directory, else the master file; then the user's policy values over them
// and the machine's over those. Returns what the policies set.
PolicyRecord LoadStartupSettings(WallpaperSettings& settings, const ProfilePaths& paths = CurrentProfilePaths());

class SettingsStore {
public:
    SettingsStore(SettingsSlices settings, ProfilePaths paths)
        : settings_(settings), paths_(std::move(paths)) {}

    void ResetSettings();
    void LoadSettings(const std::string& file);
    // False when any value could not be written; LastWriteError() says why.
    bool StoreSettings(const std::string& file);

    // The first local file that exists (the user's, then the Windows directory's; its
    // content is not inspected), else the master file; then the policies.
    void LoadAtStartup();
    // The user's policy values, then the machine's (which win); reading only.
    void LoadPolicies();
    const PolicyRecord& Policies() const { return policies_; }
    void SetPolicies(const PolicyRecord& policies) { policies_ = policies; }
    // Into the Windows directory; where this user may not write there, into the user's
    // own folder instead. A copy of the user's own that would win at the next start
    // goes once the Windows directory holds the settings.
    // False also when the settings were saved to the Windows directory but the user's
    // own older copy could not be removed (StaleCopyKept(); LastWritePath() names it).
    bool SaveLocalSettings();
    bool SaveMasterSettings() { return StoreSettings(paths_.master); }

    const ProfilePaths& Paths() const { return paths_; }
    // The file of the last save and, when it failed, why.
    const std::string& LastWritePath() const { return lastWritePath_; }
    DWORD LastWriteError() const { return lastWriteError_; }
    bool StaleCopyKept() const { return staleCopyKept_; }

private:
    DWORD RunPass(SettingsExchange::Mode mode, const std::string& file);

    SettingsSlices settings_;
    ProfilePaths paths_;
    PolicyRecord policies_;
    std::string lastWritePath_;
    DWORD lastWriteError_ = ERROR_SUCCESS;
    bool staleCopyKept_ = false;
};
