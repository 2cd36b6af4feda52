#include "quadrix/Matrix3.h"

#include <algorithm>
#include <cmath>

#include "Rotation.h"
#include "quadrix/Matrix4.h"

namespace quadrix {

Matrix3::Matrix3() {
    setIdentity();
}

Matrix3::Matrix3(float m0, float m1, float m2, float m3, float m4, float m5, float m6, float m7, float m8)
    : m{m0, m1, m2, m3, m4, m5, m6, m7, m8} {}

Matrix3::Matrix3(const float* elements) {
    std::copy_n(elements, 9, m);
}

Matrix3::Matrix3(const Matrix4& other)
    : m{other[0], other[1], other[2], other[4], other[5], other[6], other[8], other[9], other[10]} {}

Matrix3& Matrix3::setZero() {
    std::fill_n(m, 9, 0.0f);
    return *this;
}

Matrix3& Matrix3::setIdentity() {
    setZero();
    m[0] = m[4] = m[8] = 1.0f;
    return *this;
}

Matrix3& Matrix3::setTranslation(float x, float y) {
    setIdentity();
    m[6] = x;
    m[7] = y;
    return *this;
}

Matrix3& Matrix3::setScale(float x, float y) {
    return setScale3D(x, y, 1.0f);
}

Matrix3& Matrix3::setScale3D(float x, float y, float z) {
    setZero();
    m[0] = x;
    m[4] = y;
    m[8] = z;
    return *this;
}

Matrix3& Matrix3::setRotation(float degrees) {
    const double a = degrees * detail::radiansPerDegree;
    const auto k = static_cast<float>(std::cos(a));
    const auto s = static_cast<float>(std::sin(a));
    setIdentity();
    m[0] = m[4] = k;
    m[1] = -s;
    m[3] = s;
    return *this;
}

Matrix3& Matrix3::setRotation3D(float x, float y, float z, float degrees) {
    const auto block = detail::axisAngleBlock(Vector3(x, y, z), degrees);
    std::copy(block.begin(), block.end(), m);
    return *this;
}

Matrix3 Matrix3::operator*(const Matrix3& other) const {
    Matrix3 result;
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 3; ++r) {
            result.m[c * 3 + r] =
                m[r] * other.m[c * 3] + m[3 + r] * other.m[c * 3 + 1] + m[6 + r] * other.m[c * 3 + 2];
        }
    }
    return result;
}

Matrix3 Matrix3::operator+(const Matrix3& other) const {
    Matrix3 result;
    std::transform(m, m + 9, other.m, result.m, [](float a, float b) { return a + b; });
    return result;
}

Matrix3 Matrix3::operator-(const Matrix3& other) const {
    Matrix3 result;
    std::transform(m, m + 9, other.m, result.m, [](float a, float b) { return a - b; });
    return result;
}

Matrix3 Matrix3::operator*(float f) const {
    Matrix3 result;
    std::transform(m, m + 9, result.m, [f](float a) { return a * f; });
    return result;
}

Vector3 Matrix3::operator*(const Vector3& v) const {
    return {m[0] * v.x + m[3] * v.y + m[6] * v.z, m[1] * v.x + m[4] * v.y + m[7] * v.z,
            m[2] * v.x + m[5] * v.y + m[8] * v.z};
}

Vector2 Matrix3::operator*(const Vector2& v) const {
    return {m[0] * v.x + m[3] * v.y + m[6], m[1] * v.x + m[4] * v.y + m[7]};
}

bool Matrix3::operator==(const Matrix3& other) const {
    return std::equal(m, m + 9, other.m);
}

float Matrix3::det() const {
    return column(0).dot(column(1).cross(column(2)));
}

Matrix3 Matrix3::inversed() const {
    // The rows of the adjugate are the cross products of the columns taken in pairs (the cofactors).
    const Vector3 c0 = column(0);
    const Vector3 c1 = column(1);
    const Vector3 c2 = column(2);
    const Vector3 rows[3] = {c1.cross(c2), c2.cross(c0), c0.cross(c1)};
    const float d = c0.dot(rows[0]);
    Matrix3 result;
    for (int r = 0; r < 3; ++r) {
        result.m[r] = rows[r].x / d;
        result.m[3 + r] = rows[r].y / d;
        result.m[6 + r] = rows[r].z / d;
    }
    return result;
}

Matrix3 Matrix3::transposed() const {
    return {m[0], m[3], m[6], m[1], m[4], m[7], m[2], m[5], m[8]};
}

Matrix3 Matrix3::inversedRotation() const {
    Matrix3 result = *this;
    std::swap(result.m[1], result.m[3]);
    return result;
}

Matrix3 Matrix3::orthoNormalized() const {
    const Vector3 x = column(0).normalized();
    Vector3 y = column(1);
    y -= x * x.dot(y);
    y.normalize();
    Vector3 z = column(2);
    z -= x * x.dot(z);
    z -= y * y.dot(z);
    z.normalize();
    Matrix3 result;
    result.setColumn(0, x);
    result.setColumn(1, y);
    result.setColumn(2, z);
    return result;
}

void Matrix3::setColumn(int c, const Vector3& v) {
    m[c * 3] = v.x;
    m[c * 3 + 1] = v.y;
    m[c * 3 + 2] = v.z;
}

}  // namespace quadrix
