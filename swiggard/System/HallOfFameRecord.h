#pragma once

#include <kit/Types.h>

namespace System {

// One line of a hall-of-fame list: a player's value, character and name.
struct HallOfFameRecord {
    int value = 0;
    kit::String character;
    kit::String name;

    bool operator==(const HallOfFameRecord& other) const = default;
};

}  // namespace System
