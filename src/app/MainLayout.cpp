#include "app/MainLayout.h"

#include <algorithm>

#include "common/IntClamp.h"

POINT PageOrigin(const RECT& tabClient, const RECT& mainClient, SIZE page, bool rightToLeft)
{
    const int tabWidth = tabClient.right - tabClient.left;
    const int tabHeight = tabClient.bottom - tabClient.top;
    const int dx = (tabWidth - page.cx) / 2;
    const int dy = tabHeight - page.cy - dx - 1;
    const int x = rightToLeft ? dx + (mainClient.right - tabClient.right) : dx + (tabClient.left - mainClient.left);
    return {x, dy + (tabClient.top - mainClient.top)};
}

int FittedPageWidth(const RECT& tab, const RECT& page) { return (tab.right - page.left) - (page.left - tab.left); }

ProportionsFit FitProportions(int hitTest, const RECT& window, SIZE preview, SIZE wallpaper, const RECT& workArea,
                              SIZE minTrack)
{
    ProportionsFit fit = {window, {0, 0}};
    // Without a wallpaper or a preview there are no proportions to fit.
    if (wallpaper.cx <= 0 || wallpaper.cy <= 0 || preview.cx <= 0 || preview.cy <= 0) return fit;
    long long bw = wallpaper.cx, bh = wallpaper.cy;
    const long long pw = preview.cx, ph = preview.cy;
    const bool wider = static_cast<double>(bw) / static_cast<double>(bh) >
                       static_cast<double>(pw) / static_cast<double>(ph);
    RECT& r = fit.window;
    // The wallpaper is only ever scaled down, to the preview's height (or width).
    auto fitHeight = [&] {
        if (bh > ph) {
            bw = bw * ph / bh;
            bh = ph;
        }
    };
    auto fitWidth = [&] {
        if (bw > pw) {
            bh = bh * pw / bw;
            bw = pw;
        }
    };
    auto corner = [&](int horizontal, int vertical) {
        fit.followUps[0] = wider ? horizontal : vertical;
        fit.followUps[1] = wider ? vertical : horizontal;
    };
    switch (hitTest) {
    case HTLEFT:
        fitHeight();
        r.left = ClampToInt(r.left + pw - bw);
        r.left = std::max(r.left, workArea.left);
        r.left = std::min<LONG>(r.left, r.right - minTrack.cx);
        break;
    case HTRIGHT:
        fitHeight();
        r.right = std::min<LONG>(ClampToInt(r.right + bw - pw), workArea.right);
        break;
    case HTTOP:
        fitWidth();
        r.top = ClampToInt(r.top + ph - bh);
        r.top = std::max(r.top, workArea.top);
        r.top = std::min<LONG>(r.top, r.bottom - minTrack.cy);
        break;
    case HTBOTTOM:
        fitWidth();
        r.bottom = std::min<LONG>(ClampToInt(r.bottom + bh - ph), workArea.bottom);
        break;
    case HTTOPLEFT: corner(HTLEFT, HTTOP); break;
    case HTTOPRIGHT: corner(HTRIGHT, HTTOP); break;
    case HTBOTTOMLEFT: corner(HTLEFT, HTBOTTOM); break;
    case HTBOTTOMRIGHT: corner(HTRIGHT, HTBOTTOM); break;
    default: break;
    }
    return fit;
}

std::vector<TabEdit> SectionTabEdits(const std::vector<int>& present, const bool (&on)[3])
{
    std::vector<TabEdit> edits;
    size_t next = 0;  // in `present`, the first tab not yet passed
    int index = 1;    // General is always first
    for (int page = 1; page <= 3; ++page) {
        const bool there = next < present.size() && present[next] == page;
        if (there) ++next;
        if (there && on[page - 1]) {
            ++index;
        } else if (there) {
            edits.push_back({TabEdit::Delete, index, page});
        } else if (on[page - 1]) {
            edits.push_back({TabEdit::Insert, index++, page});
        }
    }
    return edits;
}
