#pragma once

namespace tolvane {

// Folds a number above 81 into the 81 numbers for looking up their meanings: modulo 80, a remainder of 0
// becoming 80 (82 -> 2, 160 -> 80, 161 -> 1). 81 and everything below stay as they are. The grids themselves
// are never folded.
constexpr int fold81(int n)
{
    if (n <= 81)
        return n;
    const int r = n % 80;
    return r == 0 ? 80 : r;
}

} // namespace tolvane
