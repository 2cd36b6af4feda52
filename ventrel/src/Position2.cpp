#include "ventrel/Position2.h"

#include <kit/Exception.h>
#include <kit/Format.h>
#include <kit/Random.h>
#include <kit/Strings.h>
#include <serial/Factory.h>

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace ventrel {

const Position2 Position2::Invalid(-1, -1);

namespace {

const bool registered = serial::Factory::add<Position2>("ventrel::Position2");

struct Offset {
    unsigned int direction;
    int x;
    int y;
};

constexpr Offset Offsets[] = {{1, -1, 1}, {2, 0, 1},   {3, 1, 1},  {4, -1, 0},
                              {6, 1, 0},  {7, -1, -1}, {8, 0, -1}, {9, 1, -1}};

}  // namespace

Position2::Position2(const Direction& direction) {
    for (const Offset& offset : Offsets) {
        if (offset.direction == direction.getValue()) {
            set(offset.x, offset.y);
        }
    }
}

Direction Position2::getDir4() const {
    if (y >= 1) {
        return Direction::Down;
    }
    if (x < 0) {
        return Direction::Left;
    }
    if (x >= 1) {
        return Direction::Right;
    }
    return y < 0 ? Direction::Up : Direction::None;
}

Direction Position2::getDir8() const {
    if (y > 0 && x < 0) {
        return Direction::DownLeft;
    }
    if (y > 0 && x > 0) {
        return Direction::DownRight;
    }
    if (y < 0 && x < 0) {
        return Direction::UpLeft;
    }
    if (y < 0 && x > 0) {
        return Direction::UpRight;
    }
    return getDir4();
}

float Position2::distance(const Position2& other) const {
    return static_cast<float>(std::hypot(double(x - other.x), double(y - other.y)));
}

int Position2::distanceSquared(const Position2& other) const {
    int dx = x - other.x;
    int dy = y - other.y;
    return dx * dx + dy * dy;
}

int Position2::distanceCoordinates(const Position2& other) const {
    return std::abs(x - other.x) + std::abs(y - other.y);
}

Position2 Position2::_pickByDistance(const kit::Array<Position2>& positions, bool closest) const {
    if (positions.empty()) {
        return Invalid;
    }
    kit::Array<Position2> best;
    int bestDistance = 0;
    for (const Position2& position : positions) {
        int d = distanceCoordinates(position);
        bool better = closest ? d < bestDistance : d > bestDistance;
        if (best.empty() || better) {
            best.assign(1, position);
            bestDistance = d;
        } else if (d == bestDistance) {
            best.push_back(position);
        }
    }
    return kit::randomElement(best);
}

Position2 Position2::findClosest(const kit::Array<Position2>& positions) const {
    return _pickByDistance(positions, true);
}

Position2 Position2::findFarthest(const kit::Array<Position2>& positions) const {
    return _pickByDistance(positions, false);
}

Position2 Position2::fromVector2(const quadrix::Vector2& vector) {
    return Position2(static_cast<int>(std::floor(vector.x)), static_cast<int>(std::floor(vector.y)));
}

kit::String Position2::toString() const {
    return kit::format("%d%c%d", x, ',', y);
}

Position2 Position2::fromString(const kit::String& text) {
    kit::Array<kit::String> parts = kit::split(text, ",");
    if (parts.size() != 2) {
        throw kit::Exception("Cannot convert string '" + text + "' to ventrel::Position2.");
    }
    return Position2(kit::toInt(kit::trim(parts[0])), kit::toInt(kit::trim(parts[1])));
}

Direction Position2::dir4(const quadrix::Vector2& vector) {
    if (vector.x * vector.x + vector.y * vector.y == 0) {
        return Direction::Down;
    }
    if (std::fabs(vector.x) >= std::fabs(vector.y)) {
        return vector.x > 0 ? Direction::Right : Direction::Left;
    }
    return vector.y > 0 ? Direction::Down : Direction::Up;
}

Direction Position2::dir8(const quadrix::Vector2& vector) {
    if (vector.x * vector.x + vector.y * vector.y == 0) {
        return Direction::Down;
    }
    double angle =
        std::fmod(std::atan2(-double(vector.y), double(vector.x)) * 180.0 / std::numbers::pi, 360.0);
    if (angle < 0) {
        angle += 360.0;
    }
    struct Range {
        double from;
        double to;
        const Direction* direction;
    };
    const Range ranges[] = {
        {0, 22.5, &Direction::Right},         {337.5, 360, &Direction::Right},
        {157.5, 202.5, &Direction::Left},     {247.5, 292.5, &Direction::Down},
        {67.5, 112.5, &Direction::Up},        {292.5, 337.5, &Direction::DownRight},
        {202.5, 247.5, &Direction::DownLeft}, {22.5, 67.5, &Direction::UpRight},
        {112.5, 157.5, &Direction::UpLeft},
    };
    for (const Range& range : ranges) {
        if (angle >= range.from && angle <= range.to) {
            return *range.direction;
        }
    }
    return Direction::None;
}

kit::Array<serial::Variable> Position2::_serialVars() {
    kit::Array<serial::Variable> vars = serial::Serializable::_serialVars();
    vars.push_back(serial::Variable("x", &x));
    vars.push_back(serial::Variable("y", &y));
    return vars;
}

}  // namespace ventrel
