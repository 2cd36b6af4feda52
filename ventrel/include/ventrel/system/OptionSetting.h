#pragma once

#include <algorithm>

#include <kit/Types.h>

namespace ventrel::system {

// One string out of a list; stepping wraps around at both ends. A value not in the list steps as if
// it stood before the first option.
struct OptionSetting {
    bool enabled = true;
    kit::Array<kit::String> options;
    kit::String value;

    void increase() { step(1); }
    void decrease() { step(-1); }

private:
    void step(int direction) {
        int count = static_cast<int>(options.size());
        if (count == 0) {
            return;
        }
        auto found = std::find(options.begin(), options.end(), value);
        int index = found == options.end() ? -1 : static_cast<int>(found - options.begin());
        value = options[((index + direction) % count + count) % count];
    }
};

// The same value as an option, kept beside it because it differs only in who steps it: the settings
// menu hands it to the game instead of stepping it itself.
struct SpecialSetting : OptionSetting {};

}  // namespace ventrel::system
