#pragma once

namespace quadrix {

// A 2D position, size or direction. Arithmetic is single precision, trigonometry double precision, and
// every comparison or zero test is exact. Angles are in degrees; on screen y grows downwards.
class Vector2 {
public:
    float x = 0.0f;
    float y = 0.0f;

    Vector2() = default;
    Vector2(float x, float y) : x(x), y(y) {}

    void set(float newX, float newY) {
        x = newX;
        y = newY;
    }

    bool isNull() const { return x == 0.0f && y == 0.0f; }
    float length() const;
    float squaredLength() const { return x * x + y * y; }
    float dot(const Vector2& v) const { return x * v.x + y * v.y; }

    // atan2(-y, x) in degrees: (0, -1), upwards on screen, is 90.
    float angle() const;

    // The border of the circle counts as inside.
    bool isInCircle(float cx, float cy, float r) const;
    bool isInCircle(const Vector2& center, float r) const { return isInCircle(center.x, center.y, r); }

    // A vector of length exactly 0 is left unchanged.
    Vector2& normalize();
    Vector2 normalized() const { return Vector2(*this).normalize(); }

    // On screen a positive angle turns clockwise, the opposite way from angle().
    Vector2& rotate(float degrees);
    Vector2 rotated(float degrees) const { return Vector2(*this).rotate(degrees); }

    Vector2 operator-() const { return {-x, -y}; }
    Vector2 operator+(const Vector2& v) const { return {x + v.x, y + v.y}; }
    Vector2 operator-(const Vector2& v) const { return {x - v.x, y - v.y}; }
    Vector2 operator*(const Vector2& v) const { return {x * v.x, y * v.y}; }
    Vector2 operator/(const Vector2& v) const { return {x / v.x, y / v.y}; }
    Vector2 operator*(float f) const { return {x * f, y * f}; }
    Vector2 operator/(float f) const { return *this * (1.0f / f); }

    Vector2& operator+=(const Vector2& v) { return *this = *this + v; }
    Vector2& operator-=(const Vector2& v) { return *this = *this - v; }
    Vector2& operator*=(const Vector2& v) { return *this = *this * v; }
    Vector2& operator/=(const Vector2& v) { return *this = *this / v; }
    Vector2& operator*=(float f) { return *this = *this * f; }
    Vector2& operator/=(float f) { return *this = *this / f; }

    bool operator==(const Vector2& v) const { return x == v.x && y == v.y; }
    bool operator!=(const Vector2& v) const { return !(*this == v); }
};

}  // namespace quadrix
