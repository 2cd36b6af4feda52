#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "quadrix/Vector2.h"
#include "quadrix/Vector3.h"

using quadrix::Vector2;
using quadrix::Vector3;

TEST(Vector2Test, NullTestIsExact) {
    EXPECT_TRUE(Vector2().isNull());
    EXPECT_FALSE(Vector2(1e-30f, 0.0f).isNull());
    EXPECT_FALSE(Vector2(0.0f, -1e-30f).isNull());
    EXPECT_TRUE(Vector2(-0.0f, 0.0f).isNull());
}

TEST(Vector2Test, LengthAndDot) {
    const Vector2 v(3.0f, -4.0f);
    EXPECT_EQ(v.length(), 5.0f);
    EXPECT_EQ(v.squaredLength(), 25.0f);
    EXPECT_EQ(v.dot(Vector2(2.0f, 0.5f)), 4.0f);
}

TEST(Vector2Test, NormalizeKeepsZeroAndScalesByReciprocal) {
    EXPECT_EQ(Vector2().normalized(), Vector2());
    Vector2 v(3.0f, 4.0f);
    v.normalize();
    const float inv = 1.0f / 5.0f;
    EXPECT_EQ(v, Vector2(3.0f * inv, 4.0f * inv));
    EXPECT_FLOAT_EQ(Vector2(-7.0f, 2.0f).normalized().length(), 1.0f);
}

TEST(Vector2Test, AngleCountsUpwardsOnScreen) {
    EXPECT_EQ(Vector2(1.0f, 0.0f).angle(), 0.0f);
    EXPECT_EQ(Vector2(0.0f, -1.0f).angle(), 90.0f);
    EXPECT_EQ(Vector2(0.0f, 1.0f).angle(), -90.0f);
    EXPECT_FLOAT_EQ(Vector2(1.0f, -1.0f).angle(), 45.0f);
    // The y term is negated exactly, so y = 0 becomes -0 and picks the lower branch of atan2.
    const float zero = Vector2().angle();
    EXPECT_EQ(zero, 0.0f);
    EXPECT_TRUE(std::signbit(zero));
    EXPECT_EQ(Vector2(-1.0f, 0.0f).angle(), -180.0f);
}

TEST(Vector2Test, RotateTurnsClockwiseOnScreenInDoublePrecision) {
    const Vector2 r = Vector2(1.0f, 0.0f).rotated(90.0f);
    EXPECT_EQ(r.x, static_cast<float>(std::cos(std::numbers::pi / 2)));
    EXPECT_EQ(r.y, 1.0f);

    // Rotating by an angle and reading angle() back gives its negative: the two count opposite ways.
    const Vector2 v = Vector2(2.0f, 0.0f).rotated(30.0f);
    EXPECT_NEAR(v.angle(), -30.0f, 1e-5f);
    EXPECT_FLOAT_EQ(v.length(), 2.0f);

    Vector2 w(0.0f, 1.0f);
    EXPECT_EQ(&w.rotate(180.0f), &w);
    EXPECT_NEAR(w.x, 0.0f, 1e-6f);
    EXPECT_EQ(w.y, -1.0f);
}

TEST(Vector2Test, CircleBorderCountsAsInside) {
    const Vector2 center(10.0f, 10.0f);
    EXPECT_TRUE(Vector2(13.0f, 14.0f).isInCircle(center, 5.0f));
    EXPECT_TRUE(Vector2(13.0f, 14.0f).isInCircle(10.0f, 10.0f, 5.0f));
    EXPECT_FALSE(Vector2(13.0f, 14.0f).isInCircle(center, 4.99f));
    EXPECT_TRUE(center.isInCircle(center, 0.0f));
}

TEST(Vector2Test, Operators) {
    const Vector2 a(6.0f, -4.0f);
    const Vector2 b(2.0f, 8.0f);
    EXPECT_EQ(-a, Vector2(-6.0f, 4.0f));
    EXPECT_EQ(a + b, Vector2(8.0f, 4.0f));
    EXPECT_EQ(a - b, Vector2(4.0f, -12.0f));
    EXPECT_EQ(a * b, Vector2(12.0f, -32.0f));
    EXPECT_EQ(a / b, Vector2(3.0f, -0.5f));
    EXPECT_EQ(a * 0.5f, Vector2(3.0f, -2.0f));
    // Division by a float multiplies by the reciprocal, which can differ from a true division.
    EXPECT_EQ(Vector2(1.0f, 10.0f) / 3.0f, Vector2(1.0f * (1.0f / 3.0f), 10.0f * (1.0f / 3.0f)));

    Vector2 c = a;
    EXPECT_EQ(c += b, Vector2(8.0f, 4.0f));
    EXPECT_EQ(c -= b, a);
    EXPECT_EQ(c *= b, Vector2(12.0f, -32.0f));
    EXPECT_EQ(c /= b, a);
    EXPECT_EQ(c *= 2.0f, Vector2(12.0f, -8.0f));
    EXPECT_EQ(c /= 4.0f, Vector2(3.0f, -2.0f));
    EXPECT_NE(c, Vector2(3.0f, 2.0f));
    c.set(1.0f, 2.0f);
    EXPECT_EQ(c, Vector2(1.0f, 2.0f));
}

TEST(Vector3Test, ConstructionAndSet) {
    EXPECT_EQ(Vector3(), Vector3(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(Vector3(Vector2(1.0f, 2.0f), 3.0f), Vector3(1.0f, 2.0f, 3.0f));
    Vector3 v;
    v.set(Vector2(4.0f, 5.0f), 6.0f);
    EXPECT_EQ(v, Vector3(4.0f, 5.0f, 6.0f));
    v.set(7.0f, 8.0f, 9.0f);
    EXPECT_EQ(v, Vector3(7.0f, 8.0f, 9.0f));
}

TEST(Vector3Test, LengthDotCrossNormalize) {
    const Vector3 v(2.0f, 3.0f, 6.0f);
    EXPECT_EQ(v.length(), 7.0f);
    EXPECT_EQ(v.squaredLength(), 49.0f);
    EXPECT_EQ(v.dot(Vector3(1.0f, -1.0f, 2.0f)), 11.0f);
    EXPECT_EQ(Vector3(1, 0, 0).cross(Vector3(0, 1, 0)), Vector3(0, 0, 1));
    EXPECT_EQ(Vector3(0, 1, 0).cross(Vector3(1, 0, 0)), Vector3(0, 0, -1));
    EXPECT_EQ(v.cross(Vector3(1.0f, -1.0f, 2.0f)), Vector3(12.0f, 2.0f, -5.0f));
    EXPECT_FLOAT_EQ(v.normalized().length(), 1.0f);
    EXPECT_EQ(Vector3().normalized(), Vector3());
    EXPECT_FALSE(Vector3(0.0f, 0.0f, 1e-30f).isNull());
}

TEST(Vector3Test, Operators) {
    const Vector3 a(6.0f, -4.0f, 1.0f);
    const Vector3 b(2.0f, 8.0f, -0.5f);
    EXPECT_EQ(-a, Vector3(-6.0f, 4.0f, -1.0f));
    EXPECT_EQ(a + b, Vector3(8.0f, 4.0f, 0.5f));
    EXPECT_EQ(a - b, Vector3(4.0f, -12.0f, 1.5f));
    EXPECT_EQ(a * b, Vector3(12.0f, -32.0f, -0.5f));
    EXPECT_EQ(a / b, Vector3(3.0f, -0.5f, -2.0f));
    EXPECT_EQ(a * 2.0f, Vector3(12.0f, -8.0f, 2.0f));
    EXPECT_EQ(Vector3(1.0f, 2.0f, 10.0f) / 3.0f, Vector3(1.0f, 2.0f, 10.0f) * (1.0f / 3.0f));

    Vector3 c = a;
    EXPECT_EQ(c += b, a + b);
    EXPECT_EQ(c -= b, a);
    EXPECT_EQ(c *= b, a * b);
    EXPECT_EQ(c /= b, a);
    EXPECT_EQ(c *= 2.0f, a * 2.0f);
    EXPECT_EQ(c /= 2.0f, a);
    EXPECT_NE(c, b);
}
