#pragma once
// Notes without captions are wrapped so that their block approaches the screen's
// proportions. The width is found by a bisection of up to 100 trials, each deciding
// from the block that DrawText would make at the trial width.

#include <windows.h>

#include <string>
#include <vector>

// DrawText's word wrapping (DT_WORDBREAK | DT_NOPREFIX, tabs not expanded) worked out
// from the characters' advances, measured once: a trial costs arithmetic instead of a
// layout of the whole text. It covers the text it can follow exactly (plain ASCII
// words, blanks and the punctuation that never opens a break); for other text it is
// not usable and the layout is measured.
class WrapModel {
public:
    // `dc` has the notes' font selected.
    WrapModel(HDC dc, const std::string& text);
    bool Usable() const { return usable_; }
    // The block DrawText would make at `width` from (0, 0): right edge and bottom.
    SIZE Block(int width) const;

private:
    bool usable_ = false;
    std::string text_;
    std::vector<long long> advance_;  // advance_[i]: width of the characters before i
    std::vector<int> lastBreak_;       // lastBreak_[i]: latest k <= i with a break before k, or -1
    std::vector<size_t> lineEnd_;      // lineEnd_[i]: the first CR, LF or the end from i on
    int lineHeight_ = 0;
};

// The text with every word wider than `width` pixels broken at character boundaries
// (CR LF between the pieces), as an edit box breaks it: DrawText would let such a word run
// past the column's edge. Words are runs of characters other than blanks, tabs, CR and
// LF. `dc` has the notes' font selected; a width below 1 leaves the text as it is.
std::string BreakWiderWords(HDC dc, const std::string& text, int width);

class NotesLayout {
public:
    // `dc` has the notes' font selected; it and `text` outlive this object. The
    // block's top edge is at `top`.
    NotesLayout(HDC dc, const std::string& text, int top);

    // The block's width for a screen of cx x cy: the natural width when the text is
    // already narrower than the screen, otherwise the searched one.
    int SearchWidth(long long cx, long long cy);
    // The wrapped block at a width: its right edge (from 0) and its bottom edge.
    SIZE Wrapped(int width);

private:
    template <typename Block>
    int Bisect(SIZE natural, long long cx, long long cy, Block block);
    SIZE Measured(int width);

    HDC dc_;
    const std::string& text_;
    int top_;
    // Blocks measured so far: the width asked for and the block it gave.
    struct Known {
        int width;
        SIZE block;
    };
    std::vector<Known> known_;
};
