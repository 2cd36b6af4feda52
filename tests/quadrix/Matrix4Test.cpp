#include <gtest/gtest.h>

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <numbers>

#include "GlmOracle.h"
#include "quadrix/Matrix3.h"
#include "quadrix/Matrix4.h"
#include "quadrix/Quaternion.h"
#include "quadrix/Rectangle.h"

using quadrix::Matrix3;
using quadrix::Matrix4;
using quadrix::Quaternion;
using quadrix::Rectangle;
using quadrix::Vector3;
using quadrix::test::expectNear;
using quadrix::test::Random;
using quadrix::test::toGlm;

namespace {

void expectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

}  // namespace

TEST(Matrix4Test, StorageAndSetters) {
    Matrix4 m(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    const float* data = m;
    EXPECT_EQ(data, &m[0]);
    EXPECT_EQ(Matrix4(data), m);
    EXPECT_EQ(m.setIdentity(), Matrix4());
    EXPECT_EQ(m.setZero(), Matrix4(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(m.setTranslation(4, 5, 6), Matrix4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 4, 5, 6, 1));
    EXPECT_EQ(m.setScale(2, 3, 4), Matrix4(2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1));
    EXPECT_EQ(m.setScale(5), Matrix4(5, 0, 0, 0, 0, 5, 0, 0, 0, 0, 5, 0, 0, 0, 0, 1));
}

TEST(Matrix4Test, RotationsAreRightHandedLikeGlm) {
    Random random(41);
    for (int i = 0; i < 20; ++i) {
        const Vector3 axis = random.vector3(-2, 2);
        const float degrees = random(-360, 360);
        const glm::mat4 expected =
            glm::rotate(glm::mat4(1.0f), glm::radians(degrees), toGlm(axis.normalized()));
        expectNear(Matrix4().setRotation(axis, degrees), expected, 1e-6f);
        // The axis-angle constructors take degrees too.
        EXPECT_EQ(Matrix4(axis, degrees), Matrix4().setRotation(axis, degrees));
        EXPECT_EQ(Matrix4(axis.x, axis.y, axis.z, degrees), Matrix4().setRotation(axis, degrees));
    }
    expectNear(Matrix4().setRotationX(25), glm::rotate(glm::mat4(1), glm::radians(25.0f), {1, 0, 0}), 1e-6f);
    expectNear(Matrix4().setRotationY(25), glm::rotate(glm::mat4(1), glm::radians(25.0f), {0, 1, 0}), 1e-6f);
    expectNear(Matrix4().setRotationZ(25), glm::rotate(glm::mat4(1), glm::radians(25.0f), {0, 0, 1}), 1e-6f);
    expectNear(Matrix4().setRotationZ(90) * Vector3(1, 0, 0), Vector3(0, 1, 0));
}

TEST(Matrix4Test, IncrementalTransformsApplyLastOneFirst) {
    Matrix4 m;
    m.translate(1, 0, 0).rotateZ(90);
    expectNear(m * Vector3(1, 0, 0), Vector3(1, 1, 0));

    Random random(42);
    const Vector3 t = random.vector3(-5, 5);
    const Vector3 axis = random.vector3(-1, 1);
    glm::mat4 expected = glm::translate(glm::mat4(1.0f), toGlm(t));
    expected = glm::rotate(expected, glm::radians(40.0f), toGlm(axis.normalized()));
    expected = glm::scale(expected, {2.0f, 3.0f, 0.5f});
    expected = glm::rotate(expected, glm::radians(-15.0f), {1, 0, 0});
    expected = glm::rotate(expected, glm::radians(65.0f), {0, 1, 0});
    const Matrix4 actual = Matrix4().translate(t).rotate(axis, 40).scale(2, 3, 0.5f).rotateX(-15).rotateY(65);
    expectNear(actual, expected, 1e-5f);
    EXPECT_EQ(Matrix4().scale(3), Matrix4().setScale(3));
}

TEST(Matrix4Test, ProductsMatchGlm) {
    Random random(4);
    for (int i = 0; i < 50; ++i) {
        const Matrix4 a = random.matrix4(-10, 10);
        const Matrix4 b = random.matrix4(-10, 10);
        expectNear(a * b, toGlm(a) * toGlm(b), 1e-3f);
        Matrix4 c = a;
        c *= b;
        EXPECT_EQ(c, a * b);

        const Vector3 v = random.vector3(-10, 10);
        const glm::vec4 point = toGlm(a) * glm::vec4(toGlm(v), 1.0f);
        // A point transform with w = 1 and no division by the resulting w.
        expectNear(a * v, glm::vec3(point), 1e-3f);

        const Quaternion q(random(-10, 10), random(-10, 10), random(-10, 10), random(-10, 10));
        const glm::vec4 full = toGlm(a) * glm::vec4(q.x, q.y, q.z, q.w);
        const Quaternion product = a * q;
        EXPECT_NEAR(product.x, full.x, 1e-3f);
        EXPECT_NEAR(product.y, full.y, 1e-3f);
        EXPECT_NEAR(product.z, full.z, 1e-3f);
        EXPECT_NEAR(product.w, full.w, 1e-3f);
    }
}

TEST(Matrix4Test, AffineInverseMatchesGlm) {
    Random random(5);
    for (int i = 0; i < 50; ++i) {
        const Matrix4 m = random.affine();
        expectNear(m.inversed(), glm::inverse(toGlm(m)), 1e-4f);
        expectNear(m * m.inversed(), Matrix4(), 1e-5f);
        EXPECT_NEAR(m.det(), glm::determinant(toGlm(m)), 1e-4f * std::abs(m.det()));
    }
}

TEST(Matrix4Test, InverseAndDeterminantUseOnlyTheAffinePart) {
    // Unlike glm::inverse, the last row is taken to be (0, 0, 0, 1) whatever it holds.
    const Matrix4 m(2, 0, 0, 7, 0, 4, 0, 7, 0, 0, 8, 7, 1, 2, 3, 7);
    EXPECT_EQ(m.inversed(),
              Matrix4(0.5f, 0, 0, 0, 0, 0.25f, 0, 0, 0, 0, 0.125f, 0, -0.5f, -0.5f, -0.375f, 1));
    EXPECT_EQ(m.det(), 64.0f);
    Matrix4 n = m;
    EXPECT_EQ(n.inverse(), m.inversed());
}

TEST(Matrix4Test, TransposeAndRotationInverse) {
    const Matrix4 m(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    EXPECT_EQ(m.transposed(), Matrix4(1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16));
    // Only the upper-left 3x3 block is transposed.
    EXPECT_EQ(m.inversedRotation(), Matrix4(1, 5, 9, 4, 2, 6, 10, 8, 3, 7, 11, 12, 13, 14, 15, 16));
    Matrix4 n = m;
    EXPECT_EQ(n.transpose(), m.transposed());
    n = m;
    EXPECT_EQ(n.inverseRotation(), m.inversedRotation());
    const Matrix4 rotation = Matrix4().setRotation(1, -2, 3, 123);
    expectNear(rotation.inversedRotation(), rotation.inversed(), 1e-6f);
}

TEST(Matrix4Test, GetRotationKeepsTheUpperBlock) {
    const Matrix4 m(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    EXPECT_EQ(m.getRotation(), Matrix4(1, 2, 3, 0, 5, 6, 7, 0, 9, 10, 11, 0, 0, 0, 0, 1));
}

TEST(Matrix4Test, ElementwiseArithmetic) {
    const Matrix4 a(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    const Matrix4 b = a * 2.0f;
    EXPECT_EQ(b, Matrix4(2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 32));
    EXPECT_EQ(b - a, a);
    EXPECT_EQ(a + a, b);
    Matrix4 c = a;
    EXPECT_EQ(c += a, b);
    EXPECT_EQ(c -= a, a);
    EXPECT_EQ(c *= 2.0f, b);
}

TEST(Matrix4Test, LookAtMatchesGlm) {
    Random random(6);
    for (int i = 0; i < 30; ++i) {
        const Vector3 eye = random.vector3(-20, 20);
        const Vector3 target = random.vector3(-20, 20);
        const Vector3 up = random.vector3(-1, 1);
        const glm::mat4 expected = glm::lookAt(toGlm(eye), toGlm(target), toGlm(up));
        expectNear(Matrix4().lookAt(eye, target, up), expected, 1e-4f);
    }
    // The eye lands on the origin and the target straight ahead on -z.
    const Matrix4 view = Matrix4().lookAt({1, 2, 3}, {1, 2, -7}, {0, 1, 0});
    expectNear(view * Vector3(1, 2, 3), Vector3(0, 0, 0));
    expectNear(view * Vector3(1, 2, -7), Vector3(0, 0, -10));
}

TEST(Matrix4Test, OrthoProjectionMapsTheScreenOntoClipSpace) {
    const Matrix4 m = Matrix4().setOrthoProjection(Rectangle(0, 0, 800, 600));
    EXPECT_EQ(m * Vector3(0, 0, 0), Vector3(-1, 1, 0));
    expectNear(m * Vector3(800, 600, 0), Vector3(1, -1, 0));
    expectNear(m * Vector3(400, 300, 0.5f), Vector3(0, 0, -1));
}

TEST(Matrix4Test, OrthoProjectionAgreesWithGlmUnderItsOwnOffsetAndDepthConventions) {
    // The library maps z = near to +1 where glm maps z = -near to -1: the same matrix as glm::ortho with
    // near' = -far and far' = -near.
    Random random(7);
    for (int i = 0; i < 30; ++i) {
        const Rectangle r(random(-500, 500), random(-500, 500), random(10, 2000), random(10, 2000));
        const float nearPlane = random(-10, 10);
        const float farPlane = nearPlane + random(1, 100);
        const glm::mat4 expected = glm::ortho(r.x, r.x + r.w, r.y + r.h, r.y, -farPlane, -nearPlane);
        expectNear(Matrix4().setOrthoProjection(r, nearPlane, farPlane), expected, 1e-5f);
        // Without planes: near -0.5 and far 0.5 give the fixed depth scale -2 and no depth offset.
        expectNear(Matrix4().setOrthoProjection(r), glm::ortho(r.x, r.x + r.w, r.y + r.h, r.y, -0.5f, 0.5f),
                   1e-5f);
    }
}

TEST(Matrix4Test, OrthoProjectionOffsetAndDepthByHand) {
    const Matrix4 m = Matrix4().setOrthoProjection(Rectangle(100, 50, 800, 600), 1, 3);
    EXPECT_EQ(m[12], -100 * 2.0f / 800 - 1);
    EXPECT_EQ(m[13], 1 + 50 * 2.0f / 600);
    EXPECT_EQ(m[10], -1.0f);
    EXPECT_EQ(m[14], 2.0f);
    // An offset rectangle maps its own corners onto the clip-space corners.
    expectNear(m * Vector3(100, 50, 1), Vector3(-1, 1, 1));
    expectNear(m * Vector3(900, 650, 3), Vector3(1, -1, -1));
}

TEST(Matrix4Test, PerspectiveMultipliesByTheAspect) {
    // glm::perspective divides f by the aspect (width over height); here f is multiplied by it, so the
    // library's aspect is height over width and everything else agrees with glm.
    Random random(8);
    for (int i = 0; i < 30; ++i) {
        const float fov = random(10, 150);
        const float aspect = random(0.3f, 3);
        const float nearPlane = random(0.01f, 5);
        const float farPlane = nearPlane + random(1, 1000);
        const Matrix4 m = Matrix4().setPerspective(fov, aspect, nearPlane, farPlane);
        const glm::mat4 expected = glm::perspective(glm::radians(fov), 1.0f / aspect, nearPlane, farPlane);
        expectNear(m, expected, 1e-4f * std::abs(expected[0][0]) + 1e-5f);
    }
    const Matrix4 m = Matrix4().setPerspective(90, 0.5f, 1, 3);
    const float f = static_cast<float>(1.0 / std::tan(std::numbers::pi / 4));
    EXPECT_EQ(m, Matrix4(f * 0.5f, 0, 0, 0, 0, f, 0, 0, 0, 0, -2, -1, 0, 0, -3, 0));
}

TEST(Matrix4Test, ReflectionInAPlane) {
    // The plane x = 2.
    const Matrix4 m = Matrix4().setReflection(1, 0, 0, -2);
    EXPECT_EQ(m * Vector3(5, 1, -1), Vector3(-1, 1, -1));
    EXPECT_EQ(m.det(), -1.0f);
    // The plane's equation is normalised, so any multiple of it is the same plane.
    EXPECT_EQ(Matrix4().setReflection(-3, 0, 0, 6), m);
    EXPECT_EQ(Matrix4().setReflection(Quaternion(1, 0, 0, -2)), m);

    Random random(9);
    for (int i = 0; i < 20; ++i) {
        const Vector3 normal = random.vector3(-1, 1);
        const float d = random(-5, 5);
        const Matrix4 reflection = Matrix4().setReflection(normal.x, normal.y, normal.z, d);
        expectNear(reflection * reflection, Matrix4(), 1e-5f);
        // Directions reflect as glm::reflect has it; points on the plane stay put.
        const Vector3 direction = random.vector3(-3, 3);
        const Vector3 reflected = reflection * direction - reflection * Vector3();
        expectNear(reflected, glm::reflect(toGlm(direction), glm::normalize(toGlm(normal))), 1e-5f);
        const Vector3 onPlane = normal.normalized() * (-d / normal.length());
        expectNear(reflection * onPlane, onPlane);
    }
    // A plane without a normal reflects nothing.
    EXPECT_EQ(Matrix4().setReflection(0, 0, 0, 5), Matrix4());
}

TEST(Matrix4Test, IncrementalReflection) {
    const Matrix4 moved = Matrix4().setTranslation(0, 10, 0);
    Matrix4 m = moved;
    m.reflect(0, 1, 0, 0);
    EXPECT_EQ(m * Vector3(1, 3, 1), Vector3(1, 7, 1));
    Matrix4 n = moved;
    EXPECT_EQ(n.reflect(Quaternion(0, 1, 0, 0)), m);
}
