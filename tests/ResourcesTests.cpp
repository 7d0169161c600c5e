// Checks the resources compiled into Murvex32.exe, read from the exe beside this test.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <map>

#include "resource.h"

namespace {

std::string ExePath()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.resize(folder.find_last_of('\\') + 1);
    return folder + "Murvex32.exe";
}

class ResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        module = LoadLibraryExA(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << ExePath();
    }
    static void TearDownTestSuite() { FreeLibrary(module); }

    static std::string String(UINT id)
    {
        char text[4096];
        const int length = LoadStringA(module, id, text, sizeof text);
        return std::string(text, length);
    }

    static std::string Resource(LPCSTR type, LPCSTR name)
    {
        HRSRC found = FindResourceA(module, name, type);
        if (!found) return std::string();
        const void* data = LockResource(LoadResource(module, found));
        return std::string(static_cast<const char*>(data), SizeofResource(module, found));
    }

    static HMODULE module;
};
HMODULE ResourcesTest::module = nullptr;

// The parts of an extended dialog template that the program's contract fixes.
struct DialogItem {
    DWORD id;
    DWORD style;
    short x, y, cx, cy;
    std::string className;  // a name, or "#" and the ordinal of a predefined class
    std::string text;
};

struct Dialog {
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    WORD pointSize = 0;
    std::string face;
    std::vector<DialogItem> items;

    const DialogItem* Item(DWORD id) const
    {
        for (const DialogItem& item : items)
            if (item.id == id) return &item;
        return nullptr;
    }
};

class TemplateReader {
public:
    explicit TemplateReader(const std::string& data) : data_(data) {}

    template <typename T>
    T Read()
    {
        T value{};
        if (offset_ + sizeof(T) <= data_.size()) std::memcpy(&value, data_.data() + offset_, sizeof(T));
        offset_ += sizeof(T);
        return value;
    }
    std::string ReadString()
    {
        std::string text;
        for (WORD c; (c = Read<WORD>()) != 0 && offset_ <= data_.size();) text += static_cast<char>(c);
        return text;
    }
    std::string ReadNameOrOrdinal()
    {
        const WORD first = Read<WORD>();
        if (first == 0xFFFF) return "#" + std::to_string(Read<WORD>());
        if (first == 0) return std::string();
        offset_ -= sizeof(WORD);
        return ReadString();
    }
    void AlignToDword() { offset_ = (offset_ + 3) & ~size_t(3); }

private:
    const std::string& data_;
    size_t offset_ = 0;
};

Dialog ParseDialog(const std::string& data)
{
    Dialog dialog;
    TemplateReader reader(data);
    EXPECT_EQ(reader.Read<WORD>(), 1);       // dlgVer
    EXPECT_EQ(reader.Read<WORD>(), 0xFFFF);  // signature of an extended template
    reader.Read<DWORD>();                    // helpID
    reader.Read<DWORD>();                    // exStyle
    dialog.style = reader.Read<DWORD>();
    const WORD count = reader.Read<WORD>();
    dialog.x = reader.Read<short>();
    dialog.y = reader.Read<short>();
    dialog.cx = reader.Read<short>();
    dialog.cy = reader.Read<short>();
    reader.ReadNameOrOrdinal();  // menu
    reader.ReadNameOrOrdinal();  // class
    dialog.caption = reader.ReadString();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = reader.Read<WORD>();
        reader.Read<WORD>();  // weight
        reader.Read<BYTE>();  // italic
        reader.Read<BYTE>();  // charset
        dialog.face = reader.ReadString();
    }
    for (WORD i = 0; i < count; ++i) {
        reader.AlignToDword();
        DialogItem item;
        reader.Read<DWORD>();  // helpID
        reader.Read<DWORD>();  // exStyle
        item.style = reader.Read<DWORD>();
        item.x = reader.Read<short>();
        item.y = reader.Read<short>();
        item.cx = reader.Read<short>();
        item.cy = reader.Read<short>();
        item.id = reader.Read<DWORD>();
        item.className = reader.ReadNameOrOrdinal();
        item.text = reader.ReadNameOrOrdinal();
        const WORD extra = reader.Read<WORD>();
        for (WORD b = 0; b < extra; ++b) reader.Read<BYTE>();
        dialog.items.push_back(item);
    }
    return dialog;
}

struct ExpectedItem {
    DWORD id;
    const char* text;  // nullptr: not checked
    short x, y, cx, cy;
};

void ExpectItems(const Dialog& dialog, const std::vector<ExpectedItem>& expected)
{
    for (const ExpectedItem& want : expected) {
        const DialogItem* item = nullptr;
        for (const DialogItem& candidate : dialog.items)
            if (candidate.id == want.id && (!want.text || candidate.text == want.text)) item = &candidate;
        ASSERT_NE(item, nullptr) << "control " << want.id << " " << (want.text ? want.text : "");
        EXPECT_EQ(item->x, want.x) << want.id;
        EXPECT_EQ(item->y, want.y) << want.id;
        EXPECT_EQ(item->cx, want.cx) << want.id;
        EXPECT_EQ(item->cy, want.cy) << want.id;
    }
}

constexpr DWORD LABEL = IDC_STATIC_LABEL;

}  // namespace

TEST_F(ResourcesTest, StringTableHoldsEveryTextExactly)
{
    // The texts whose bytes the resource compiler could get wrong: escapes, separators,
    // non-breaking spaces, format markers; and one of each group.
    const std::map<UINT, std::string> expected = {
        {101, "&About Murvex"},
        {1000, "Notes:"},
        {1007, "Backgrounds|*.bmp||"},
        {1008, "Version %u.%u (Build %u%s)"},
        {1014, "Browser Version:"},
        {1016, "Unknown version of %1"},
        {2008, "Choose a custom color to use for the wallpaper background, or use the system default "
               "(desktop background)."},
        {2021, "This contains the list of screen sizes you can use for grids. Click on the checkboxes to "
               "enable or disable them. You may also select one or more screen sizes and click on the "
               "[\xa0" "Enable\xa0] or [\xa0" "Disable\xa0] buttons."},
        {2033, "This is an Advanced Setting.\n\nSaves the wallpaper settings for use by other machines that "
               "access this copy of Murvex over a network.\n\nWhen Murvex is run, it checks to see if it has "
               "any settings on the local machine. If so, it uses them. If not, (which is typical of a "
               "first-time use on a machine) it checks for settings in the same directory as the executable "
               "file. In this way, you may set up custom default settings for network users that are "
               "different from the program defaults."},
        {3000, "Click on the [?] button to get help on the notes edit box."},
        {10006, "Do you want to save changes to the wallpaper?"},
    };
    for (const auto& [id, text] : expected) EXPECT_EQ(String(id), text) << "string " << id;

    // Every text the program uses exists.
    for (UINT id : {1001, 1002, 1003, 1004, 1009, 1010, 1011, 1012, 1013, 1017, 2000, 2001, 2002, 2003, 2004, 2005,
                    2007, 2010, 2011, 2012, 2013, 2014, 2015, 2016, 2017, 2018, 2019, 2020, 2022, 2023, 2024, 2025,
                    2026, 2027, 2031, 2032, 2034, 2041, 2042, 2043, 3001, 10002, 10003, 10004, 10005})
        EXPECT_FALSE(String(id).empty()) << "string " << id;
    // There is no title string: captions come from the exe name.
    for (UINT id : {1005, 1006, 1015, 2006, 2009}) EXPECT_TRUE(String(id).empty()) << "string " << id;
}

TEST_F(ResourcesTest, ProgramDescriptionCoversItsTopics)
{
    const std::string text = String(IDS_HELP_PROGRAM);
    for (const char* topic : {"wallpaper", "several computers", "grid", "single executable", "network drive",
                              "right-click", "context-menu key", "F1", "double-click"})
        EXPECT_NE(text.find(topic), std::string::npos) << topic;
}

TEST_F(ResourcesTest, MainWindowTemplate)
{
    const Dialog dialog = ParseDialog(Resource(RT_DIALOG, MAKEINTRESOURCEA(IDD_MAIN)));
    EXPECT_EQ(dialog.cx, 288);
    EXPECT_EQ(dialog.cy, 260);
    EXPECT_EQ(dialog.caption, "Murvex");
    EXPECT_EQ(dialog.face, "MS Sans Serif");
    EXPECT_EQ(dialog.pointSize, 8);
    for (DWORD style : {WS_CAPTION, WS_SYSMENU, WS_THICKFRAME, WS_MINIMIZEBOX, WS_MAXIMIZEBOX})
        EXPECT_EQ(dialog.style & style, style);
    ExpectItems(dialog, {{IDC_MAIN_TAB, nullptr, 7, 7, 212, 111},
                         {IDCANCEL, "Close", 231, 7, 50, 16},
                         {IDC_MAIN_SAVE_AS, "&Save As...", 231, 26, 50, 14},
                         {IDC_MAIN_HELP, "&Help", 231, 43, 50, 14},
                         {IDC_MAIN_PREVIEW, "Preview", 7, 126, 274, 127}});
    EXPECT_EQ(lstrcmpiA(dialog.Item(IDC_MAIN_TAB)->className.c_str(), "SysTabControl32"), 0);
    EXPECT_EQ(dialog.Item(IDC_MAIN_SAVE_AS)->style & 0xF, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(dialog.Item(IDC_MAIN_PREVIEW)->style & 0xF, static_cast<DWORD>(BS_OWNERDRAW));
}

TEST_F(ResourcesTest, PagesAreFramelessChildrenInTheDialogFont)
{
    for (UINT id : {IDD_CAPTIONS, IDD_NOTES, IDD_GRID, IDD_GENERAL}) {
        const Dialog page = ParseDialog(Resource(RT_DIALOG, MAKEINTRESOURCEA(id)));
        EXPECT_EQ(page.style & (WS_CHILD | WS_CAPTION | WS_THICKFRAME | WS_BORDER), static_cast<DWORD>(WS_CHILD)) << id;
        EXPECT_EQ(page.face, "MS Sans Serif") << id;
        EXPECT_EQ(page.cx, 210) << id;
    }
    const Dialog grid = ParseDialog(Resource(RT_DIALOG, MAKEINTRESOURCEA(IDD_GRID)));
    const DWORD listStyle = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    EXPECT_EQ(grid.Item(IDC_GRID_SIZES)->style & (listStyle | LBS_SORT), listStyle);
    const Dialog general = ParseDialog(Resource(RT_DIALOG, MAKEINTRESOURCEA(IDD_GENERAL)));
    EXPECT_EQ(general.Item(IDC_GENERAL_SYSTEM)->style & WS_GROUP, static_cast<DWORD>(WS_GROUP));
    const Dialog about = ParseDialog(Resource(RT_DIALOG, MAKEINTRESOURCEA(IDD_ABOUTBOX)));
    EXPECT_EQ(about.caption, "About Murvex32");
    EXPECT_EQ(about.Item(IDC_ABOUT_VERSION)->text, "Murvex Version %s");
}

TEST_F(ResourcesTest, LabelsComeJustBeforeTheControlTheyName)
{
    // Help on an unnamed label shows the topic of the next control in z-order.
    const Dialog general = ParseDialog(Resource(RT_DIALOG, MAKEINTRESOURCEA(IDD_GENERAL)));
    const Dialog grid = ParseDialog(Resource(RT_DIALOG, MAKEINTRESOURCEA(IDD_GRID)));
    auto next = [](const Dialog& dialog, const std::string& label) {
        for (size_t i = 0; i + 1 < dialog.items.size(); ++i)
            if (dialog.items[i].text == label) return dialog.items[i + 1].id;
        return DWORD(0);
    };
    EXPECT_EQ(next(general, "&Margin:"), static_cast<DWORD>(IDC_GENERAL_MARGIN));
    EXPECT_EQ(next(grid, "&Screen sizes:"), static_cast<DWORD>(IDC_GRID_SIZES));
    EXPECT_EQ(next(grid, "&Line size:"), static_cast<DWORD>(IDC_GRID_LINE_SIZE));
}

TEST_F(ResourcesTest, GridPageInitialisationDataFillsTheLineSizes)
{
    const std::string data = Resource(MAKEINTRESOURCEA(240), MAKEINTRESOURCEA(IDD_GRID));
    std::vector<std::string> items;
    size_t offset = 0;
    for (;;) {
        WORD id = 0;
        ASSERT_LE(offset + 2, data.size());
        std::memcpy(&id, data.data() + offset, 2);
        if (id == 0) break;
        WORD message = 0;
        DWORD length = 0;
        ASSERT_LE(offset + 8, data.size());
        std::memcpy(&message, data.data() + offset + 2, 2);
        std::memcpy(&length, data.data() + offset + 4, 4);
        ASSERT_LE(offset + 8 + length, data.size());
        EXPECT_EQ(id, IDC_GRID_LINE_SIZE);
        EXPECT_EQ(message, 0x0403);  // the 16-bit CB_ADDSTRING that initialisation data names
        items.push_back(data.c_str() + offset + 8);
        EXPECT_EQ(items.back().size() + 1, length);
        offset += 8 + length;
    }
    EXPECT_EQ(items, (std::vector<std::string>{"Solid", "1", "2", "3", "4", "5", "6"}));
}

TEST_F(ResourcesTest, AddScreenSizeTemplate)
{
    const Dialog dialog = ParseDialog(Resource(RT_DIALOG, MAKEINTRESOURCEA(IDD_ADD_SCREEN_SIZE)));
    EXPECT_EQ(dialog.caption, "Add Screen Size");
    EXPECT_EQ(dialog.cx, 151);
    // Edit boxes take any text: the dialog itself explains what it refuses.
    EXPECT_EQ(dialog.Item(IDC_ADDSIZE_WIDTH)->style & ES_NUMBER, 0u);
    EXPECT_EQ(dialog.items[1].id, static_cast<DWORD>(IDC_ADDSIZE_WIDTH));  // first tab stop
}

TEST_F(ResourcesTest, SaveAsTemplates)
{
    const Dialog child = ParseDialog(Resource(RT_DIALOG, MAKEINTRESOURCEA(IDD_SAVEAS)));
    EXPECT_EQ(child.cx, 250);
    EXPECT_EQ(child.cy, 24);
    const DWORD childStyle = WS_CHILD | WS_CLIPSIBLINGS | DS_CONTROL | DS_3DLOOK;
    EXPECT_EQ(child.style & childStyle, childStyle);
    ExpectItems(child, {{IDC_SAVEAS_SET_WALLPAPER, "Set as &Wallpaper", 5, 1, 110, 10},
                        {IDC_SAVEAS_SAVE_SETTINGS, "S&ave settings", 115, 1, 130, 10},
                        {IDC_SAVEAS_SAVE_MASTER, "Save &master settings for network", 115, 12, 130, 10}});

    const Dialog oldStyle = ParseDialog(Resource(RT_DIALOG, MAKEINTRESOURCEA(IDD_SAVEAS_OLDSTYLE)));
    for (DWORD id : {0x480u /* edt1 */, 0x460u /* lst1 */, 0x461u /* lst2 */, 0x470u /* cmb1 */,
                     0x471u /* cmb2 */, 1u, 2u, 0x40eu /* pshHelp */, 0x410u /* chx1 */})
        EXPECT_NE(oldStyle.Item(id), nullptr) << id;
    EXPECT_EQ(oldStyle.Item(IDC_SAVEAS_SET_WALLPAPER)->text, "Set as &Wallpaper");
    EXPECT_EQ(oldStyle.Item(IDC_SAVEAS_SAVE_SETTINGS)->text, "S&ave Settings");
    EXPECT_EQ(oldStyle.Item(IDC_SAVEAS_SAVE_MASTER)->text, "Save &Master Settings for Network");
    // The check boxes stand under the lists.
    const DialogItem* lst1 = oldStyle.Item(0x460);
    EXPECT_GT(oldStyle.Item(IDC_SAVEAS_SET_WALLPAPER)->y, lst1->y + lst1->cy);
}

TEST_F(ResourcesTest, LogoIsA167By69TwoColourBitmap)
{
    const std::string data = Resource(RT_BITMAP, MAKEINTRESOURCEA(IDB_LOGO));
    ASSERT_GE(data.size(), sizeof(BITMAPINFOHEADER) + 8);
    BITMAPINFOHEADER header;
    std::memcpy(&header, data.data(), sizeof header);
    EXPECT_EQ(header.biWidth, 167);
    EXPECT_EQ(header.biHeight, 69);
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 1);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(data.substr(sizeof header, 8), std::string("\0\0\0\0\xff\xff\xff\0", 8));

    // A real picture: mostly paper, with a good share of ink.
    const size_t rowSize = ((167 + 31) / 32) * 4;
    ASSERT_EQ(data.size(), sizeof header + 8 + rowSize * 69);
    size_t ink = 0;
    for (size_t row = 0; row < 69; ++row)
        for (size_t x = 0; x < 167; ++x)
            ink += !(static_cast<unsigned char>(data[sizeof header + 8 + row * rowSize + x / 8]) & (0x80 >> (x % 8)));
    EXPECT_GT(ink, 167u * 69u / 10);
    EXPECT_LT(ink, 167u * 69u / 2);

    HBITMAP logo = LoadBitmapA(module, MAKEINTRESOURCEA(IDB_LOGO));
    ASSERT_NE(logo, nullptr);
    BITMAP info;
    GetObjectA(logo, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 167);
    EXPECT_EQ(info.bmBitsPixel, 1);
    DeleteObject(logo);
}

TEST_F(ResourcesTest, IconHasSmallMediumAndLargeImages)
{
    const std::string data = Resource(RT_GROUP_ICON, MAKEINTRESOURCEA(IDI_MAIN));
    ASSERT_GE(data.size(), 6u);
    WORD count = 0;
    std::memcpy(&count, data.data() + 4, 2);
    std::vector<int> sizes;
    for (WORD i = 0; i < count && 6u + 14u * (i + 1) <= data.size(); ++i)
        sizes.push_back(static_cast<unsigned char>(data[6 + 14 * i]));
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));
}

TEST_F(ResourcesTest, VersionResourceNamesTheProduct)
{
    const std::string path = ExePath();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), handle, size, block.data()));

    void* pointer = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &pointer, &length));
    ASSERT_GE(length, 4u);
    DWORD translation;
    std::memcpy(&translation, pointer, 4);
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "\\StringFileInfo\\%04x%04x\\", LOWORD(translation), HIWORD(translation));
    for (const char* name : {"FileVersion", "ProductVersion", "FileDescription", "LegalCopyright", "Comments",
                             "ProductName"}) {
        ASSERT_TRUE(VerQueryValueA(block.data(), (std::string(prefix) + name).c_str(), &pointer, &length)) << name;
        EXPECT_GT(std::strlen(static_cast<const char*>(pointer)), 0u) << name;
    }
    VerQueryValueA(block.data(), (std::string(prefix) + "ProductName").c_str(), &pointer, &length);
    EXPECT_STREQ(static_cast<const char*>(pointer), "Murvex");
}

TEST_F(ResourcesTest, ManifestAsksForDpiAwarenessCommonControlsAndCurrentSystems)
{
    const std::string manifest = Resource(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true"),
              std::string::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);  // 10 and 11
    EXPECT_NE(manifest.find("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"), std::string::npos);  // 7
}
