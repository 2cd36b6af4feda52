#pragma once

#include <cstddef>

#include "quadrix/Vector2.h"
#include "quadrix/Vector3.h"

namespace quadrix {

class Matrix4;

// A 3x3 float matrix stored column-major (element = column * 3 + row). As a 2D affine transform it keeps
// its translation in elements 6 and 7, and multiplying by a Vector2 transforms that point.
//
// Transforms compose right to left: translate, scale and rotate set this = this * T, so the transform added
// last applies first to a point. A 2D object placed at p, turned and scaled about its pivot c is
//     Matrix3().translate(p + c).rotate(angle).scale(s).translate(-c)
// and a child's transform in its parent's space is parent * child.
class Matrix3 {
public:
    // The identity.
    Matrix3();
    Matrix3(float m0, float m1, float m2, float m3, float m4, float m5, float m6, float m7, float m8);
    // Nine floats in storage order.
    explicit Matrix3(const float* elements);
    // The upper-left 3x3 block.
    explicit Matrix3(const Matrix4& m);

    float& operator[](std::size_t i) { return m[i]; }
    const float& operator[](std::size_t i) const { return m[i]; }
    // The element array itself, for handing to a render system.
    operator float*() { return m; }
    operator const float*() const { return m; }

    // Each setter first clears the whole matrix.
    Matrix3& setZero();
    Matrix3& setIdentity();
    Matrix3& setTranslation(float x, float y);
    Matrix3& setTranslation(const Vector2& t) { return setTranslation(t.x, t.y); }
    Matrix3& setScale(float x, float y);
    Matrix3& setScale(float factor) { return setScale(factor, factor); }
    Matrix3& setScale(const Vector2& s) { return setScale(s.x, s.y); }
    Matrix3& setScale3D(float x, float y, float z);
    // The 2D rotation. It turns the opposite way from Matrix4::setRotationZ and from Vector2::rotate: on a
    // y-down screen a positive angle turns counter-clockwise, mapping (1, 0) to (0, -1) at 90 degrees.
    Matrix3& setRotation(float degrees);
    Matrix3& setRotation3DZ(float degrees) { return setRotation(degrees); }
    // The right-handed rotation about an axis, which is normalised first.
    Matrix3& setRotation3D(float x, float y, float z, float degrees);
    Matrix3& setRotation3D(const Vector3& axis, float degrees) {
        return setRotation3D(axis.x, axis.y, axis.z, degrees);
    }
    Matrix3& setRotation3DX(float degrees) { return setRotation3D(1.0f, 0.0f, 0.0f, degrees); }
    Matrix3& setRotation3DY(float degrees) { return setRotation3D(0.0f, 1.0f, 0.0f, degrees); }

    // this = this * T, with T built by the matching setter.
    Matrix3& translate(float x, float y) { return *this *= Matrix3().setTranslation(x, y); }
    Matrix3& translate(const Vector2& t) { return translate(t.x, t.y); }
    Matrix3& scale(float x, float y) { return *this *= Matrix3().setScale(x, y); }
    Matrix3& scale(float factor) { return scale(factor, factor); }
    Matrix3& scale(const Vector2& s) { return scale(s.x, s.y); }
    Matrix3& scale3D(float x, float y, float z) { return *this *= Matrix3().setScale3D(x, y, z); }
    Matrix3& rotate(float degrees) { return *this *= Matrix3().setRotation(degrees); }
    Matrix3& rotate3D(float x, float y, float z, float degrees) {
        return *this *= Matrix3().setRotation3D(x, y, z, degrees);
    }
    Matrix3& rotate3D(const Vector3& axis, float degrees) {
        return rotate3D(axis.x, axis.y, axis.z, degrees);
    }
    Matrix3& rotate3DX(float degrees) { return *this *= Matrix3().setRotation3DX(degrees); }
    Matrix3& rotate3DY(float degrees) { return *this *= Matrix3().setRotation3DY(degrees); }
    Matrix3& rotate3DZ(float degrees) { return *this *= Matrix3().setRotation3DZ(degrees); }

    Matrix3 operator*(const Matrix3& other) const;
    Matrix3& operator*=(const Matrix3& other) { return *this = *this * other; }
    Matrix3 operator+(const Matrix3& other) const;
    Matrix3& operator+=(const Matrix3& other) { return *this = *this + other; }
    Matrix3 operator-(const Matrix3& other) const;
    Matrix3& operator-=(const Matrix3& other) { return *this = *this - other; }
    Matrix3 operator*(float f) const;
    Matrix3& operator*=(float f) { return *this = *this * f; }
    Vector3 operator*(const Vector3& v) const;
    // The point transform (x, y, 1) without division: the translation applies.
    Vector2 operator*(const Vector2& v) const;

    bool operator==(const Matrix3& other) const;
    bool operator!=(const Matrix3& other) const { return !(*this == other); }

    float det() const;
    // The general inverse by cofactors. A singular matrix is not guarded against: its inverse holds
    // infinities or NaNs.
    Matrix3& inverse() { return *this = inversed(); }
    Matrix3 inversed() const;
    Matrix3& transpose() { return *this = transposed(); }
    Matrix3 transposed() const;
    // Inverts a pure 2D rotation by swapping elements 1 and 3 only.
    Matrix3& inverseRotation() { return *this = inversedRotation(); }
    Matrix3 inversedRotation() const;
    // Inverts a pure 3D rotation: the full transpose.
    Matrix3& inverseRotation3D() { return transpose(); }
    Matrix3 inversedRotation3D() const { return transposed(); }
    // Gram-Schmidt on the columns in order, which keeps the handedness of the basis. A column that is
    // zero, or parallel to the ones before it, stays zero.
    Matrix3& orthoNormalize() { return *this = orthoNormalized(); }
    Matrix3 orthoNormalized() const;

private:
    Vector3 column(int c) const { return {m[c * 3], m[c * 3 + 1], m[c * 3 + 2]}; }
    void setColumn(int c, const Vector3& v);

    float m[9];
};

}  // namespace quadrix
