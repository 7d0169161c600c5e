#pragma once
// The main window's rectangle arithmetic, kept apart from the window so that it
// can be checked without one.

#include <windows.h>

#include <vector>

// Where a page goes inside the tab control, in the main window's client coordinates:
// centred across, ending one pixel more than the side gap above the tab control's
// bottom. Both rectangles are client areas in screen coordinates.
POINT PageOrigin(const RECT& tabClient, const RECT& mainClient, SIZE page, bool rightToLeft);

// A page's width that leaves the same gap on its right as on its left (window
// rectangles in one coordinate system).
int FittedPageWidth(const RECT& tab, const RECT& page);

// A double-click on an edge of the window fits the preview to the wallpaper's
// proportions. Corners are done as two edges, posted in the order that suits the
// wallpaper's shape.
struct ProportionsFit {
    RECT window;
    int followUps[2];  // hit-test codes to post, 0 for none
};
ProportionsFit FitProportions(int hitTest, const RECT& window, SIZE preview, SIZE wallpaper, const RECT& workArea,
                              SIZE minTrack);

// The tabs after General, as pages 1 Captions, 2 Notes, 3 Grid: the edits that bring the
// tabs present to one per section that is on, in that order, keeping the tabs that stay
// (so the one selected keeps its selection).
struct TabEdit {
    enum Kind { Insert, Delete } kind;
    int index;  // of the tab control, General being 0
    int page;   // with Insert
};
std::vector<TabEdit> SectionTabEdits(const std::vector<int>& present, const bool (&on)[3]);
