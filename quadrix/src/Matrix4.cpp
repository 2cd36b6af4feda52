#include "quadrix/Matrix4.h"

#include <algorithm>
#include <cmath>

#include "Rotation.h"
#include "quadrix/Matrix3.h"
#include "quadrix/Quaternion.h"

namespace quadrix {

Matrix4::Matrix4() {
    setIdentity();
}

Matrix4::Matrix4(float m0, float m1, float m2, float m3, float m4, float m5, float m6, float m7, float m8,
                 float m9, float m10, float m11, float m12, float m13, float m14, float m15)
    : m{m0, m1, m2, m3, m4, m5, m6, m7, m8, m9, m10, m11, m12, m13, m14, m15} {}

Matrix4::Matrix4(const float* elements) {
    std::copy_n(elements, 16, m);
}

Matrix4::Matrix4(const Matrix3& other) {
    setIdentity();
    for (int c = 0; c < 3; ++c) {
        std::copy_n(static_cast<const float*>(other) + c * 3, 3, m + c * 4);
    }
}

Matrix4::Matrix4(float x, float y, float z, float degrees) {
    setRotation(x, y, z, degrees);
}

Matrix4::Matrix4(const Vector3& axis, float degrees) {
    setRotation(axis, degrees);
}

Matrix4& Matrix4::setZero() {
    std::fill_n(m, 16, 0.0f);
    return *this;
}

Matrix4& Matrix4::setIdentity() {
    setZero();
    m[0] = m[5] = m[10] = m[15] = 1.0f;
    return *this;
}

Matrix4& Matrix4::setTranslation(float x, float y, float z) {
    setIdentity();
    m[12] = x;
    m[13] = y;
    m[14] = z;
    return *this;
}

Matrix4& Matrix4::setScale(float x, float y, float z) {
    setZero();
    m[0] = x;
    m[5] = y;
    m[10] = z;
    m[15] = 1.0f;
    return *this;
}

Matrix4& Matrix4::setRotation(float x, float y, float z, float degrees) {
    *this = Matrix4(Matrix3().setRotation3D(x, y, z, degrees));
    return *this;
}

Matrix4& Matrix4::setOrthoProjection(const Rectangle& r) {
    setZero();
    m[0] = 2.0f / r.w;
    m[5] = -2.0f / r.h;
    m[10] = -2.0f;
    m[12] = -r.x * 2.0f / r.w - 1.0f;
    m[13] = 1.0f + r.y * 2.0f / r.h;
    m[15] = 1.0f;
    return *this;
}

Matrix4& Matrix4::setOrthoProjection(const Rectangle& r, float nearPlane, float farPlane) {
    setOrthoProjection(r);
    m[10] = -2.0f / (farPlane - nearPlane);
    m[14] = (nearPlane + farPlane) / (farPlane - nearPlane);
    return *this;
}

Matrix4& Matrix4::setPerspective(float fovDegrees, float aspect, float nearPlane, float farPlane) {
    const auto f = static_cast<float>(1.0 / std::tan(fovDegrees * detail::radiansPerDegree / 2.0));
    setZero();
    m[0] = f * aspect;
    m[5] = f;
    m[10] = -(nearPlane + farPlane) / (farPlane - nearPlane);
    m[11] = -1.0f;
    m[14] = -2.0f * farPlane * nearPlane / (farPlane - nearPlane);
    return *this;
}

Matrix4& Matrix4::lookAt(const Vector3& eye, const Vector3& target, const Vector3& up) {
    const Vector3 f = (eye - target).normalize();
    const Vector3 s = up.cross(f).normalize();
    const Vector3 u = f.cross(s).normalize();
    setIdentity();
    const Vector3 rows[3] = {s, u, f};
    for (int r = 0; r < 3; ++r) {
        m[r] = rows[r].x;
        m[4 + r] = rows[r].y;
        m[8 + r] = rows[r].z;
    }
    return translate(-eye);
}

Matrix4 Matrix4::getRotation() const {
    return Matrix4(Matrix3(*this));
}

Matrix4& Matrix4::setReflection(float a, float b, float c, float d) {
    setIdentity();
    const Vector3 normal(a, b, c);
    const float len = normal.length();
    if (len == 0.0f) {
        return *this;
    }
    // p' = p - 2 (n·p + d) n with the unit normal n.
    const float n[3] = {a / len, b / len, c / len};
    const float offset = d / len;
    for (int col = 0; col < 3; ++col) {
        for (int row = 0; row < 3; ++row) {
            m[col * 4 + row] -= 2.0f * n[row] * n[col];
        }
        m[12 + col] = -2.0f * offset * n[col];
    }
    return *this;
}

Matrix4& Matrix4::setReflection(const Quaternion& plane) {
    return setReflection(plane.x, plane.y, plane.z, plane.w);
}

Matrix4& Matrix4::reflect(const Quaternion& plane) {
    return *this *= Matrix4().setReflection(plane);
}

Matrix4 Matrix4::operator*(const Matrix4& other) const {
    Matrix4 result;
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            result.m[c * 4 + r] = m[r] * other.m[c * 4] + m[4 + r] * other.m[c * 4 + 1] +
                                  m[8 + r] * other.m[c * 4 + 2] + m[12 + r] * other.m[c * 4 + 3];
        }
    }
    return result;
}

Matrix4 Matrix4::operator+(const Matrix4& other) const {
    Matrix4 result;
    std::transform(m, m + 16, other.m, result.m, [](float a, float b) { return a + b; });
    return result;
}

Matrix4 Matrix4::operator-(const Matrix4& other) const {
    Matrix4 result;
    std::transform(m, m + 16, other.m, result.m, [](float a, float b) { return a - b; });
    return result;
}

Matrix4 Matrix4::operator*(float f) const {
    Matrix4 result;
    std::transform(m, m + 16, result.m, [f](float a) { return a * f; });
    return result;
}

Vector3 Matrix4::operator*(const Vector3& v) const {
    return {m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12], m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13],
            m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14]};
}

Quaternion Matrix4::operator*(const Quaternion& q) const {
    return {m[0] * q.x + m[4] * q.y + m[8] * q.z + m[12] * q.w,
            m[1] * q.x + m[5] * q.y + m[9] * q.z + m[13] * q.w,
            m[2] * q.x + m[6] * q.y + m[10] * q.z + m[14] * q.w,
            m[3] * q.x + m[7] * q.y + m[11] * q.z + m[15] * q.w};
}

bool Matrix4::operator==(const Matrix4& other) const {
    return std::equal(m, m + 16, other.m);
}

float Matrix4::det() const {
    return Matrix3(*this).det();
}

Matrix4 Matrix4::inversed() const {
    const Matrix3 block = Matrix3(*this).inversed();
    const Vector3 t = block * Vector3(m[12], m[13], m[14]);
    Matrix4 result(block);
    result.m[12] = -t.x;
    result.m[13] = -t.y;
    result.m[14] = -t.z;
    return result;
}

Matrix4 Matrix4::transposed() const {
    Matrix4 result;
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            result.m[r * 4 + c] = m[c * 4 + r];
        }
    }
    return result;
}

Matrix4 Matrix4::inversedRotation() const {
    Matrix4 result = *this;
    std::swap(result.m[1], result.m[4]);
    std::swap(result.m[2], result.m[8]);
    std::swap(result.m[6], result.m[9]);
    return result;
}

}  // namespace quadrix
