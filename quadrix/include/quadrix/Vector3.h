#pragma once

#include "quadrix/Vector2.h"

namespace quadrix {

// A 3D position or direction, single precision with exact comparisons.
class Vector3 {
public:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vector3() = default;
    Vector3(float x, float y, float z) : x(x), y(y), z(z) {}
    Vector3(const Vector2& v, float z) : x(v.x), y(v.y), z(z) {}

    void set(float newX, float newY, float newZ) {
        x = newX;
        y = newY;
        z = newZ;
    }
    void set(const Vector2& v, float newZ) { set(v.x, v.y, newZ); }

    bool isNull() const { return x == 0.0f && y == 0.0f && z == 0.0f; }
    float length() const;
    float squaredLength() const { return x * x + y * y + z * z; }
    float dot(const Vector3& v) const { return x * v.x + y * v.y + z * v.z; }
    Vector3 cross(const Vector3& v) const {
        return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
    }

    // A vector of length exactly 0 is left unchanged.
    Vector3& normalize();
    Vector3 normalized() const { return Vector3(*this).normalize(); }

    Vector3 operator-() const { return {-x, -y, -z}; }
    Vector3 operator+(const Vector3& v) const { return {x + v.x, y + v.y, z + v.z}; }
    Vector3 operator-(const Vector3& v) const { return {x - v.x, y - v.y, z - v.z}; }
    Vector3 operator*(const Vector3& v) const { return {x * v.x, y * v.y, z * v.z}; }
    Vector3 operator/(const Vector3& v) const { return {x / v.x, y / v.y, z / v.z}; }
    Vector3 operator*(float f) const { return {x * f, y * f, z * f}; }
    Vector3 operator/(float f) const { return *this * (1.0f / f); }

    Vector3& operator+=(const Vector3& v) { return *this = *this + v; }
    Vector3& operator-=(const Vector3& v) { return *this = *this - v; }
    Vector3& operator*=(const Vector3& v) { return *this = *this * v; }
    Vector3& operator/=(const Vector3& v) { return *this = *this / v; }
    Vector3& operator*=(float f) { return *this = *this * f; }
    Vector3& operator/=(float f) { return *this = *this / f; }

    bool operator==(const Vector3& v) const { return x == v.x && y == v.y && z == v.z; }
    bool operator!=(const Vector3& v) const { return !(*this == v); }
};

}  // namespace quadrix
