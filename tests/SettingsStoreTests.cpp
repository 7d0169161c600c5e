#include <gtest/gtest.h>

#include <cstring>

#include "TestFiles.h"
#include "settings/ProfileCodec.h"
#include "settings/SettingsStore.h"

namespace {

// A settings record with its store working on files in a temporary folder.
class SettingsStoreTest : public ::testing::Test {
protected:
    SettingsStoreTest() : store(settings.Slices(), {folder.File("local.INI"), folder.File("master.INI")})
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

    // The "key=value" lines of a profile file, sections left out.
    std::vector<std::string> Lines(const std::string& file)
    {
        std::vector<std::string> lines;
        const std::string content = ReadWholeFile(file);
        size_t start = 0;
        while (start < content.size()) {
            size_t end = content.find('\n', start);
            if (end == std::string::npos) end = content.size();
            std::string line = content.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.find('=') != std::string::npos) lines.push_back(line);
            start = end + 1;
        }
        return lines;
    }

    TempFolder folder;
    WallpaperSettings settings;
    SettingsStore store;
};

void ChangeEveryValue(WallpaperSettings& s)
{
    s.output.filename = "office.bmp";
    s.output.saveSettings = 0;
    s.output.setAsWallpaper = 0;
    s.general.captions = 0;
    s.general.notes = 0;
    s.general.grid = 1;
    s.general.logo = 0;
    s.general.border = 1;
    s.general.margins = 42;
    s.general.font.lfHeight = -20;
    s.general.font.lfItalic = 1;
    std::strcpy(s.general.font.lfFaceName, "Courier New");
    s.general.colorSelect = COLOR_MODE_CUSTOM;
    s.general.foregroundColor = 0x0000FF;
    s.general.backgroundColor = 0x00FFFF;
    for (int i = 0; i < CUSTOM_COLOR_COUNT; ++i) s.general.customColors[i] = 0x010203 * static_cast<COLORREF>(i);
    for (int item = 0; item < CAPTION_COUNT; ++item) s.captions.enabled[item] = item % 2;
    s.notes.notes = " 100% sure\r\n\tLabel:\tvalue \xe9\r\n";
    s.grid.lineSize = 5;
    s.grid.taskBar = 1;
    s.grid.rightToLeft = 1;
}

void ExpectSameStoredValues(const WallpaperSettings& a, const WallpaperSettings& b)
{
    EXPECT_EQ(a.output.filename, b.output.filename);
    EXPECT_EQ(a.output.saveSettings, b.output.saveSettings);
    EXPECT_EQ(a.output.setAsWallpaper, b.output.setAsWallpaper);
    EXPECT_EQ(a.general.captions, b.general.captions);
    EXPECT_EQ(a.general.notes, b.general.notes);
    EXPECT_EQ(a.general.grid, b.general.grid);
    EXPECT_EQ(a.general.logo, b.general.logo);
    EXPECT_EQ(a.general.border, b.general.border);
    EXPECT_EQ(a.general.margins, b.general.margins);
    EXPECT_EQ(std::memcmp(&a.general.font, &b.general.font, sizeof(LOGFONTA)), 0);
    EXPECT_EQ(a.general.colorSelect, b.general.colorSelect);
    EXPECT_EQ(a.general.foregroundColor, b.general.foregroundColor);
    EXPECT_EQ(a.general.backgroundColor, b.general.backgroundColor);
    EXPECT_EQ(a.general.customColors, b.general.customColors);
    for (int item = 0; item < CAPTION_COUNT; ++item) EXPECT_EQ(a.captions.enabled[item], b.captions.enabled[item]);
    EXPECT_EQ(a.notes.notes, b.notes.notes);
    EXPECT_EQ(a.grid.lineSize, b.grid.lineSize);
    EXPECT_EQ(a.grid.taskBar, b.grid.taskBar);
    EXPECT_EQ(a.grid.rightToLeft, b.grid.rightToLeft);
}

}  // namespace

TEST(ProfilePaths, LocalInWindowsDirectoryMasterBesideTheExe)
{
    ProfilePaths paths = MakeProfilePaths("\\\\server\\tools\\Murvex32.exe", "C:\\WINDOWS");
    EXPECT_EQ(paths.local, "C:\\WINDOWS\\Murvex32.INI");
    EXPECT_EQ(paths.master, "\\\\server\\tools\\Murvex32.INI");
    EXPECT_EQ(MakeProfilePaths("C:\\x\\Murvex32.exe", "C:\\").local, "C:\\Murvex32.INI");
    EXPECT_EQ(MakeProfilePaths("D:\\v1.2\\My.Tool.exe", "C:\\WINDOWS\\").master, "D:\\v1.2\\My.Tool.INI");
}

TEST(ProfilePaths, CurrentProcessUsesItsOwnName)
{
    const ProfilePaths paths = CurrentProfilePaths();
    char windowsDirectory[MAX_PATH];
    GetWindowsDirectoryA(windowsDirectory, MAX_PATH);
    EXPECT_EQ(paths.local, std::string(windowsDirectory) + "\\settings_tests.INI");
    EXPECT_NE(paths.master.find(":\\"), std::string::npos);
    EXPECT_EQ(paths.master.substr(paths.master.size() - 19), "\\settings_tests.INI");
}

TEST_F(SettingsStoreTest, ResetGivesEveryDefault)
{
    ChangeEveryValue(settings);
    settings.grid.sizes.AddScreenSize(800, 600, true);
    store.ResetSettings();
    WallpaperSettings defaults;
    defaults.general.font = MakeDefaultFont(96);
    for (COLORREF& color : defaults.general.customColors) color = WHITE_COLOR;
    ExpectSameStoredValues(settings, defaults);
    EXPECT_EQ(settings.general.font.lfHeight, -13);
    EXPECT_STREQ(settings.general.font.lfFaceName, "Arial");
    EXPECT_EQ(settings.general.customColors[15], WHITE_COLOR);
    EXPECT_EQ(settings.grid.sizes.Entries().size(), 1u);  // the list is not a stored field
}

TEST_F(SettingsStoreTest, SavingAllDefaultsLeavesOnlyGridArray)
{
    EXPECT_TRUE(store.StoreSettings(folder.File("defaults.INI")));
    EXPECT_EQ(Lines(folder.File("defaults.INI")), std::vector<std::string>{"GridArray="});

    settings.grid.sizes.PopulateScreenSizes(1024, 768);
    store.StoreSettings(folder.File("defaults.INI"));
    const uint32_t packed[] = {PackSize(1024, 768), PackSize(800, 600), PackSize(640, 480)};
    EXPECT_EQ(Lines(folder.File("defaults.INI")),
              std::vector<std::string>{"GridArray=" + EncodeBlock(packed, sizeof packed)});
}

TEST_F(SettingsStoreTest, EveryValueSurvivesSaveAndLoad)
{
    ChangeEveryValue(settings);
    settings.grid.sizes.PopulateScreenSizes(1024, 768);
    settings.grid.sizes.AddScreenSize(1400, 1050, true);
    store.SaveLocalSettings();

    WallpaperSettings loaded;
    loaded.defaultFont = settings.defaultFont;
    SettingsStore loadedStore(loaded.Slices(), store.Paths());
    loadedStore.ResetSettings();
    loadedStore.LoadAtStartup();
    ExpectSameStoredValues(loaded, settings);
    EXPECT_EQ(loaded.grid.sizes.StoredSizes(), settings.grid.sizes.CollectEnabledSizes());
    EXPECT_TRUE(loaded.grid.sizes.HasStoredList());
}

TEST_F(SettingsStoreTest, ValuesAreWrittenInTheirFileForms)
{
    const std::string file = folder.File("forms.INI");
    settings.general.backgroundColor = 0x00FFFF;
    settings.notes.notes = "100% sure";
    settings.general.margins = 11;
    settings.grid.sizes.AddScreenSize(1280, 1024, true);
    settings.grid.sizes.AddScreenSize(1024, 768, true);
    settings.grid.sizes.AddScreenSize(800, 600, false);
    store.StoreSettings(file);
    EXPECT_EQ(Value(file, "General", "BackgroundColor"), "65535");
    EXPECT_EQ(Value(file, "Notes", "Notes"), "100%25 sure");
    EXPECT_EQ(Value(file, "General", "Margins"), "11");
    EXPECT_EQ(Value(file, "Grid", "GridArray"), "AAFAAAEAAAEAAADA");

    settings.notes.notes = "a\r\nb";
    settings.general.margins = 10;  // back to the default: the line goes
    store.StoreSettings(file);
    EXPECT_EQ(Value(file, "Notes", "Notes"), "a%0d%0ab");
    EXPECT_EQ(Value(file, "General", "Margins"), "<missing>");
}

TEST_F(SettingsStoreTest, DefaultsCompareByteForByte)
{
    const std::string file = folder.File("case.INI");
    store.StoreSettings(file);
    EXPECT_EQ(Value(file, "Save", "Filename"), "<missing>");
    settings.output.filename = "orvalin.bmp";
    store.StoreSettings(file);
    EXPECT_EQ(Value(file, "Save", "Filename"), "orvalin.bmp");

    // A font equal to the default but for a byte after the face name's end is stored.
    settings.general.font.lfFaceName[LF_FACESIZE - 2] = 'x';
    store.StoreSettings(file);
    EXPECT_NE(Value(file, "General", "Font"), "<missing>");
}

TEST_F(SettingsStoreTest, AnEmptyLocalFileWinsOverTheMaster)
{
    WriteWholeFile(store.Paths().master, "[General]\r\nMargins=50\r\n[Save]\r\nFilename=master.bmp\r\n");
    WriteWholeFile(store.Paths().local, "");
    store.LoadAtStartup();
    EXPECT_EQ(settings.general.margins, 10u);
    EXPECT_EQ(settings.output.filename, "Orvalin.bmp");

    DeleteFileA(store.Paths().local.c_str());
    store.LoadAtStartup();
    EXPECT_EQ(settings.general.margins, 50u);
    EXPECT_EQ(settings.output.filename, "master.bmp");
}

TEST_F(SettingsStoreTest, NoFileAnywhereKeepsTheDefaults)
{
    store.LoadAtStartup();
    WallpaperSettings defaults;
    defaults.general.font = MakeDefaultFont(96);
    for (COLORREF& color : defaults.general.customColors) color = WHITE_COLOR;
    ExpectSameStoredValues(settings, defaults);
    EXPECT_FALSE(settings.grid.sizes.HasStoredList());
}

TEST_F(SettingsStoreTest, LoadKeepsWhatTheFileLacks)
{
    settings.general.margins = 33;
    settings.notes.notes = "kept";
    WriteWholeFile(folder.File("partial.INI"), "[Grid]\r\nLineSize=4\r\n[Notes]\r\nNotes=\r\n");
    store.LoadSettings(folder.File("partial.INI"));
    EXPECT_EQ(settings.grid.lineSize, 4);
    EXPECT_EQ(settings.general.margins, 33u);
    EXPECT_EQ(settings.notes.notes, "kept");
}

TEST_F(SettingsStoreTest, HandEditedNumbersAndBlocks)
{
    WriteWholeFile(folder.File("odd.INI"),
                   "[General]\r\nMargins=abc\r\nColorSelect=5\r\nBorder= 7 \r\n"
                   "CustomColors=BAAAAAAAC\r\n"
                   "Font=NPPPPPPP\r\n"
                   "[Grid]\r\nGridArray=AAFAAAEAAAEAAADAAAD\r\nLineSize=-3\r\n");
    store.LoadSettings(folder.File("odd.INI"));
    EXPECT_EQ(settings.general.margins, 0u);
    EXPECT_EQ(settings.general.colorSelect, 5);
    EXPECT_EQ(settings.general.border, 7);
    EXPECT_EQ(settings.grid.lineSize, -3);
    // Four decoded bytes replace the start of the field only.
    EXPECT_EQ(settings.general.customColors[0], 1u);
    EXPECT_EQ(settings.general.customColors[1], WHITE_COLOR);
    EXPECT_EQ(settings.general.font.lfHeight, -3);
    EXPECT_STREQ(settings.general.font.lfFaceName, "Arial");
    // The partial entry at the end of GridArray is ignored.
    EXPECT_EQ(settings.grid.sizes.StoredSizes(),
              (std::vector<PackedSize>{PackSize(1280, 1024), PackSize(1024, 768)}));
}

TEST_F(SettingsStoreTest, FontFaceWithoutTerminatorIsCutAtThirtyTwoBytes)
{
    LOGFONTA font = MakeDefaultFont(96);
    std::memset(font.lfFaceName, 'W', LF_FACESIZE);
    WriteWholeFile(folder.File("font.INI"), "[General]\r\nFont=" + EncodeBlock(&font, sizeof font) + "\r\n");
    store.LoadSettings(folder.File("font.INI"));
    EXPECT_EQ(std::strlen(settings.general.font.lfFaceName), static_cast<size_t>(LF_FACESIZE - 1));
    EXPECT_EQ(settings.general.font.lfHeight, -13);
}

TEST_F(SettingsStoreTest, EmptyGridArrayCountsAsNothingStored)
{
    WriteWholeFile(folder.File("grid.INI"), "[Grid]\r\nGridArray=\r\n");
    store.LoadSettings(folder.File("grid.INI"));
    EXPECT_FALSE(settings.grid.sizes.HasStoredList());
    settings.grid.sizes.PopulateScreenSizes(1024, 768);
    EXPECT_EQ(settings.grid.sizes.CollectEnabledSizes().size(), 3u);  // a first start
}

TEST_F(SettingsStoreTest, LongTextIsCutAtTheReadLimit)
{
    const std::string file = folder.File("long.INI");
    settings.notes.notes = std::string(5000, 'n');
    store.StoreSettings(file);
    store.LoadSettings(file);
    EXPECT_EQ(settings.notes.notes, std::string(MAX_STORED_TEXT, 'n'));

    // Cut inside an escape: the piece of the escape is dropped, not turned into a byte.
    settings.notes.notes = std::string(MAX_STORED_TEXT - 1, 'n') + "\r\n";
    store.StoreSettings(file);
    settings.notes.notes.clear();
    store.LoadSettings(file);
    EXPECT_EQ(settings.notes.notes, std::string(MAX_STORED_TEXT - 1, 'n'));
}

TEST_F(SettingsStoreTest, UnwritableTargetsAreReportedAndChangeNothing)
{
    ChangeEveryValue(settings);
    const WallpaperSettings before = settings;

    // A folder that does not exist, and a folder standing where the file should be.
    EXPECT_FALSE(store.StoreSettings(folder.File("missing\\settings.INI")));
    EXPECT_NE(store.LastWriteError(), static_cast<DWORD>(ERROR_SUCCESS));
    CreateDirectoryA(folder.File("dir.INI").c_str(), nullptr);
    EXPECT_FALSE(store.StoreSettings(folder.File("dir.INI")));
    EXPECT_FALSE(FileExists(folder.File("missing\\settings.INI")));
    ExpectSameStoredValues(settings, before);

    // A file that another program holds open without sharing keeps its content.
    const std::string locked = folder.File("locked.INI");
    WriteWholeFile(locked, "[General]\r\nMargins=77\r\n");
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(store.StoreSettings(locked));
    CloseHandle(holder);
    ExpectSameStoredValues(settings, before);
    EXPECT_EQ(ReadWholeFile(locked), "[General]\r\nMargins=77\r\n");

    // A read-only file: whatever the system allows, the settings in memory stay.
    const std::string readOnly = folder.File("readonly.INI");
    WriteWholeFile(readOnly, "[General]\r\nMargins=77\r\n");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    store.StoreSettings(readOnly);
    ExpectSameStoredValues(settings, before);
}

TEST(StoredFont, OnlyWhatTheFontDialogCouldMake)
{
    const LOGFONTA plain = MakeDefaultFont(96);
    EXPECT_TRUE(IsUsableFont(plain, 96));
    struct Case {
        const char* what;
        void (*change)(LOGFONTA&);
        bool usable;
    };
    const Case cases[] = {
        {"largest size", [](LOGFONTA& f) { f.lfHeight = -2184; }, true},
        {"beyond it", [](LOGFONTA& f) { f.lfHeight = -2185; }, false},
        {"giant", [](LOGFONTA& f) { f.lfHeight = -30000; }, false},
        {"giant positive", [](LOGFONTA& f) { f.lfHeight = 30000; }, false},
        {"wide", [](LOGFONTA& f) { f.lfWidth = 5000; }, false},
        {"weight", [](LOGFONTA& f) { f.lfWeight = 5000; }, false},
        {"no face", [](LOGFONTA& f) { f.lfFaceName[0] = '\0'; }, false},
        {"control in face", [](LOGFONTA& f) { f.lfFaceName[1] = '\x01'; }, false},
    };
    for (const Case& c : cases) {
        LOGFONTA font = plain;
        c.change(font);
        EXPECT_EQ(IsUsableFont(font, 96), c.usable) << c.what;
    }
}

TEST_F(SettingsStoreTest, UnusableStoredFontGivesTheDefault)
{
    LOGFONTA giant = settings.defaultFont;
    giant.lfHeight = -30000;
    const std::string file = folder.File("font.INI");
    WriteWholeFile(file, "[General]\r\nFont=" + EncodeBlock(&giant, sizeof giant) + "\r\n");
    settings.general.font.lfHeight = 5;
    store.LoadSettings(file);
    EXPECT_EQ(memcmp(&settings.general.font, &settings.defaultFont, sizeof giant), 0);
}
