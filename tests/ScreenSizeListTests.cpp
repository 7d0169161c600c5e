#include <gtest/gtest.h>

#include "settings/ScreenSizeList.h"

// The rows as the Grid page shows them ("640 x 480+" checked, "1152 x 864-" not), from
// a stored list or, on a first start, from the monitors: each monitor's size joins the
// list (the primary first, a size already listed adds nothing) and every size that fits
// any monitor is outlined.
TEST(ScreenSizeList, RowsFromTheStoredListOrTheMonitors)
{
    struct Case {
        std::vector<PackedSize> stored, monitors;
        const char* rows;
    };
    const Case cases[] = {
        {{}, {PackSize(1024, 768)},
         "640 x 480+ 800 x 600+ 1024 x 768+ 1152 x 864- 1280 x 960- 1280 x 1024- 1600 x 1200- "},
        {{}, {PackSize(1280, 800)},  // the screen inserted by area, enabled
         "640 x 480+ 800 x 600+ 1024 x 768+ 1152 x 864- 1280 x 800+ 1280 x 960- 1280 x 1024- 1600 x 1200- "},
        {{}, {PackSize(1920, 1080), PackSize(1280, 1024)},  // a common size adds nothing; both fit
         "640 x 480+ 800 x 600+ 1024 x 768+ 1152 x 864+ 1280 x 960+ 1280 x 1024+ 1600 x 1200- 1920 x 1080+ "},
        {{}, {PackSize(1024, 768), PackSize(2560, 1440)},  // a second monitor larger than the primary
         "640 x 480+ 800 x 600+ 1024 x 768+ 1152 x 864+ 1280 x 960+ 1280 x 1024+ 1600 x 1200+ 2560 x 1440+ "},
        {{}, {PackSize(1600, 900), PackSize(900, 1600)},  // each side compared, on one monitor at a time
         "640 x 480+ 800 x 600+ 1024 x 768+ 1152 x 864+ 1280 x 960- 1280 x 1024- 1600 x 900+ 900 x 1600+ "
         "1600 x 1200- "},
        {{PackSize(1600, 1200)}, {PackSize(800, 600)},  // the stored list decides, not the screen
         "640 x 480- 800 x 600- 1024 x 768- 1152 x 864- 1280 x 960- 1280 x 1024- 1600 x 1200+ "},
        {{PackSize(1400, 1050), PackSize(800, 600)}, {PackSize(1024, 768)},
         "640 x 480- 800 x 600+ 1024 x 768- 1152 x 864- 1280 x 960- 1280 x 1024- 1400 x 1050+ 1600 x 1200- "},
        {{PackSize(65535, 65535), PackSize(0, 0), PackSize(0, 65535)}, {PackSize(640, 480)},  // equal areas keep their order
         "0 x 0+ 0 x 65535+ 640 x 480- 800 x 600- 1024 x 768- 1152 x 864- 1280 x 960- 1280 x 1024- 1600 x 1200- "
         "65535 x 65535+ "},
    };
    for (const Case& c : cases) {
        ScreenSizeList list;
        std::vector<PackedSize> stored = c.stored;
        list.ExchangeGridArray(GridArrayDirection::Load, stored);
        list.PopulateScreenSizes(c.monitors);
        std::string rows;
        for (const ScreenSize& entry : list.Entries()) rows += entry.RowText() + (entry.enabled ? "+ " : "- ");
        EXPECT_EQ(rows, c.rows);
    }
}
