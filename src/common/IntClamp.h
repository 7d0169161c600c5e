#pragma once
// Sizes are worked out in 64 bits and handed to the system in 32.

#include <climits>

// The nearest int.
inline int ClampToInt(long long value)
{
    return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}
