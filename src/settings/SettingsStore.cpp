#include "settings/SettingsStore.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "captions/CustomSource.h"
#include "settings/ProfileCodec.h"
#include "sysinfo/RegistryKey.h"
#include "sysinfo/SystemInfo.h"
#include "win/SystemPaths.h"

static_assert(sizeof(LOGFONTA) == 60, "the Font block is the 60-byte LOGFONTA");
static_assert(sizeof(COLORREF) == 4, "colours are stored as 32-bit values");

namespace {

// Blocks have no length limit of their own; this keeps a hostile file's value bounded.
constexpr size_t MAX_BLOCK_TEXT = 1u << 20;
// Every line's name in the order: 39 names of up to 12 characters and their commas.
constexpr size_t MAX_ORDER_TEXT = 512;
// A source names a registry value, a variable, a path or a text: room for the longest.
constexpr size_t MAX_CUSTOM_SOURCE = 2048;

// A value cut at the read limit may end inside an escape; drop that piece
// rather than turning it into a stray byte.
void DropCutEscape(std::string& text)
{
    const size_t n = text.size();
    if (n >= 1 && text[n - 1] == '%')
        text.resize(n - 1);
    else if (n >= 2 && text[n - 2] == '%')
        text.resize(n - 2);
}

// The [Custom] section: LabelN, SourceN and ShowN for N from 1. A number missing in a
// hand-written file leaves no gap: the lines are numbered again from 1 when saved.
void ExchangeCustomLines(SettingsExchange& exchange, CaptionSettings& captions)
{
    exchange.SetSection("Custom");
    std::vector<CustomLine> read;
    for (size_t number = 1; number <= MAX_CUSTOM_LINES; ++number) {
        const std::string suffix = std::to_string(number);
        CustomLine line;
        CustomLine* target = &line;
        if (exchange.IsSave())
            target = number <= captions.custom.size() ? &captions.custom[number - 1] : &line;  // the rest removed
        exchange.ExchangePlainText(("Label" + suffix).c_str(), target->label, MAX_CUSTOM_LABEL);
        exchange.ExchangePlainText(("Source" + suffix).c_str(), target->source, MAX_CUSTOM_SOURCE);
        exchange.ExchangeInt(("Show" + suffix).c_str(), target->shown, 1);
        if (exchange.IsLoad() && (!line.label.empty() || !line.source.empty())) {
            line.label = CustomLabelText(line.label);
            read.push_back(line);
        }
    }
    // A file's lines replace those before it; a policy's only where it sets any.
    if (!exchange.IsSave() && (!exchange.IsPolicy() || !read.empty())) captions.custom = std::move(read);
}

}  // namespace

std::string SettingsExchange::ReadValue(const char* key, size_t limit) const
{
    // GetPrivateProfileString reports a cut value as size - 1 characters.
    std::vector<char> buffer(limit < 4096 ? limit + 1 : 4096);
    for (;;) {
        const DWORD length = GetPrivateProfileStringA(section_.c_str(), key, "", buffer.data(),
                                                      static_cast<DWORD>(buffer.size()), file_.c_str());
        if (length + 1 < buffer.size() || buffer.size() > limit) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2 > limit + 1 ? limit + 1 : buffer.size() * 2);
    }
}

void SettingsExchange::WriteValue(const char* key, const char* value) const
{
    // A read-only file or folder, a share without rights, a file held open: the first
    // error is kept for the caller to report.
    if (!WritePrivateProfileStringA(section_.c_str(), key, value, file_.c_str()) && writeError_ == ERROR_SUCCESS) {
        const DWORD error = GetLastError();
        writeError_ = error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
    }
}

void SettingsExchange::ExchangeInt(const char* key, int32_t& field, int32_t defaultValue)
{
    Note(key);
    std::vector<uint8_t> data;
    switch (mode_) {
    case Mode::Policy:
        if (ReadPolicy(key, REG_DWORD, data, sizeof field) && data.size() == sizeof field)
            std::memcpy(&field, data.data(), sizeof field);
        break;
    case Mode::Reset:
        field = defaultValue;
        break;
    case Mode::Load:
        field = static_cast<int32_t>(GetPrivateProfileIntA(section_.c_str(), key, field, file_.c_str()));
        break;
    case Mode::Save:
        if (Skipped(key)) break;
        if (field == defaultValue) {
            WriteValue(key, nullptr);
        } else {
            char text[16];
            std::snprintf(text, sizeof text, "%d", static_cast<int>(field));
            WriteValue(key, text);
        }
        break;
    }
}

void SettingsExchange::ExchangeString(const char* key, std::string& field, const char* defaultValue, size_t maxStored,
                                      size_t maxLength)
{
    Note(key);
    std::string policyText;
    switch (mode_) {
    case Mode::Policy:
        // Text as it is, without the file's escapes; at most what the file could hold.
        if (ReadPolicyText(key, policyText, std::min(maxStored, maxLength))) field = policyText;
        break;
    case Mode::Reset:
        field = defaultValue ? defaultValue : "";
        break;
    case Mode::Load: {
        std::string text = ReadValue(key, maxStored);
        if (text.size() == maxStored) DropCutEscape(text);
        if (!text.empty()) field = UnescapeText(text).substr(0, maxLength);
        break;
    }
    case Mode::Save:
        if (Skipped(key)) break;
        if (defaultValue ? field == defaultValue : field.empty())
            WriteValue(key, nullptr);
        else
            WriteValue(key, EscapeText(field).c_str());
        break;
    }
}

void SettingsExchange::ExchangePlainText(const char* key, std::string& field, size_t maxLength)
{
    Note(key);
    switch (mode_) {
    case Mode::Policy:
        ReadPolicyText(key, field, maxLength);
        break;
    case Mode::Reset:
        field.clear();
        break;
    case Mode::Load:
        field = ReadValue(key, maxLength);
        break;
    case Mode::Save: {
        if (Skipped(key)) break;
        if (field.empty()) return WriteValue(key, nullptr);
        std::string text = WithoutControlCharacters(field);
        // The reader drops blanks at the ends and one pair of quotes around the value.
        const auto stripped = [](char c) { return c == ' ' || c == '"' || c == '\''; };
        if (stripped(text.front()) || stripped(text.back())) text = '"' + text + '"';
        WriteValue(key, text.c_str());
        break;
    }
    }
}

void SettingsExchange::ExchangeBinary(const char* key, void* field, size_t length, const void* defaultValue)
{
    Note(key);
    std::vector<uint8_t> data;
    switch (mode_) {
    case Mode::Policy:
        if (ReadPolicy(key, REG_BINARY, data, length) && !data.empty())
            std::memcpy(field, data.data(), data.size() < length ? data.size() : length);
        break;
    case Mode::Reset:
        if (defaultValue) std::memcpy(field, defaultValue, length);
        break;
    case Mode::Load: {
        const std::vector<uint8_t> bytes = DecodeBlock(ReadValue(key, MAX_BLOCK_TEXT));
        if (!bytes.empty()) std::memcpy(field, bytes.data(), bytes.size() < length ? bytes.size() : length);
        break;
    }
    case Mode::Save:
        if (Skipped(key)) break;
        if (defaultValue && std::memcmp(field, defaultValue, length) == 0)
            WriteValue(key, nullptr);
        else
            WriteValue(key, EncodeBlock(field, length).c_str());
        break;
    }
}

bool SettingsExchange::ExchangeDWordArray(const char* key, std::vector<uint32_t>& array)
{
    Note(key);
    std::vector<uint8_t> data;
    switch (mode_) {
    case Mode::Policy:
        if (!ReadPolicy(key, REG_BINARY, data, MAX_BLOCK_TEXT)) return false;
        array.assign(data.size() / 4, 0);
        if (!array.empty()) std::memcpy(array.data(), data.data(), array.size() * 4);
        return true;
    case Mode::Reset:
        break;
    case Mode::Load: {
        const std::vector<uint8_t> bytes = DecodeBlock(ReadValue(key, MAX_BLOCK_TEXT));
        array.assign(bytes.size() / 4, 0);
        if (!array.empty()) std::memcpy(array.data(), bytes.data(), array.size() * 4);
        break;
    }
    case Mode::Save:
        // Written also when empty: a later load treats the empty value as missing.
        if (!Skipped(key)) WriteValue(key, EncodeBlock(array.data(), array.size() * 4).c_str());
        break;
    }
    return true;
}

void SettingsExchange::SetSection(const char* name)
{
    section_ = name;
    // A policy pass reads a section's values from its one key, opened here (none: no values).
    if (mode_ == Mode::Policy)
        policySection_.OpenKey(policyRoot_, std::string(POLICY_KEY) + "\\" + section_, false, KEY_WOW64_64KEY);
}

bool SettingsExchange::ReadPolicy(const char* key, DWORD type, std::vector<uint8_t>& data, size_t limit)
{
    DWORD found = 0;
    // A value larger than any the settings take is cut as a file's would be; one past
    // this bound is no value at all.
    constexpr DWORD MAX_POLICY_VALUE = 16u << 20;
    if (!policySection_.IsOpen() || !policySection_.ReadRaw(key, found, data, MAX_POLICY_VALUE)) return false;
    const bool text = type == REG_SZ && (found == REG_EXPAND_SZ || found == REG_MULTI_SZ);
    if (found != type && !text) return false;
    if (type == REG_SZ) {
        // A multi-string's strings are lines.
        std::string joined;
        for (const std::string& part : RegistryStrings(found, data)) joined += (joined.empty() ? "" : "\r\n") + part;
        data.assign(joined.begin(), joined.end());
    }
    if (data.size() > limit) data.resize(limit);
    record_->Add(section_, key);
    return true;
}

bool SettingsExchange::ReadPolicyText(const char* key, std::string& text, size_t limit)
{
    std::vector<uint8_t> data;
    if (!ReadPolicy(key, REG_SZ, data, std::string::npos)) return false;
    // Line breaks as the settings keep them, CR LF, whichever a policy editor wrote.
    text.clear();
    for (size_t i = 0; i < data.size() && text.size() < limit; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == '\n' && (text.empty() || text.back() != '\r')) text += '\r';
        text += c;
    }
    if (text.size() > limit) text.resize(limit);
    if (!text.empty() && text.back() == '\r') text.pop_back();
    return true;
}

void ExchangeStoredList(SettingsExchange& exchange, const SettingsSlices& settings)
{
    // The defaults are the slices' initial values.
    static const OutputSettings outputDefaults;
    static const GeneralSettings generalDefaults;
    static const CaptionSettings captionDefaults;
    static const NotesSettings notesDefaults;
    static const GridSettings gridDefaults;

    OutputSettings& output = settings.output;
    exchange.SetSection("Save");
    exchange.ExchangeString("Filename", output.filename, outputDefaults.filename.c_str(), MAX_STORED_TEXT);
    exchange.ExchangeInt("SaveSettings", output.saveSettings, outputDefaults.saveSettings);
    exchange.ExchangeInt("SetAsWallpaper", output.setAsWallpaper, outputDefaults.setAsWallpaper);

    GeneralSettings& general = settings.general;
    exchange.SetSection("General");
    exchange.ExchangeInt("Captions", general.captions, generalDefaults.captions);
    exchange.ExchangeInt("Notes", general.notes, generalDefaults.notes);
    exchange.ExchangeInt("Grid", general.grid, generalDefaults.grid);
    exchange.ExchangeInt("Logo", general.logo, generalDefaults.logo);
    exchange.ExchangeInt("Border", general.border, generalDefaults.border);
    exchange.ExchangeInt("Margins", general.margins, generalDefaults.margins);
    // A negative margin typed into the file reads as a huge unsigned one: it is taken as 0.
    if (exchange.IsLoad())
        general.margins = static_cast<int32_t>(general.margins) < 0 ? 0 : std::min(general.margins, MAX_MARGIN);
    exchange.ExchangeInt("Position", general.position, generalDefaults.position);
    if (exchange.IsLoad() && (general.position < 0 || general.position >= POSITION_COUNT))
        general.position = POSITION_CENTRE;
    exchange.ExchangeBinary("Font", &general.font, sizeof general.font, &settings.defaultFont);
    // The resolution the font was chosen at goes with it: none with the default font.
    const bool storedFont = std::memcmp(&general.font, &settings.defaultFont, sizeof general.font) != 0;
    if (exchange.IsSave() && !storedFont) general.fontDpi = 0;
    exchange.ExchangeInt("FontDpi", general.fontDpi, 0);
    // A face name read from a file may lack its terminating zero; a font no dialog
    // could have made (giant, garbage) counts as a broken block.
    if (exchange.IsLoad()) {
        general.font.lfFaceName[LF_FACESIZE - 1] = '\0';
        if (!storedFont)
            general.fontDpi = 0;
        else if (general.fontDpi < MIN_FONT_DPI || general.fontDpi > MAX_FONT_DPI)
            general.fontDpi = UNSTATED_FONT_DPI;
        if (storedFont && !IsUsableFont(general.font, general.fontDpi)) {
            general.font = settings.defaultFont;
            general.fontDpi = 0;
        }
    }
    exchange.ExchangeInt("ColorSelect", general.colorSelect, generalDefaults.colorSelect);
    exchange.ExchangeInt("ForegroundColor", general.foregroundColor, generalDefaults.foregroundColor);
    exchange.ExchangeInt("BackgroundColor", general.backgroundColor, generalDefaults.backgroundColor);
    exchange.ExchangeBinary("CustomColors", general.customColors.data(), sizeof general.customColors,
                            generalDefaults.customColors.data());

    CaptionSettings& captions = settings.captions;
    exchange.SetSection("Captions");
    for (int item = 0; item < CAPTION_COUNT; ++item)
        exchange.ExchangeInt(CAPTION_ITEMS[item].key, captions.enabled[item], captionDefaults.enabled[item]);
    // The order names lines; it is read once the custom lines it may name are known.
    std::string order = exchange.IsSave() && !IsDefaultOrder(captions) ? OrderText(LineOrder(captions)) : "";
    exchange.ExchangeString("Order", order, "", MAX_ORDER_TEXT);
    ExchangeCustomLines(exchange, captions);
    if (exchange.IsPolicy() ? !order.empty() : !exchange.IsSave()) captions.order = ParseOrderText(order);

    exchange.SetSection("Notes");
    exchange.ExchangeString("Notes", settings.notes.notes, notesDefaults.notes.c_str(), MAX_STORED_NOTES_TEXT,
                            MAX_NOTES_LENGTH);

    GridSettings& grid = settings.grid;
    exchange.SetSection("Grid");
    exchange.ExchangeInt("LineSize", grid.lineSize, gridDefaults.lineSize);
    if (exchange.IsLoad()) grid.lineSize = std::clamp(grid.lineSize, 0, MAX_LINE_SIZE);
    exchange.ExchangeInt("TaskBar", grid.taskBar, gridDefaults.taskBar);
    exchange.ExchangeInt("RightToLeft", grid.rightToLeft, gridDefaults.rightToLeft);
    std::vector<uint32_t> gridArray;
    if (exchange.IsSave()) grid.sizes.ExchangeGridArray(GridArrayDirection::Save, gridArray);
    const bool taken = exchange.ExchangeDWordArray("GridArray", gridArray);
    if (exchange.IsLoad() && taken) grid.sizes.ExchangeGridArray(GridArrayDirection::Load, gridArray);
}

ProfilePaths MakeProfilePaths(const std::string& exePath, const std::string& windowsDirectory,
                              const std::string& userFolder)
{
    const std::string folder = FolderOf(exePath);
    const std::string name = WithoutExtension(FileNameOf(exePath)) + ".INI";

    ProfilePaths paths;
    paths.local = windowsDirectory;
    if (paths.local.empty() || paths.local.back() != '\\') paths.local += '\\';
    paths.local += name;
    paths.master = folder + name;
    if (!userFolder.empty()) paths.user = userFolder + name;
    return paths;
}

ProfilePaths CurrentProfilePaths() { return MakeProfilePaths(ExecutablePath(), WindowsDirectory(), UserFolder()); }

bool PolicyRecord::HasSection(const std::string& section) const
{
    const auto next = keys_.lower_bound(section + "\\");
    return next != keys_.end() && next->compare(0, section.size() + 1, section + "\\") == 0;
}

DWORD SettingsStore::RunPass(SettingsExchange::Mode mode, const std::string& file)
{
    SettingsExchange exchange(mode, file);
    if (mode == SettingsExchange::Mode::Save) exchange.SkipInSave(&policies_);
    ExchangeStoredList(exchange, settings_);
    return exchange.WriteError();
}

void SettingsStore::ResetSettings() { RunPass(SettingsExchange::Mode::Reset, std::string()); }
void SettingsStore::LoadSettings(const std::string& file) { RunPass(SettingsExchange::Mode::Load, file); }
bool SettingsStore::StoreSettings(const std::string& file)
{
    lastWritePath_ = file;
    lastWriteError_ = RunPass(SettingsExchange::Mode::Save, file);
    return lastWriteError_ == ERROR_SUCCESS;
}

bool SettingsStore::SaveLocalSettings()
{
    staleCopyKept_ = false;
    if (StoreSettings(paths_.local)) {
        if (paths_.user.empty() || DeleteFileA(paths_.user.c_str())) return true;
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return true;
        lastWritePath_ = paths_.user;
        lastWriteError_ = error;
        staleCopyKept_ = true;
        return false;
    }
    // A standard user cannot write the Windows directory: the expected case, no failure.
    if (lastWriteError_ != ERROR_ACCESS_DENIED || paths_.user.empty()) return false;
    if (!MakeFolder(FolderOf(paths_.user))) {
        lastWritePath_ = paths_.user;
        lastWriteError_ = GetLastError();
        return false;
    }
    return StoreSettings(paths_.user);
}

void SettingsStore::LoadAtStartup()
{
    const std::string* chosen = &paths_.master;
    for (const std::string* file : {&paths_.user, &paths_.local})
        if (IsFile(*file)) {
            chosen = file;
            break;
        }
    LoadSettings(*chosen);
    LoadPolicies();
}

void SettingsStore::LoadPolicies()
{
    policies_ = PolicyRecord();
    // The machine's last: its values win over the user's.
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        // Most machines have no policy for Murvex: one look, not one per value.
        if (RegistryKey policy; !policy.OpenKey(root, POLICY_KEY, false, KEY_WOW64_64KEY)) continue;
        SettingsExchange exchange(root, policies_);
        ExchangeStoredList(exchange, settings_);
    }
}

PolicyRecord LoadStartupSettings(WallpaperSettings& settings, const ProfilePaths& paths)
{
    settings.defaultFont = ScreenDefaultFont();
    SettingsStore store(settings.Slices(), paths);
    store.ResetSettings();
    store.LoadAtStartup();
    return store.Policies();
}
