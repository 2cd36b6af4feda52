#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "GlmOracle.h"
#include "quadrix/Quaternion.h"

using quadrix::Matrix3;
using quadrix::Matrix4;
using quadrix::Quaternion;
using quadrix::Vector3;
using quadrix::test::expectNear;
using quadrix::test::Random;
using quadrix::test::toGlm;

TEST(QuaternionTest, DefaultIsAllOnesNotTheIdentity) {
    const Quaternion q;
    EXPECT_EQ(q, Quaternion(1, 1, 1, 1));
    EXPECT_NE(q, Quaternion(0, 0, 0, 1));
    EXPECT_EQ(Quaternion(Vector3(1, 2, 3), 4), Quaternion(1, 2, 3, 4));
    Quaternion r;
    r.set(Vector3(5, 6, 7), 8);
    EXPECT_EQ(r, Quaternion(5, 6, 7, 8));
    r.set(1, 2, 3, 4);
    EXPECT_EQ(r, Quaternion(1, 2, 3, 4));
}

TEST(QuaternionTest, LengthNormalizeConjugateInverse) {
    const Quaternion q(1, 2, 2, 4);
    EXPECT_EQ(q.squaredLength(), 25.0f);
    EXPECT_EQ(q.length(), 5.0f);
    EXPECT_EQ(q.dot(Quaternion(1, 0, 1, 1)), 7.0f);
    EXPECT_EQ(q.normalized(), Quaternion(0.2f, 0.4f, 0.4f, 0.8f));
    EXPECT_EQ(Quaternion(0, 0, 0, 0).normalized(), Quaternion(0, 0, 0, 0));
    EXPECT_EQ(q.conjugated(), Quaternion(-1, -2, -2, 4));

    // Length 2 inverts to length 0.5.
    const Quaternion two(0, 2, 0, 0);
    EXPECT_EQ(two.inversed().length(), 0.5f);
    Random random(11);
    for (int i = 0; i < 20; ++i) {
        const Quaternion a(random(-3, 3), random(-3, 3), random(-3, 3), random(-3, 3));
        expectNear(a.inversed(), glm::inverse(toGlm(a)), 1e-5f);
        expectNear(a * a.inversed(), glm::quat(1, 0, 0, 0), 1e-5f);
    }
    Quaternion m = q;
    EXPECT_EQ(m.conjugate(), q.conjugated());
    EXPECT_EQ(m.inverse(), q.conjugated().inversed());
    EXPECT_FLOAT_EQ(m.normalize().length(), 1.0f);
}

TEST(QuaternionTest, Operators) {
    const Quaternion a(1, 2, 3, 4);
    const Quaternion b(-2, 0.5f, 1, 2);
    EXPECT_EQ(-a, Quaternion(-1, -2, -3, -4));
    EXPECT_EQ(a + b, Quaternion(-1, 2.5f, 4, 6));
    EXPECT_EQ(a - b, Quaternion(3, 1.5f, 2, 2));
    EXPECT_EQ(a * 2.0f, Quaternion(2, 4, 6, 8));
    Quaternion c = a;
    EXPECT_EQ(c /= 2.0f, Quaternion(0.5f, 1, 1.5f, 2));
}

TEST(QuaternionTest, HamiltonProductMatchesGlm) {
    // i * j = k, and the product does not commute.
    EXPECT_EQ(Quaternion(1, 0, 0, 0) * Quaternion(0, 1, 0, 0), Quaternion(0, 0, 1, 0));
    EXPECT_EQ(Quaternion(0, 1, 0, 0) * Quaternion(1, 0, 0, 0), Quaternion(0, 0, -1, 0));
    Random random(12);
    for (int i = 0; i < 50; ++i) {
        const Quaternion a(random(-5, 5), random(-5, 5), random(-5, 5), random(-5, 5));
        const Quaternion b(random(-5, 5), random(-5, 5), random(-5, 5), random(-5, 5));
        expectNear(a * b, toGlm(a) * toGlm(b), 1e-4f);
    }
}

TEST(QuaternionTest, AxisAngleMatchesGlm) {
    Random random(13);
    for (int i = 0; i < 30; ++i) {
        const Vector3 axis = random.vector3(-3, 3);
        const float degrees = random(-360, 360);
        const glm::quat expected = glm::angleAxis(glm::radians(degrees), glm::normalize(toGlm(axis)));
        expectNear(Quaternion::fromAxisAngle(axis, degrees), expected, 1e-6f);
        EXPECT_EQ(Quaternion::fromAxisAngle(axis.x, axis.y, axis.z, degrees),
                  Quaternion::fromAxisAngle(axis, degrees));
    }
    // A zero axis stays zero, leaving only the cosine.
    const Quaternion none = Quaternion::fromAxisAngle(0, 0, 0, 60);
    EXPECT_EQ(none, Quaternion(0, 0, 0, static_cast<float>(std::cos(std::numbers::pi / 6))));
}

TEST(QuaternionTest, EulerAnglesAreRadiansComposedYThenXThenZ) {
    Random random(14);
    for (int i = 0; i < 20; ++i) {
        const float a = random(-3, 3);
        const float b = random(-3, 3);
        const float c = random(-3, 3);
        const glm::quat expected = glm::angleAxis(-a, glm::vec3(0, 1, 0)) *
                                   glm::angleAxis(-b, glm::vec3(1, 0, 0)) *
                                   glm::angleAxis(-c, glm::vec3(0, 0, 1));
        expectNear(Quaternion::fromEulerAngles(a, b, c), expected, 1e-6f);
    }
    // A single angle is a rotation about its own axis by the negated angle.
    const float half = static_cast<float>(std::sin(-0.25));
    const Quaternion yaw = Quaternion::fromEulerAngles(0.5f, 0, 0);
    EXPECT_NEAR(yaw.y, half, 1e-7f);
    EXPECT_NEAR(yaw.x, 0.0f, 1e-7f);
    EXPECT_NEAR(yaw.z, 0.0f, 1e-7f);
}

TEST(QuaternionTest, MatricesAreTheTransposedRotation) {
    // glm::mat3_cast gives the usual rotation matrix; this library stores its transpose, which turns the
    // other way.
    Random random(15);
    for (int i = 0; i < 30; ++i) {
        const Quaternion q = random.unitQuaternion();
        expectNear(q.mat3(), glm::transpose(glm::mat3_cast(toGlm(q))), 1e-6f);
        const Vector3 translation = random.vector3(-10, 10);
        const Matrix4 m = q.mat4(translation);
        expectNear(Matrix3(m), q.mat3(), 0.0f);
        EXPECT_EQ(m[12], translation.x);
        EXPECT_EQ(m[13], translation.y);
        EXPECT_EQ(m[14], translation.z);
        EXPECT_EQ(m[3], 0.0f);
        EXPECT_EQ(m[15], 1.0f);
    }
    // Without a translation the rotation is still converted.
    const Quaternion q = Quaternion::fromAxisAngle(0, 0, 1, 90);
    EXPECT_EQ(q.mat4(), Matrix4(q.mat3()));
    EXPECT_NE(q.mat4(), Matrix4());
    const Vector3 turned = q.mat3() * Vector3(1, 0, 0);
    EXPECT_NEAR(turned.x, 0.0f, 1e-6f);
    EXPECT_NEAR(turned.y, -1.0f, 1e-6f);
}

TEST(QuaternionTest, SlerpMatchesGlmMixAlongTheGivenArc) {
    // glm::slerp flips q2 to take the shorter arc; glm::mix does not, like this slerp.
    Random random(16);
    int longArcs = 0;
    for (int i = 0; i < 50; ++i) {
        const Quaternion q1 = random.unitQuaternion();
        const Quaternion q2 = random.unitQuaternion();
        longArcs += q1.dot(q2) < 0 ? 1 : 0;
        const float t = random(0, 1);
        expectNear(Quaternion::slerp(q1, q2, t), glm::mix(toGlm(q1), toGlm(q2), t), 1e-5f);
    }
    EXPECT_GT(longArcs, 0);
}

TEST(QuaternionTest, SlerpEndsAndMidpoint) {
    const Quaternion q1 = Quaternion::fromAxisAngle(0, 0, 1, 10);
    const Quaternion q2 = Quaternion::fromAxisAngle(0, 0, 1, 130);
    expectNear(Quaternion::slerp(q1, q2, 0), toGlm(q1), 1e-6f);
    expectNear(Quaternion::slerp(q1, q2, 1), toGlm(q2), 1e-6f);
    expectNear(Quaternion::slerp(q1, q2, 0.5f), toGlm(Quaternion::fromAxisAngle(0, 0, 1, 70)), 1e-6f);
}

TEST(QuaternionTest, SlerpOfNearlyEqualOrUnnormalisedInputsFallsBackToLinear) {
    const Quaternion q(0, 0, 0, 1);
    EXPECT_EQ(Quaternion::slerp(q, q, 0.3f), q * 0.7f + q * 0.3f);
    // The dot product of the default (1, 1, 1, 1) with itself is 4: linear, and not normalised.
    const Quaternion ones;
    EXPECT_EQ(Quaternion::slerp(ones, ones * 2.0f, 0.5f), Quaternion(1.5f, 1.5f, 1.5f, 1.5f));
}
