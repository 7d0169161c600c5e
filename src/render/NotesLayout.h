#pragma once
// Notes without captions are wrapped so that their block approaches the screen's
// proportions. The width is found by a bisection of up to 100 trials, each deciding
// from the block that DrawText would make at the trial width.

#include <windows.h>

#include <string>
#include <vector>

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
