#include "quadrix/Quaternion.h"

#include <algorithm>
#include <cmath>

#include "Rotation.h"

namespace quadrix {

namespace {

// The rotation by radians about a unit axis.
Quaternion unitAxisRotation(float x, float y, float z, double radians) {
    const auto s = static_cast<float>(std::sin(radians / 2.0));
    const auto c = static_cast<float>(std::cos(radians / 2.0));
    return {x * s, y * s, z * s, c};
}

}  // namespace

float Quaternion::length() const {
    return std::sqrt(squaredLength());
}

Quaternion& Quaternion::normalize() {
    const float len = length();
    if (len == 0.0f) {
        return *this;
    }
    *this /= len;
    return *this;
}

Quaternion Quaternion::inversed() const {
    Quaternion result = conjugated();
    result /= squaredLength();
    return result;
}

Quaternion Quaternion::operator*(const Quaternion& q) const {
    const Vector3 a(x, y, z);
    const Vector3 b(q.x, q.y, q.z);
    return {b * w + a * q.w + a.cross(b), w * q.w - a.dot(b)};
}

Quaternion& Quaternion::operator/=(float f) {
    x /= f;
    y /= f;
    z /= f;
    w /= f;
    return *this;
}

Matrix3 Quaternion::mat3() const {
    return {1.0f - 2.0f * (y * y + z * z), 2.0f * (x * y - w * z),        2.0f * (x * z + w * y),
            2.0f * (x * y + w * z),        1.0f - 2.0f * (x * x + z * z), 2.0f * (y * z - w * x),
            2.0f * (x * z - w * y),        2.0f * (y * z + w * x),        1.0f - 2.0f * (x * x + y * y)};
}

Matrix4 Quaternion::mat4(const Vector3& translation) const {
    Matrix4 result(mat3());
    result[12] = translation.x;
    result[13] = translation.y;
    result[14] = translation.z;
    return result;
}

Quaternion Quaternion::fromAxisAngle(float x, float y, float z, float degrees) {
    return fromAxisAngle(Vector3(x, y, z), degrees);
}

Quaternion Quaternion::fromAxisAngle(const Vector3& axis, float degrees) {
    const Vector3 unit = axis.normalized();
    return unitAxisRotation(unit.x, unit.y, unit.z, degrees * detail::radiansPerDegree);
}

Quaternion Quaternion::fromEulerAngles(float a, float b, float c) {
    return unitAxisRotation(0.0f, 1.0f, 0.0f, -a) * unitAxisRotation(1.0f, 0.0f, 0.0f, -b) *
           unitAxisRotation(0.0f, 0.0f, 1.0f, -c);
}

Quaternion Quaternion::slerp(const Quaternion& q1, const Quaternion& q2, float t) {
    // Rounding can push the dot product of unit quaternions just past 1; clamping keeps acos defined.
    const double theta = std::acos(std::clamp(static_cast<double>(q1.dot(q2)), -1.0, 1.0));
    const double sinTheta = std::sin(theta);
    double w1 = 1.0 - t;
    double w2 = t;
    if (sinTheta > 1e-6) {
        w1 = std::sin((1.0 - t) * theta) / sinTheta;
        w2 = std::sin(t * theta) / sinTheta;
    }
    return q1 * static_cast<float>(w1) + q2 * static_cast<float>(w2);
}

}  // namespace quadrix
