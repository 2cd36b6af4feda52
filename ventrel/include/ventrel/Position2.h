#pragma once

#include <kit/Types.h>
#include <quadrix/Vector2.h>
#include <serial/Serializable.h>

#include "ventrel/Direction.h"

namespace ventrel {

// An integer grid position (column, row); y grows downwards.
class Position2 : public serial::Serializable {
public:
    static const Position2 Invalid;

    int x = 0;
    int y = 0;

    Position2() = default;
    Position2(int x, int y) : x(x), y(y) {}
    // The offset of a direction.
    Position2(const Direction& direction);
    Position2(const Position2& other) = default;
    Position2& operator=(const Position2& other) = default;
    ~Position2() override = default;

    void set(int newX, int newY) {
        x = newX;
        y = newY;
    }
    bool isValid() const { return x >= 0 && y >= 0; }

    // The direction this position points to when read as an offset.
    Direction getDir4() const;
    Direction getDir8() const;

    float distance(const Position2& other) const;
    int distanceSquared(const Position2& other) const;
    int distanceCoordinates(const Position2& other) const;
    // The nearest / farthest by coordinate distance; ties are broken uniformly at random.
    Position2 findClosest(const kit::Array<Position2>& positions) const;
    Position2 findFarthest(const kit::Array<Position2>& positions) const;

    quadrix::Vector2 toVector2() const { return quadrix::Vector2(float(x), float(y)); }
    static Position2 fromVector2(const quadrix::Vector2& vector);
    // "x,y"; fromString raises kit::Exception for text without exactly one comma.
    kit::String toString() const;
    static Position2 fromString(const kit::String& text);

    // The direction of a free vector; the zero vector points Down.
    static Direction dir4(const quadrix::Vector2& vector);
    static Direction dir8(const quadrix::Vector2& vector);

    bool operator==(const Position2& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Position2& other) const { return !(*this == other); }
    // Orders by the sum of the coordinates only.
    bool operator<(const Position2& other) const { return x + y < other.x + other.y; }
    bool operator>(const Position2& other) const { return x + y > other.x + other.y; }
    Position2 operator+(const Position2& other) const { return Position2(x + other.x, y + other.y); }
    Position2 operator-(const Position2& other) const { return Position2(x - other.x, y - other.y); }
    Position2 operator-() const { return Position2(-x, -y); }
    Position2 operator*(int factor) const { return Position2(x * factor, y * factor); }
    Position2 operator/(int divisor) const { return Position2(x / divisor, y / divisor); }
    Position2 operator+(const Direction& direction) const { return *this + Position2(direction); }
    Position2 operator+=(const Position2& other) { return *this = *this + other; }
    Position2 operator+=(const Direction& direction) { return *this = *this + direction; }
    Position2 operator-=(const Position2& other) { return *this = *this - other; }
    Position2 operator*=(int factor) { return *this = *this * factor; }
    Position2 operator/=(int divisor) { return *this = *this / divisor; }

    kit::String _serialName() const override { return "ventrel::Position2"; }
    kit::Array<serial::Variable> _serialVars() override;

private:
    Position2 _pickByDistance(const kit::Array<Position2>& positions, bool closest) const;
};

}  // namespace ventrel
