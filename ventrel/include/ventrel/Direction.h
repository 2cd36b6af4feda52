#pragma once

#include <kit/EnumerationType.h>

namespace ventrel {

// The eight compass directions and three special values, numbered like a numeric keypad.
class Direction : public kit::EnumerationType<Direction> {
public:
    static constexpr const char* TypeName = "Direction";

    using EnumerationType::EnumerationType;

    static const Direction None;
    static const Direction DownLeft;
    static const Direction Down;
    static const Direction DownRight;
    static const Direction Left;
    static const Direction Neutral;
    static const Direction Right;
    static const Direction UpLeft;
    static const Direction Up;
    static const Direction UpRight;
    static const Direction Max;

    bool isDiagonal() const;
};

}  // namespace ventrel
