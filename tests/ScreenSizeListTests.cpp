#include <gtest/gtest.h>

#include "settings/ScreenSizeList.h"

namespace {

struct Row {
    std::string text;
    bool enabled;
    bool operator==(const Row& other) const { return text == other.text && enabled == other.enabled; }
};

std::ostream& operator<<(std::ostream& out, const Row& row)
{
    return out << row.text << (row.enabled ? " [x]" : " [ ]");
}

std::vector<Row> Rows(const ScreenSizeList& list)
{
    std::vector<Row> rows;
    for (const ScreenSize& entry : list.Entries()) rows.push_back({entry.RowText(), entry.enabled});
    return rows;
}

ScreenSizeList WithStoredSizes(std::vector<PackedSize> stored)
{
    ScreenSizeList list;
    list.ExchangeGridArray(GridArrayDirection::Load, stored);
    return list;
}

}  // namespace

TEST(ScreenSizeList, FirstStartOn1024x768EnablesWhatFits)
{
    ScreenSizeList list;
    list.PopulateScreenSizes(1024, 768);
    const std::vector<Row> expected = {
        {"640 x 480", true},    {"800 x 600", true},    {"1024 x 768", true},   {"1152 x 864", false},
        {"1280 x 960", false},  {"1280 x 1024", false}, {"1600 x 1200", false},
    };
    EXPECT_EQ(Rows(list), expected);
}

TEST(ScreenSizeList, FirstStartOn1280x800InsertsTheScreenByArea)
{
    ScreenSizeList list;
    list.PopulateScreenSizes(1280, 800);
    const std::vector<Row> expected = {
        {"640 x 480", true},   {"800 x 600", true},    {"1024 x 768", true},   {"1152 x 864", false},
        {"1280 x 800", true},  {"1280 x 960", false},  {"1280 x 1024", false}, {"1600 x 1200", false},
    };
    EXPECT_EQ(Rows(list), expected);
}

TEST(ScreenSizeList, EqualAreaGoesAfterEarlierEntries)
{
    ScreenSizeList list;
    list.PopulateScreenSizes(1024, 768);
    EXPECT_TRUE(list.AddScreenSize(960, 1280, false));
    EXPECT_EQ(list.Entries()[4].RowText(), "1280 x 960");
    EXPECT_EQ(list.Entries()[5].RowText(), "960 x 1280");
    EXPECT_EQ(list.Entries()[6].RowText(), "1280 x 1024");
}

TEST(ScreenSizeList, DuplicateIsNotInsertedAndOnlyGainsEnable)
{
    ScreenSizeList list;
    list.PopulateScreenSizes(800, 600);
    ASSERT_FALSE(list.Entries()[2].enabled);  // 1024 x 768
    EXPECT_FALSE(list.AddScreenSize(1024, 768, true));
    EXPECT_EQ(list.Entries().size(), 7u);
    EXPECT_TRUE(list.Entries()[2].enabled);
    EXPECT_FALSE(list.AddScreenSize(1024, 768, false));
    EXPECT_TRUE(list.Entries()[2].enabled);
}

TEST(ScreenSizeList, CollectsEnabledLargestFirst)
{
    ScreenSizeList list;
    list.AddScreenSize(1024, 768, true);
    list.AddScreenSize(640, 480, false);
    list.AddScreenSize(800, 600, true);
    EXPECT_EQ(list.CollectEnabledSizes(), (std::vector<PackedSize>{PackSize(1024, 768), PackSize(800, 600)}));
    // Among equal areas the later entry comes first.
    list.AddScreenSize(768, 1024, true);
    EXPECT_EQ(list.CollectEnabledSizes().front(), PackSize(768, 1024));
    EXPECT_TRUE(ScreenSizeList().CollectEnabledSizes().empty());
}

TEST(ScreenSizeList, StoredSizesDecideWhatIsEnabled)
{
    ScreenSizeList list = WithStoredSizes({PackSize(1600, 1200)});
    list.PopulateScreenSizes(800, 600);
    for (const ScreenSize& entry : list.Entries())
        EXPECT_EQ(entry.enabled, entry.size == PackSize(1600, 1200)) << entry.RowText();
}

TEST(ScreenSizeList, StoredSizeOffTheDefaultsIsInsertedEnabled)
{
    ScreenSizeList list = WithStoredSizes({PackSize(1400, 1050), PackSize(800, 600)});
    list.PopulateScreenSizes(1024, 768);
    ASSERT_EQ(list.Entries().size(), 8u);
    EXPECT_EQ(list.Entries()[5].RowText(), "1280 x 1024");
    EXPECT_EQ(list.Entries()[6].RowText(), "1400 x 1050");
    EXPECT_TRUE(list.Entries()[6].enabled);
    EXPECT_EQ(list.CollectEnabledSizes(), (std::vector<PackedSize>{PackSize(1400, 1050), PackSize(800, 600)}));
}

TEST(ScreenSizeList, ExtremeSizesKeepTheOrder)
{
    ScreenSizeList list = WithStoredSizes({PackSize(65535, 65535), PackSize(0, 0), PackSize(0, 65535)});
    list.PopulateScreenSizes(1024, 768);
    ASSERT_EQ(list.Entries().size(), 10u);
    EXPECT_EQ(list.Entries()[0].RowText(), "0 x 0");
    EXPECT_EQ(list.Entries()[1].RowText(), "0 x 65535");  // area 0 too, inserted later
    EXPECT_EQ(list.Entries().back().RowText(), "65535 x 65535");
    EXPECT_EQ(list.Entries().back().Area(), 65535u * 65535u);
    EXPECT_EQ(list.CollectEnabledSizes().front(), PackSize(65535, 65535));
}

TEST(ScreenSizeList, GridArrayHookLoadsReplacesAndSaves)
{
    ScreenSizeList list;
    std::vector<PackedSize> empty;
    list.ExchangeGridArray(GridArrayDirection::Load, empty);
    EXPECT_FALSE(list.HasStoredList());

    std::vector<PackedSize> stored = {PackSize(800, 600)};
    list.ExchangeGridArray(GridArrayDirection::Load, stored);
    list.ExchangeGridArray(GridArrayDirection::Load, stored);
    EXPECT_TRUE(list.HasStoredList());
    EXPECT_EQ(list.StoredSizes().size(), 1u);  // a second load gives the same
    list.ExchangeGridArray(GridArrayDirection::Load, empty);
    EXPECT_TRUE(list.HasStoredList());  // nothing stored: what was known stays

    list.PopulateScreenSizes(1024, 768);
    EXPECT_EQ(list.CollectEnabledSizes(), std::vector<PackedSize>{PackSize(800, 600)});

    std::vector<PackedSize> untouched = {1, 2, 3};
    list.ExchangeGridArray(GridArrayDirection::Other, untouched);
    EXPECT_EQ(untouched.size(), 3u);
    EXPECT_EQ(list.StoredSizes().size(), 1u);

    std::vector<PackedSize> saved = {7};
    list.ExchangeGridArray(GridArrayDirection::Save, saved);
    EXPECT_EQ(saved, std::vector<PackedSize>{PackSize(800, 600)});
}

TEST(ScreenSizeList, SelectionOperations)
{
    ScreenSizeList list;
    list.PopulateScreenSizes(1024, 768);
    list.SetSelectionEnabled({6, 4, 4, 99}, true);
    EXPECT_TRUE(list.Entries()[4].enabled);
    EXPECT_TRUE(list.Entries()[6].enabled);
    list.SetSelectionEnabled({0, 6}, false);
    EXPECT_FALSE(list.Entries()[0].enabled);
    EXPECT_FALSE(list.Entries()[6].enabled);

    // Rows are removed from the last to the first, so each index names the row it meant.
    list.RemoveSelection({0, 2, 6, 2, 42});
    const std::vector<Row> expected = {
        {"800 x 600", true}, {"1152 x 864", false}, {"1280 x 960", true}, {"1280 x 1024", false},
    };
    EXPECT_EQ(Rows(list), expected);
    list.SetEnabled(100, true);  // out of range: nothing
    EXPECT_EQ(Rows(list), expected);
}
