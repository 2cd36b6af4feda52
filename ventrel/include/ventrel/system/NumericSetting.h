#pragma once

#include <algorithm>

namespace ventrel::system {

// A whole number in a range, changed in steps by a settings row.
struct NumericSetting {
    bool enabled = true;
    int minimum = 0;
    int maximum = 100;
    int step = 5;
    bool showPercent = true;
    bool useProgressBar = false;
    int value = 100;

    void increase() { value = std::min(value + step, maximum); }
    void decrease() { value = std::max(value - step, minimum); }
};

}  // namespace ventrel::system
