#pragma once

#include <cstddef>

#include "quadrix/Rectangle.h"
#include "quadrix/Vector3.h"

namespace quadrix {

class Matrix3;
class Quaternion;

// A 4x4 float matrix stored column-major (element = column * 4 + row), translation in elements 12 to 14.
// Transforms compose right to left: translate, scale, rotate and reflect set this = this * T, so the
// transform added last applies first to a point.
class Matrix4 {
public:
    // The identity.
    Matrix4();
    Matrix4(float m0, float m1, float m2, float m3, float m4, float m5, float m6, float m7, float m8,
            float m9, float m10, float m11, float m12, float m13, float m14, float m15);
    // Sixteen floats in storage order.
    explicit Matrix4(const float* elements);
    // Placed in the upper-left block, the rest identity.
    explicit Matrix4(const Matrix3& m);
    // The rotation of setRotation, angle in degrees.
    Matrix4(float x, float y, float z, float degrees);
    Matrix4(const Vector3& axis, float degrees);

    float& operator[](std::size_t i) { return m[i]; }
    const float& operator[](std::size_t i) const { return m[i]; }
    // The element array itself, for handing to a render system.
    operator float*() { return m; }
    operator const float*() const { return m; }

    // Each setter first clears the whole matrix.
    Matrix4& setZero();
    Matrix4& setIdentity();
    Matrix4& setTranslation(float x, float y, float z);
    Matrix4& setTranslation(const Vector3& t) { return setTranslation(t.x, t.y, t.z); }
    Matrix4& setScale(float x, float y, float z);
    Matrix4& setScale(float factor) { return setScale(factor, factor, factor); }
    // The right-handed rotation about an axis, which is normalised first (a zero axis stays zero).
    Matrix4& setRotation(float x, float y, float z, float degrees);
    Matrix4& setRotation(const Vector3& axis, float degrees) {
        return setRotation(axis.x, axis.y, axis.z, degrees);
    }
    Matrix4& setRotationX(float degrees) { return setRotation(1.0f, 0.0f, 0.0f, degrees); }
    Matrix4& setRotationY(float degrees) { return setRotation(0.0f, 1.0f, 0.0f, degrees); }
    // Maps (1, 0, 0) to (0, 1, 0) at 90 degrees, the opposite sense of Matrix3::setRotation.
    Matrix4& setRotationZ(float degrees) { return setRotation(0.0f, 0.0f, 1.0f, degrees); }

    // Maps the rectangle r of screen units (y down) onto clip space, its top-left corner (r.x, r.y) to
    // (-1, 1) and its bottom-right corner to (1, -1); depth is scaled by -2.
    Matrix4& setOrthoProjection(const Rectangle& r);
    // As above with depth -2 / (far - near) and offset (near + far) / (far - near): z = near goes to 1 and
    // z = far to -1, where glm::ortho takes z = -near and z = -far.
    Matrix4& setOrthoProjection(const Rectangle& r, float nearPlane, float farPlane);
    // Field of view in degrees. Element 0 is f * aspect, so aspect here is height over width.
    Matrix4& setPerspective(float fovDegrees, float aspect, float nearPlane, float farPlane);
    // The right-handed view matrix of a camera at eye looking at target.
    Matrix4& lookAt(const Vector3& eye, const Vector3& target, const Vector3& up);
    // The upper-left 3x3 block, the rest identity.
    Matrix4 getRotation() const;

    // The reflection in the plane a·x + b·y + c·z + d = 0. The plane is normalised first; a plane with a
    // zero normal reflects nothing and gives the identity.
    Matrix4& setReflection(float a, float b, float c, float d);
    // The plane as (x, y, z, w) = (a, b, c, d).
    Matrix4& setReflection(const Quaternion& plane);

    // this = this * T, with T built by the matching setter.
    Matrix4& translate(float x, float y, float z) { return *this *= Matrix4().setTranslation(x, y, z); }
    Matrix4& translate(const Vector3& t) { return translate(t.x, t.y, t.z); }
    Matrix4& scale(float x, float y, float z) { return *this *= Matrix4().setScale(x, y, z); }
    Matrix4& scale(float factor) { return scale(factor, factor, factor); }
    Matrix4& rotate(float x, float y, float z, float degrees) {
        return *this *= Matrix4().setRotation(x, y, z, degrees);
    }
    Matrix4& rotate(const Vector3& axis, float degrees) { return rotate(axis.x, axis.y, axis.z, degrees); }
    Matrix4& rotateX(float degrees) { return *this *= Matrix4().setRotationX(degrees); }
    Matrix4& rotateY(float degrees) { return *this *= Matrix4().setRotationY(degrees); }
    Matrix4& rotateZ(float degrees) { return *this *= Matrix4().setRotationZ(degrees); }
    Matrix4& reflect(float a, float b, float c, float d) {
        return *this *= Matrix4().setReflection(a, b, c, d);
    }
    Matrix4& reflect(const Quaternion& plane);

    Matrix4 operator*(const Matrix4& other) const;
    Matrix4& operator*=(const Matrix4& other) { return *this = *this * other; }
    Matrix4 operator+(const Matrix4& other) const;
    Matrix4& operator+=(const Matrix4& other) { return *this = *this + other; }
    Matrix4 operator-(const Matrix4& other) const;
    Matrix4& operator-=(const Matrix4& other) { return *this = *this - other; }
    Matrix4 operator*(float f) const;
    Matrix4& operator*=(float f) { return *this = *this * f; }
    // The point transform (x, y, z, 1) without the division by w.
    Vector3 operator*(const Vector3& v) const;
    // The full product with the four components (x, y, z, w) as a column vector.
    Quaternion operator*(const Quaternion& q) const;

    bool operator==(const Matrix4& other) const;
    bool operator!=(const Matrix4& other) const { return !(*this == other); }

    // The determinant of the upper-left 3x3 block.
    float det() const;
    // The affine inverse: the 3x3 block inverted by cofactors, the translation carried through it, last row
    // (0, 0, 0, 1). Projections are not affine and need a general inverse.
    Matrix4& inverse() { return *this = inversed(); }
    Matrix4 inversed() const;
    Matrix4& transpose() { return *this = transposed(); }
    Matrix4 transposed() const;
    // Inverts a pure rotation: transposes the upper-left 3x3 block only.
    Matrix4& inverseRotation() { return *this = inversedRotation(); }
    Matrix4 inversedRotation() const;

private:
    float m[16];
};

}  // namespace quadrix
