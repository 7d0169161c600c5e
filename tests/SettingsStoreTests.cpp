// The settings' passes over the stored list: reset, save and load, and the files they make.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <regex>
#include <set>
#include <tuple>

#include "TestFiles.h"
#include "settings/ProfileCodec.h"
#include "settings/SettingsStore.h"
#include "win/SystemPaths.h"

namespace {

// A settings record with its store working on files in a temporary folder.
class SettingsStoreTest : public ::testing::Test {
protected:
    SettingsStoreTest()
        : store(settings.Slices(), {folder.File("local.INI"), folder.File("master.INI"), folder.File("user.INI")})
    {
        settings.defaultFont = MakeDefaultFont(96);
        store.ResetSettings();
    }

    std::string Value(const std::string& file, const char* section, const char* key)
    {
        char text[8192];
        GetPrivateProfileStringA(section, key, "<missing>", text, sizeof text, file.c_str());
        return text;
    }
    TempFolder folder;
    WallpaperSettings settings;
    SettingsStore store;
};

std::string EveryByte()
{
    std::string bytes;
    for (int value = 0; value < 256; ++value) bytes += static_cast<char>(value);
    return bytes;
}

}  // namespace

TEST_F(SettingsStoreTest, DefaultsAreNotWrittenAndEveryOtherValueComesBack)
{
    // After a reset only the stored list is written, and a value back at its default goes.
    const std::string file = folder.File("defaults.INI");
    EXPECT_TRUE(store.StoreSettings(file));
    EXPECT_EQ(ReadWholeFile(file), "[Grid]\r\nGridArray=\r\n");
    settings.general.margins = 11;
    settings.grid.sizes.AddScreenSize(1280, 1024, true);
    settings.grid.sizes.AddScreenSize(1024, 768, true);
    store.StoreSettings(file);
    EXPECT_EQ(Value(file, "General", "Margins"), "11");
    EXPECT_EQ(Value(file, "Grid", "GridArray"), "AAFAAAEAAAEAAADA");  // the published example: largest first
    settings.general.margins = 10;
    settings.output.filename = "orvalin.bmp";  // compared byte for byte: not the default
    store.StoreSettings(file);
    EXPECT_EQ(Value(file, "General", "Margins"), "<missing>");
    EXPECT_EQ(Value(file, "Save", "Filename"), "orvalin.bmp");

    // Every key at another value than its default: a reset leaves only the empty list to
    // write; loaded again (the list built after the load, as the window does) and stored,
    // the same file.
    const std::string every = ReadWholeFile(std::string("Z:") + MURVEX_TEST_FIXTURES + "/every-value.INI");
    WriteWholeFile(file, every);
    WallpaperSettings loaded;
    loaded.defaultFont = settings.defaultFont;
    SettingsStore loadedStore(loaded.Slices(), store.Paths());
    loadedStore.LoadSettings(file);
    loadedStore.ResetSettings();
    loadedStore.StoreSettings(folder.File("reset.INI"));
    EXPECT_EQ(ReadWholeFile(folder.File("reset.INI")), "[Grid]\r\nGridArray=\r\n");
    loadedStore.LoadSettings(file);
    loaded.grid.sizes.PopulateScreenSizes({PackSize(1024, 768)});
    DeleteFileA(file.c_str());
    loadedStore.StoreSettings(file);
    EXPECT_EQ(ReadWholeFile(file), every);
}

TEST_F(SettingsStoreTest, AnEmptyLocalFileWinsOverTheMasterAndAFileOnlyReplacesWhatItHolds)
{
    // The user's own local file wins over the Windows directory's, which wins over the master.
    WriteWholeFile(store.Paths().master,
                   "[General]\r\nMargins=50\r\n[Save]\r\nFilename=master.bmp\r\n[Grid]\r\nGridArray=AAFAAAEAAAEAAADA\r\n");
    WriteWholeFile(store.Paths().local, "[General]\r\nMargins=60\r\n");
    WriteWholeFile(store.Paths().user, "[General]\r\nMargins=70\r\n");
    store.LoadAtStartup();
    EXPECT_EQ(settings.general.margins, 70u);
    // Saved where the Windows directory takes them, the user's copy goes: what was saved comes back.
    ASSERT_TRUE(store.SaveLocalSettings());
    EXPECT_EQ(store.LastWritePath(), store.Paths().local);
    EXPECT_FALSE(IsFile(store.Paths().user));
    WriteWholeFile(store.Paths().local, "");
    store.ResetSettings();
    store.LoadAtStartup();
    EXPECT_EQ(settings.general.margins, 10u);
    DeleteFileA(store.Paths().local.c_str());
    store.LoadAtStartup();
    EXPECT_EQ(settings.general.margins, 50u);
    EXPECT_EQ(settings.output.filename, "master.bmp");

    settings.notes.notes = "kept";
    WriteWholeFile(folder.File("partial.INI"), "[Grid]\r\nLineSize=4\r\nGridArray=\r\n[Notes]\r\nNotes=\r\n");
    store.LoadSettings(folder.File("partial.INI"));
    EXPECT_EQ(settings.grid.lineSize, 4);
    EXPECT_EQ(settings.general.margins, 50u);
    EXPECT_EQ(settings.notes.notes, "kept");
    // An empty list is no list: the sizes known stay.
    EXPECT_EQ(settings.grid.sizes.StoredSizes(), (std::vector<PackedSize>{PackSize(1280, 1024), PackSize(1024, 768)}));
}

TEST_F(SettingsStoreTest, HandEditedNumbersAndBlocks)
{
    LOGFONTA longFace = MakeDefaultFont(96);
    std::memset(longFace.lfFaceName, 'W', LF_FACESIZE);
    WriteWholeFile(folder.File("odd.INI"),
                   "[General]\r\nMargins=abc\r\nColorSelect=5\r\nBorder= 7 \r\nCustomColors=BAAAAAAAC\r\n"
                   "[Grid]\r\nGridArray=AAFAAAEAAAEAAADAAAD\r\n");
    store.LoadSettings(folder.File("odd.INI"));
    EXPECT_EQ(settings.general.margins, 0u);
    EXPECT_EQ(settings.general.colorSelect, 5);
    EXPECT_EQ(settings.general.border, 7);
    // Loaded, out-of-range values are the nearest the pages take, for the window and the
    // logon runs alike (both load through this pass): a typing error never stops a logon.
    for (const auto& [margins, lines, margin, lineSize] :
         {std::tuple{"99999999", "9", 100u, 6}, {"-5", "-1", 0u, 0}, {"54000", "6", 100u, 6}}) {
        const std::string file = std::string("[General]\r\nMargins=") + margins + "\r\n[Grid]\r\nLineSize=" + lines + "\r\n";
        WriteWholeFile(folder.File("range.INI"), file);
        store.LoadSettings(folder.File("range.INI"));
        EXPECT_EQ(settings.general.margins, margin) << file;
        EXPECT_EQ(settings.grid.lineSize, lineSize) << file;
    }
    // Four decoded bytes replace the start of the field only; a partial size is ignored.
    EXPECT_EQ(settings.general.customColors[0], 1u);
    EXPECT_EQ(settings.general.customColors[1], WHITE_COLOR);
    EXPECT_EQ(settings.grid.sizes.StoredSizes(), (std::vector<PackedSize>{PackSize(1280, 1024), PackSize(1024, 768)}));

    // A face name without its terminator is cut at 31 characters.
    const std::string longFont = "[General]\r\nFont=" + EncodeBlock(&longFace, sizeof longFace) + "\r\n";
    WriteWholeFile(folder.File("font.INI"), longFont);
    store.LoadSettings(folder.File("font.INI"));
    EXPECT_EQ(std::strlen(settings.general.font.lfFaceName), static_cast<size_t>(LF_FACESIZE - 1));
    // A font without the resolution it was chosen at was chosen at 96 dots per inch, and so
    // was one whose FontDpi no screen has; FontDpi without a font of its own means nothing.
    const std::pair<std::string, int32_t> dpis[] = {{longFont, 96}, {longFont + "FontDpi=192\r\n", 192},
                                                    {longFont + "FontDpi=-5\r\n", 96}, {longFont + "FontDpi=99999\r\n", 96},
                                                    {"[General]\r\nFontDpi=192\r\n", 0}};
    for (const auto& [file, dpi] : dpis) {
        store.ResetSettings();
        WriteWholeFile(folder.File("font.INI"), file);
        store.LoadSettings(folder.File("font.INI"));
        EXPECT_EQ(settings.general.fontDpi, dpi) << file;
    }
}

// The longest notes the box takes come back byte for byte (every byte, however many
// escapes they need); a longer (hand-made) value is cut, never inside an escape.
TEST_F(SettingsStoreTest, TheLongestNotesComeBackWholeAndLongerOnesAreCut)
{
    const std::string file = folder.File("long.INI");
    const std::string pieces[] = {"Label:\tvalue \"quoted\" 100% sure \r\n", "\r\n\r\n", "  trailing  ", "%%0d%25",
                                  "\t\t\xe9\xff", std::string(1, '\x01'), EveryByte()};
    for (const std::string& piece : pieces) {
        std::string notes;
        while (notes.size() < MAX_NOTES_LENGTH) notes += piece;
        notes.resize(MAX_NOTES_LENGTH);
        settings.notes.notes = notes;
        ASSERT_TRUE(store.StoreSettings(file));
        settings.notes.notes.clear();
        store.LoadSettings(file);
        EXPECT_TRUE(settings.notes.notes == notes) << piece << ": " << settings.notes.notes.size();
    }
    // Made by hand: cut to what the box takes, and never inside an escape.
    WriteWholeFile(file, "[Notes]\r\nNotes=" + std::string(MAX_STORED_NOTES_TEXT, 'n') + "\r\n");
    store.LoadSettings(file);
    EXPECT_EQ(settings.notes.notes, std::string(MAX_NOTES_LENGTH, 'n'));
    std::string escaped = "x";
    while (escaped.size() <= MAX_STORED_NOTES_TEXT) escaped += "%0d";
    WriteWholeFile(file, "[Notes]\r\nNotes=" + escaped + "\r\n");
    store.LoadSettings(file);
    EXPECT_EQ(settings.notes.notes, "x" + std::string(MAX_STORED_NOTES_TEXT / 3 - 1, '\r'));
}

TEST_F(SettingsStoreTest, UnwritableTargetsAreReportedAndChangeNothing)
{
    const std::string locked = folder.File("locked.INI");
    WriteWholeFile(locked, "[General]\r\nMargins=77\r\n");
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    CreateDirectoryA(folder.File("dir.INI").c_str(), nullptr);
    // A missing folder, a folder where the file should be, a file held open without sharing.
    for (const std::string& target : {folder.File("missing\\settings.INI"), folder.File("dir.INI"), locked}) {
        EXPECT_FALSE(store.StoreSettings(target)) << target;
        EXPECT_NE(store.LastWriteError(), static_cast<DWORD>(ERROR_SUCCESS));
    }
    CloseHandle(holder);
    EXPECT_EQ(ReadWholeFile(locked), "[General]\r\nMargins=77\r\n");

    // Saved to the Windows directory, but the user's own older copy, which would win at the
    // next start, cannot go: that is said, naming the copy.
    WriteWholeFile(store.Paths().user, "[General]\r\nMargins=70\r\n");
    holder = CreateFileA(store.Paths().user.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(store.SaveLocalSettings());
    EXPECT_TRUE(store.StaleCopyKept());
    EXPECT_EQ(store.LastWritePath(), store.Paths().user);
    EXPECT_NE(store.LastWriteError(), static_cast<DWORD>(ERROR_SUCCESS));
    CloseHandle(holder);
    EXPECT_TRUE(store.SaveLocalSettings());
    EXPECT_FALSE(store.StaleCopyKept());
}

// Run by tests/standard-user.sh as a Unix user who cannot write the Windows directory:
// the local settings go to the user's own folder, and the next start reads them.
TEST(StandardUser, LocalSettingsGoToTheUsersOwnFolderAndComeBack)
{
    if (!std::getenv("MURVEX_STANDARD_USER")) GTEST_SKIP() << "only as a standard user (tests/standard-user.sh)";
    ASSERT_FALSE(FolderWritable(WindowsDirectory()));
    EXPECT_EQ(WallpaperFolder(), UserFolder());
    WallpaperSettings settings;
    settings.defaultFont = MakeDefaultFont(96);
    SettingsStore store(settings.Slices(), CurrentProfilePaths());
    store.ResetSettings();
    settings.general.margins = 33;
    ASSERT_TRUE(store.SaveLocalSettings()) << store.LastWritePath() << ": " << store.LastWriteError();
    EXPECT_EQ(store.LastWritePath(), UserFolder() + "settings_tests.INI");
    EXPECT_FALSE(IsFile(store.Paths().local));
    WallpaperSettings next;
    LoadStartupSettings(next);
    EXPECT_EQ(next.general.margins, 33u);
    DeleteFileA(store.Paths().user.c_str());
}

namespace {

// Sets a value under HKLM or HKCU\SOFTWARE\Policies\Murvex\<section>.
void SetPolicy(HKEY root, const char* section, const char* name, DWORD type, const std::string& data)
{
    const std::string key = std::string(POLICY_KEY) + "\\" + section;
    ASSERT_EQ(RegSetKeyValueA(root, key.c_str(), name, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
}

std::string Dword(uint32_t value) { return std::string(reinterpret_cast<const char*>(&value), 4); }

// Both policy keys gone before and after: the other tests share the prefix's registry.
class PolicyTest : public SettingsStoreTest {
protected:
    PolicyTest() { Clear(); }
    ~PolicyTest() override { Clear(); }
    static void Clear()
    {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) RegDeleteTreeA(root, POLICY_KEY);
    }
};

}  // namespace

// Machine over user over the local file over the master; a policy value as hostile as a
// master file gets the file's bounds; a save leaves the policy's values out.
TEST_F(PolicyTest, PoliciesWinWithTheFilesBoundsAndAreNeverSaved)
{
    WriteWholeFile(store.Paths().master, "[Notes]\r\nNotes=master\r\n[General]\r\nMargins=50\r\n");
    WriteWholeFile(store.Paths().local, "[Notes]\r\nNotes=local\r\n[General]\r\nMargins=40\r\nLogo=0\r\n"
                                        "[Custom]\r\nLabel1=Rack:\r\nSource1=text:4\r\nLabel2=Room:\r\nSource2=text:5\r\n");
    SetPolicy(HKEY_CURRENT_USER, "Notes", "Notes", REG_SZ, std::string("user\nline two\0", 14));
    SetPolicy(HKEY_CURRENT_USER, "General", "Border", REG_DWORD, Dword(1));
    SetPolicy(HKEY_LOCAL_MACHINE, "Notes", "Notes", REG_MULTI_SZ, std::string("machine\0second\0\0", 16));
    SetPolicy(HKEY_CURRENT_USER, "Captions", "CPU", REG_DWORD, Dword(1));
    // Hostile: a number as text (ignored), out of range, negative, huge, garbage blocks.
    SetPolicy(HKEY_CURRENT_USER, "General", "Margins", REG_SZ, std::string("5\0", 2));
    SetPolicy(HKEY_LOCAL_MACHINE, "Grid", "LineSize", REG_DWORD, Dword(99));
    SetPolicy(HKEY_CURRENT_USER, "General", "Position", REG_DWORD, Dword(0xFFFFFFFF));
    SetPolicy(HKEY_CURRENT_USER, "Save", "Filename", REG_SZ, std::string(100000, 'f'));
    SetPolicy(HKEY_CURRENT_USER, "General", "Font", REG_BINARY, std::string(60, '\xEE'));
    SetPolicy(HKEY_CURRENT_USER, "Custom", "Label1", REG_SZ, std::string(100000, 'L'));
    SetPolicy(HKEY_CURRENT_USER, "Custom", "Source1", REG_DWORD, Dword(7));
    SetPolicy(HKEY_LOCAL_MACHINE, "Grid", "GridArray", REG_BINARY, Dword(PackSize(1280, 1024)) + "x");
    store.LoadAtStartup();
    EXPECT_EQ(settings.notes.notes, "machine\r\nsecond");
    EXPECT_EQ(settings.general.border, 1);
    EXPECT_EQ(settings.general.logo, 0);  // the local file's
    EXPECT_EQ(settings.general.margins, 40u);
    EXPECT_EQ(settings.captions.enabled[CAPTION_CPU], 1);
    EXPECT_EQ(settings.grid.lineSize, MAX_LINE_SIZE);
    EXPECT_EQ(settings.general.position, POSITION_CENTRE);
    EXPECT_EQ(settings.output.filename.size(), MAX_STORED_TEXT);
    EXPECT_EQ(std::memcmp(&settings.general.font, &settings.defaultFont, sizeof settings.general.font), 0);
    ASSERT_EQ(settings.captions.custom.size(), 1u);
    EXPECT_EQ(settings.captions.custom[0].label.size(), MAX_CUSTOM_LABEL);
    EXPECT_EQ(settings.grid.sizes.StoredSizes(), std::vector<PackedSize>{PackSize(1280, 1024)});
    const PolicyRecord& policies = store.Policies();
    EXPECT_EQ(policies.Count(), 9u);  // Notes counted once, Margins and Source1 of the wrong type not at all
    EXPECT_TRUE(policies.Has("Notes", "Notes") && policies.HasSection("Custom") && !policies.Has("General", "Margins"));

    // Saved, the file holds what the user chose, never what the policy set.
    settings.general.logo = 1;
    settings.general.margins = 30;
    const std::string file = store.Paths().local;
    ASSERT_TRUE(store.StoreSettings(file));
    const std::string saved = ReadWholeFile(file);
    EXPECT_NE(saved.find("Margins=30"), std::string::npos) << saved;
    for (const char* set : {"Border=", "CPU=", "LineSize=", "Filename=", "GridArray="})
        EXPECT_EQ(saved.find(set), std::string::npos) << set << " in\n" << saved;
    // What the file held there stays as it was: its notes and its own lines.
    EXPECT_NE(saved.find("Notes=local\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Label1=Rack:\r\nSource1=text:4\r\nLabel2=Room:\r\nSource2=text:5\r\n"), std::string::npos) << saved;
}

// The administrative template and the program agree both ways: every policy names a value
// Murvex reads, every value Murvex reads has a policy (but the binary blocks, which a
// template cannot express), and every string and presentation the template uses is
// defined. (That both files are well-formed XML is CTest's policy_template_xml.)
TEST(PolicyTemplate, MatchesWhatMurvexReads)
{
    const std::string folder = std::string("Z:") + MURVEX_TEST_FIXTURES + "/../../policy/";
    const std::string admx = ReadWholeFile(folder + "Murvex.admx"), adml = ReadWholeFile(folder + "en-US/Murvex.adml");
    ASSERT_FALSE(admx.empty() || adml.empty());
    // Every $(string.X) and $(presentation.X) defined, every definition used.
    const auto found = [](const std::string& text, const char* pattern) {
        std::set<std::string> names;
        const std::regex expression(pattern);
        for (std::sregex_iterator match(text.begin(), text.end(), expression), end; match != end; ++match)
            names.insert((*match)[1].str());
        return names;
    };
    EXPECT_EQ(found(admx, R"~(\$\(string\.(\w+)\))~"), found(adml, R"~(<string id="(\w+)")~"));
    EXPECT_EQ(found(admx, R"~(\$\(presentation\.(\w+)\))~"), found(adml, R"~(<presentation id="(\w+)")~"));
    // The values the policies set, "Section\Key" (the last part of the key named last,
    // then the value's name), against those Murvex reads.
    std::set<std::string> policyValues;
    std::string section;
    const std::regex attribute(R"~(key="[^"]*\\Murvex\\(\w+)"|valueName="(\w+)")~");
    for (std::sregex_iterator match(admx.begin(), admx.end(), attribute), end; match != end; ++match)
        if ((*match)[1].matched) section = (*match)[1].str();
        else policyValues.insert(section + "\\" + (*match)[2].str());
    WallpaperSettings settings;
    SettingsExchange exchange(SettingsExchange::Mode::Reset, "");
    ExchangeStoredList(exchange, settings.Slices());
    std::set<std::string> read(exchange.Keys().begin(), exchange.Keys().end());
    for (const char* block : {"General\\Font", "General\\FontDpi", "General\\CustomColors", "Grid\\GridArray"})
        EXPECT_EQ(read.erase(block), 1u) << block << " is no longer read: the template may name it";
    EXPECT_EQ(policyValues, read);
}
