#pragma once
// Timing and printing shared by the benchmark's cases.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

inline double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One line: the case's name and the median of its times in milliseconds.
inline void PrintMedian(const char* name, std::vector<double> times)
{
    if (times.empty()) {
        std::printf("%-34s %10s\n", name, "n/a");
    } else {
        std::sort(times.begin(), times.end());
        std::printf("%-34s %10.3f\n", name, times[times.size() / 2]);
    }
    std::fflush(stdout);
}

// Plain prose of the given length, for notes.
inline std::string Prose(size_t length)
{
    static const char* const words[] = {"machine", "wallpaper", "network", "the", "of", "support", "desk",
                                        "identification", "a", "configuration", "server", "notes", "and", "to"};
    std::string text;
    for (size_t i = 0; text.size() < length; ++i) {
        text += words[(i * 7 + i / 3) % (sizeof words / sizeof words[0])];
        text += (i % 17 == 16) ? ". " : " ";
    }
    text.resize(length);
    return text;
}

// The window's cases: start-up to the first preview painted, a keystroke in the
// notes and a tick on "&Grid" to the preview painted.
void RunWindowBenchmarks();
// Whole processes beside their floors: the window's start-up and /refresh.
void RunProcessBenchmarks();
