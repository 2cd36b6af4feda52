#pragma once

#include "quadrix/Matrix3.h"
#include "quadrix/Matrix4.h"
#include "quadrix/Vector3.h"

namespace quadrix {

// A float quaternion (x, y, z, w), w the scalar part. Comparisons are exact.
class Quaternion {
public:
    // Every component starts at 1: the default is not the identity rotation, which is (0, 0, 0, 1).
    float x = 1.0f;
    float y = 1.0f;
    float z = 1.0f;
    float w = 1.0f;

    Quaternion() = default;
    Quaternion(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}
    Quaternion(const Vector3& v, float w) : x(v.x), y(v.y), z(v.z), w(w) {}

    void set(float newX, float newY, float newZ, float newW) { *this = Quaternion(newX, newY, newZ, newW); }
    void set(const Vector3& v, float newW) { *this = Quaternion(v, newW); }

    float length() const;
    float squaredLength() const { return dot(*this); }
    float dot(const Quaternion& q) const { return x * q.x + y * q.y + z * q.z + w * q.w; }
    // A quaternion of length exactly 0 is left unchanged.
    Quaternion& normalize();
    Quaternion normalized() const { return Quaternion(*this).normalize(); }
    Quaternion& conjugate() { return *this = conjugated(); }
    Quaternion conjugated() const { return {-x, -y, -z, w}; }
    // The conjugate over the squared length; the zero quaternion has no inverse and gives NaNs.
    Quaternion& inverse() { return *this = inversed(); }
    Quaternion inversed() const;

    Quaternion operator-() const { return {-x, -y, -z, -w}; }
    Quaternion operator+(const Quaternion& q) const { return {x + q.x, y + q.y, z + q.z, w + q.w}; }
    Quaternion operator-(const Quaternion& q) const { return {x - q.x, y - q.y, z - q.z, w - q.w}; }
    // The Hamilton product: (a * b) rotates by b first, then by a.
    Quaternion operator*(const Quaternion& q) const;
    Quaternion operator*(float f) const { return {x * f, y * f, z * f, w * f}; }
    Quaternion& operator/=(float f);

    bool operator==(const Quaternion& q) const { return x == q.x && y == q.y && z == q.z && w == q.w; }
    bool operator!=(const Quaternion& q) const { return !(*this == q); }

    // The rotation matrix of a unit quaternion, transposed: in column-major storage element 1 is
    // 2(xy - wz), so the matrix turns the opposite way from the quaternion itself.
    Matrix3 mat3() const;
    // mat3() in the upper-left block with the given translation.
    Matrix4 mat4(const Vector3& translation = Vector3()) const;

    // The rotation by degrees about an axis, which is normalised first (a zero axis stays zero).
    static Quaternion fromAxisAngle(float x, float y, float z, float degrees);
    static Quaternion fromAxisAngle(const Vector3& axis, float degrees);
    // Angles in radians, unlike every other angle here: Qy(-a) * Qx(-b) * Qz(-c).
    static Quaternion fromEulerAngles(float a, float b, float c);
    // Spherical interpolation from q1 (t = 0) to q2 (t = 1). The result is not normalised and the arc is
    // the one from q1 to q2 as given, not necessarily the shorter one: negate q2 first for that.
    static Quaternion slerp(const Quaternion& q1, const Quaternion& q2, float t);
};

}  // namespace quadrix
