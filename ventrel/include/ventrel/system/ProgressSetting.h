#pragma once

#include <algorithm>

namespace ventrel::system {

// A fraction from 0 to 1, changed in steps by a settings row.
struct ProgressSetting {
    bool enabled = true;
    bool showPercent = true;
    float step = 0.05f;
    float value = 1.0f;

    void increase() { value = std::min(value + step, 1.0f); }
    void decrease() { value = std::max(value - step, 0.0f); }
};

}  // namespace ventrel::system
