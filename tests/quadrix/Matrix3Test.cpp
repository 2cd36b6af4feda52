#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "GlmOracle.h"
#include "quadrix/Matrix3.h"
#include "quadrix/Matrix4.h"

using quadrix::Matrix3;
using quadrix::Matrix4;
using quadrix::Vector3;
using quadrix::test::expectNear;
using quadrix::test::Random;
using quadrix::test::toGlm;

TEST(Matrix3Test, StorageIsColumnMajorAndExposedAsArray) {
    const Matrix3 m(1, 2, 3, 4, 5, 6, 7, 8, 9);
    const float* data = m;
    EXPECT_EQ(data, &m[0]);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(data[i], static_cast<float>(i + 1));
    }
    const float array[9] = {9, 8, 7, 6, 5, 4, 3, 2, 1};
    EXPECT_EQ(Matrix3(array), Matrix3(9, 8, 7, 6, 5, 4, 3, 2, 1));
    // Column 0 is (1, 2, 3): the x basis vector goes there.
    EXPECT_EQ(m * Vector3(1, 0, 0), Vector3(1, 2, 3));
    EXPECT_EQ(Matrix3(), Matrix3(1, 0, 0, 0, 1, 0, 0, 0, 1));
    EXPECT_NE(m, Matrix3());
}

TEST(Matrix3Test, SettersClearTheMatrixFirst) {
    Matrix3 m(1, 2, 3, 4, 5, 6, 7, 8, 9);
    EXPECT_EQ(m.setZero(), Matrix3(0, 0, 0, 0, 0, 0, 0, 0, 0));
    m = Matrix3(1, 2, 3, 4, 5, 6, 7, 8, 9);
    EXPECT_EQ(m.setTranslation(4, 5), Matrix3(1, 0, 0, 0, 1, 0, 4, 5, 1));
    EXPECT_EQ(m.setScale(2, 3), Matrix3(2, 0, 0, 0, 3, 0, 0, 0, 1));
    EXPECT_EQ(m.setScale(7), Matrix3(7, 0, 0, 0, 7, 0, 0, 0, 1));
    EXPECT_EQ(m.setScale3D(2, 3, 4), Matrix3(2, 0, 0, 0, 3, 0, 0, 0, 4));
    m.setRotation(30);
    const float k = static_cast<float>(std::cos(30.0 * std::numbers::pi / 180.0));
    const float s = static_cast<float>(std::sin(30.0 * std::numbers::pi / 180.0));
    EXPECT_EQ(m, Matrix3(k, -s, 0, s, k, 0, 0, 0, 1));
}

TEST(Matrix3Test, TwoDRotationTurnsOppositeToTheAxisRotationAboutZ) {
    const Vector3 turned = Matrix3().setRotation(90) * Vector3(1, 0, 0);
    EXPECT_NEAR(turned.x, 0.0f, 1e-7f);
    EXPECT_EQ(turned.y, -1.0f);
    EXPECT_EQ(Matrix3().setRotation3DZ(37), Matrix3().setRotation(37));
    EXPECT_EQ(Matrix3().setRotation3D(0, 0, 1, 37), Matrix3().setRotation(-37));
}

TEST(Matrix3Test, AxisRotationsAreRightHandedLikeGlm) {
    Random random(31);
    for (int i = 0; i < 20; ++i) {
        const Vector3 axis = random.vector3(-2, 2);
        const float degrees = random(-360, 360);
        const glm::mat4 expected =
            glm::rotate(glm::mat4(1.0f), glm::radians(degrees), toGlm(axis.normalized()));
        expectNear(Matrix3().setRotation3D(axis, degrees), glm::mat3(expected), 1e-6f);
    }
    expectNear(Matrix3().setRotation3DX(25),
               glm::mat3(glm::rotate(glm::mat4(1), glm::radians(25.0f), {1, 0, 0})), 1e-6f);
    expectNear(Matrix3().setRotation3DY(25),
               glm::mat3(glm::rotate(glm::mat4(1), glm::radians(25.0f), {0, 1, 0})), 1e-6f);
    // A zero axis stays zero: only the cosine terms remain.
    const float k = static_cast<float>(std::cos(40.0 * std::numbers::pi / 180.0));
    EXPECT_EQ(Matrix3().setRotation3D(0, 0, 0, 40), Matrix3(k, 0, 0, 0, k, 0, 0, 0, k));
}

TEST(Matrix3Test, ProductMatchesGlm) {
    Random random(1);
    for (int i = 0; i < 50; ++i) {
        const Matrix3 a = random.matrix3(-10, 10);
        const Matrix3 b = random.matrix3(-10, 10);
        expectNear(a * b, toGlm(a) * toGlm(b), 1e-4f);
        Matrix3 c = a;
        c *= b;
        EXPECT_EQ(c, a * b);
        const Vector3 v = random.vector3(-10, 10);
        expectNear(a * v, toGlm(a) * toGlm(v), 1e-4f);
    }
}

TEST(Matrix3Test, InverseAndDeterminantMatchGlm) {
    Random random(2);
    for (int checked = 0; checked < 50;) {
        const Matrix3 m = random.matrix3(-10, 10);
        if (std::abs(m.det()) < 10.0f) {
            continue;
        }
        ++checked;
        EXPECT_NEAR(m.det(), glm::determinant(toGlm(m)), 1e-3f * std::abs(m.det()));
        expectNear(m.inversed(), glm::inverse(toGlm(m)), 1e-4f);
        expectNear(m * m.inversed(), Matrix3(), 1e-5f);
    }
}

TEST(Matrix3Test, SingularInverseIsNotFinite) {
    const Matrix3 singular(1, 2, 3, 2, 4, 6, 0, 1, 1);
    EXPECT_EQ(singular.det(), 0.0f);
    EXPECT_FALSE(std::isfinite(singular.inversed()[0]));
}

TEST(Matrix3Test, ElementwiseArithmetic) {
    const Matrix3 a(1, 2, 3, 4, 5, 6, 7, 8, 9);
    const Matrix3 b(9, 8, 7, 6, 5, 4, 3, 2, 1);
    EXPECT_EQ(a + b, Matrix3(10, 10, 10, 10, 10, 10, 10, 10, 10));
    EXPECT_EQ(a - b, Matrix3(-8, -6, -4, -2, 0, 2, 4, 6, 8));
    EXPECT_EQ(a * 2.0f, Matrix3(2, 4, 6, 8, 10, 12, 14, 16, 18));
    Matrix3 c = a;
    EXPECT_EQ(c += b, a + b);
    EXPECT_EQ(c -= b, a);
    EXPECT_EQ(c *= 2.0f, a * 2.0f);
}

TEST(Matrix3Test, TransposeAndRotationInverses) {
    const Matrix3 a(1, 2, 3, 4, 5, 6, 7, 8, 9);
    EXPECT_EQ(a.transposed(), Matrix3(1, 4, 7, 2, 5, 8, 3, 6, 9));
    EXPECT_EQ(a.inversedRotation3D(), a.transposed());
    // The 2D form swaps only elements 1 and 3 and leaves a translation alone.
    EXPECT_EQ(a.inversedRotation(), Matrix3(1, 4, 3, 2, 5, 6, 7, 8, 9));
    Matrix3 m = a;
    EXPECT_EQ(m.transpose(), a.transposed());
    EXPECT_EQ(m.transpose(), a);
    EXPECT_EQ(m.inverseRotation(), a.inversedRotation());
    EXPECT_EQ(m.inverseRotation3D(), a.inversedRotation().transposed());

    const Matrix3 rotation = Matrix3().setRotation(33);
    expectNear(rotation.inversedRotation(), rotation.inversed(), 1e-6f);
    const Matrix3 rotation3D = Matrix3().setRotation3D(1, 2, 3, 71);
    expectNear(rotation3D.inversedRotation3D(), rotation3D.inversed(), 1e-6f);
}

TEST(Matrix3Test, OrthoNormalizeRepairsADriftedRotation) {
    Random random(3);
    for (int i = 0; i < 20; ++i) {
        const Matrix3 rotation = Matrix3().setRotation3D(random.vector3(-1, 1), random(-180, 180));
        const Matrix3 drifted = rotation + random.matrix3(-0.01f, 0.01f);
        const Matrix3 repaired = drifted.orthoNormalized();
        expectNear(repaired * repaired.transposed(), Matrix3(), 1e-6f);
        EXPECT_NEAR(repaired.det(), 1.0f, 1e-6f);
        expectNear(repaired, rotation, 0.05f);
        // The first column keeps its direction.
        const Vector3 first(drifted[0], drifted[1], drifted[2]);
        const Vector3 expected = first.normalized();
        EXPECT_NEAR(repaired[0], expected.x, 1e-6f);
        EXPECT_NEAR(repaired[1], expected.y, 1e-6f);
        EXPECT_NEAR(repaired[2], expected.z, 1e-6f);
    }
    // A mirrored basis stays mirrored.
    Matrix3 mirrored(2, 0, 0, 0.5f, 3, 0, 0, 0, -1);
    mirrored.orthoNormalize();
    expectNear(mirrored, Matrix3(1, 0, 0, 0, 1, 0, 0, 0, -1), 1e-6f);
}

TEST(Matrix3Test, ConvertsToAndFromTheUpperBlockOfMatrix4) {
    const Matrix4 big(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    EXPECT_EQ(Matrix3(big), Matrix3(1, 2, 3, 5, 6, 7, 9, 10, 11));
    EXPECT_EQ(Matrix4(Matrix3(1, 2, 3, 4, 5, 6, 7, 8, 9)),
              Matrix4(1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 0, 0, 0, 1));
}
