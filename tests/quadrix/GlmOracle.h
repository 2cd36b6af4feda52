#pragma once

// GLM is the independent reference for the matrix and quaternion arithmetic that follows common practice.
// Where the library deliberately differs from GLM, the tests say so and check hand-computed values.

#include <gtest/gtest.h>

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <random>
#include <string>

#include "quadrix/Matrix3.h"
#include "quadrix/Matrix4.h"
#include "quadrix/Quaternion.h"

namespace quadrix::test {

inline glm::mat3 toGlm(const Matrix3& m) {
    return glm::make_mat3(static_cast<const float*>(m));
}
inline glm::mat4 toGlm(const Matrix4& m) {
    return glm::make_mat4(static_cast<const float*>(m));
}
inline glm::vec3 toGlm(const Vector3& v) {
    return {v.x, v.y, v.z};
}
inline glm::quat toGlm(const Quaternion& q) {
    return glm::quat(q.w, q.x, q.y, q.z);
}

inline void expectElementsNear(const float* actual, const float* expected, int count, float tolerance) {
    for (int i = 0; i < count; ++i) {
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i;
    }
}

inline void expectNear(const Matrix3& actual, const glm::mat3& expected, float tolerance) {
    expectElementsNear(actual, glm::value_ptr(expected), 9, tolerance);
}

inline void expectNear(const Matrix4& actual, const glm::mat4& expected, float tolerance) {
    expectElementsNear(actual, glm::value_ptr(expected), 16, tolerance);
}

inline void expectNear(const Matrix3& actual, const Matrix3& expected, float tolerance) {
    expectElementsNear(actual, expected, 9, tolerance);
}

inline void expectNear(const Matrix4& actual, const Matrix4& expected, float tolerance) {
    expectElementsNear(actual, expected, 16, tolerance);
}

inline void expectNear(const Vector3& actual, const glm::vec3& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

inline void expectNear(const Quaternion& actual, const glm::quat& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
    EXPECT_NEAR(actual.w, expected.w, tolerance);
}

// Seeded, so every run checks the same inputs.
class Random {
public:
    explicit Random(unsigned seed) : engine(seed) {}

    float operator()(float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(engine);
    }
    Vector3 vector3(float low, float high) {
        return {(*this)(low, high), (*this)(low, high), (*this)(low, high)};
    }
    Quaternion unitQuaternion() {
        return Quaternion((*this)(-1, 1), (*this)(-1, 1), (*this)(-1, 1), (*this)(-1, 1)).normalize();
    }
    Matrix3 matrix3(float low, float high) {
        Matrix3 m;
        for (int i = 0; i < 9; ++i) {
            m[i] = (*this)(low, high);
        }
        return m;
    }
    Matrix4 matrix4(float low, float high) {
        Matrix4 m;
        for (int i = 0; i < 16; ++i) {
            m[i] = (*this)(low, high);
        }
        return m;
    }
    // A random rotation, non-uniform scale and translation, comfortably far from singular.
    Matrix4 affine() {
        return Matrix4()
            .translate(vector3(-50, 50))
            .rotate(vector3(-1, 1), (*this)(-180, 180))
            .scale((*this)(0.5f, 3), (*this)(0.5f, 3), (*this)(0.5f, 3));
    }

private:
    std::mt19937 engine;
};

}  // namespace quadrix::test
