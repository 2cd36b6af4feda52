#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "quadrix/CatmullRomSpline2.h"
#include "quadrix/CatmullRomSpline3.h"

using quadrix::CatmullRomSpline2;
using quadrix::CatmullRomSpline3;
using quadrix::Vector2;
using quadrix::Vector3;

namespace {

void expectNear(const Vector2& actual, const Vector2& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

void expectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// Exposes the exact segment derivative to check the end tangents.
class ProbeSpline : public CatmullRomSpline2 {
public:
    using CatmullRomSpline2::CatmullRomSpline2;
    Vector2 position(double u, int segment) const { return _calcSegmentPosition(u, segment); }
    Vector2 derivative(double u, int segment) const { return _calcSegmentDerivative(u, segment, 1); }
};

// The distance travelled along the curve from t = 0 to t, measured finely.
double arcLength(const CatmullRomSpline2& spline, double t) {
    constexpr int steps = 2000;
    double sum = 0.0;
    Vector2 previous = spline.calcPosition(0.0);
    for (int i = 1; i <= steps; ++i) {
        const Vector2 next = spline.calcPosition(t * i / steps);
        sum += (next - previous).length();
        previous = next;
    }
    return sum;
}

const std::vector<Vector2> square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};

}  // namespace

TEST(CatmullRomSplineTest, OpenSplineThroughCollinearPoints) {
    const CatmullRomSpline2 spline({{0, 0}, {10, 0}, {20, 0}});
    EXPECT_FALSE(spline.isClosed());
    EXPECT_DOUBLE_EQ(spline.getLength(), 20.0);
    EXPECT_EQ(spline.calcPosition(0.5), Vector2(10, 0));
    EXPECT_EQ(spline.calcPosition(0.0), Vector2(0, 0));
    // Without tangents the end points are repeated.
    const std::vector<Vector2> expected = {{0, 0}, {0, 0}, {10, 0}, {20, 0}, {20, 0}};
    EXPECT_EQ(spline.getPoints(), expected);
}

TEST(CatmullRomSplineTest, OpenSplineEndsAtItsLastPoint) {
    const CatmullRomSpline2 spline({{0, 0}, {10, 5}, {20, 0}, {25, 10}});
    EXPECT_EQ(spline.calcPosition(1.0), Vector2(25, 10));
    expectNear(spline.calcPosition(0.99999), Vector2(25, 10), 0.01f);
    // Past 1 only the fractional part counts; below 0 is the start.
    EXPECT_EQ(spline.calcPosition(2.0), Vector2(0, 0));
    EXPECT_EQ(spline.calcPosition(1.3), spline.calcPosition(1.3 - 1.0));
    EXPECT_EQ(spline.calcPosition(-0.2), Vector2(0, 0));
}

TEST(CatmullRomSplineTest, EndTangentsSetTheDerivativeAtTheEnds) {
    const Vector2 startTangent(0, 4);
    const Vector2 endTangent(3, -3);
    const ProbeSpline spline({{0, 0}, {10, 0}, {20, 5}}, false, 0.5, 16, startTangent, endTangent);
    const std::vector<Vector2>& points = spline.getPoints();
    ASSERT_EQ(points.size(), 5u);
    EXPECT_EQ(points.front(), Vector2(10, 0) - startTangent * 2.0f);
    EXPECT_EQ(points.back(), Vector2(10, 0) + endTangent * 2.0f);
    expectNear(spline.derivative(0.0, 1), startTangent);
    expectNear(spline.derivative(1.0, 2), endTangent);
}

TEST(CatmullRomSplineTest, ClosedSquareWrapsAround) {
    const CatmullRomSpline2 spline(square, true);
    EXPECT_TRUE(spline.isClosed());
    const std::vector<Vector2> expected = {{0, 10}, {0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {10, 0}};
    EXPECT_EQ(spline.getPoints(), expected);
    EXPECT_EQ(spline.calcPosition(0.0), square[0]);
    EXPECT_EQ(spline.calcPosition(1.0), square[0]);
    // Four segments of equal length, each a quarter of t.
    EXPECT_EQ(spline.calcPosition(0.25), square[1]);
    EXPECT_EQ(spline.calcPosition(0.5), square[2]);
    EXPECT_EQ(spline.calcPosition(0.75), square[3]);
    EXPECT_EQ(spline.calcPosition(1.25), spline.calcPosition(0.25));
    EXPECT_EQ(spline.calcPosition(3.6), spline.calcPosition(3.6 - 3.0));
    // The curve closes smoothly: just before 1 it is next to the first corner.
    expectNear(spline.calcPosition(0.9999), square[0], 0.05f);
}

TEST(CatmullRomSplineTest, EqualStepsOfTMoveRoughlyEqualDistances) {
    // Three short segments and two long ones. Spreading t evenly over segments would put the middle of the
    // curve's t range a mere 5% along it; by arc length every t lands within a few percent of t * length.
    const CatmullRomSpline2 spline({{0, 0}, {1, 1}, {2, 0}, {3, 1}, {30, 20}, {60, 0}});
    const double length = spline.getLength();
    EXPECT_NEAR(arcLength(spline, 1.0), length, 0.01 * length);
    const double meanStep = length / 100.0;
    Vector2 previous = spline.calcPosition(0.0);
    for (int i = 1; i <= 100; ++i) {
        const double t = i / 100.0;
        const Vector2 next = spline.calcPosition(t);
        const double step = (next - previous).length();
        EXPECT_GT(step, 0.2 * meanStep) << "t = " << t;
        EXPECT_LT(step, 2.5 * meanStep) << "t = " << t;
        previous = next;
        if (i % 5 == 0) {
            EXPECT_NEAR(arcLength(spline, t) / length, t, 0.05) << "t = " << t;
        }
    }
}

TEST(CatmullRomSplineTest, TensionShapesTheCurve) {
    // With tension 0 the curve leaves every point with zero speed and keeps to the chord between them,
    // whatever the neighbours.
    const std::vector<Vector2> points = {{-50, 0}, {0, 0}, {10, 10}, {40, -30}};
    const ProbeSpline flat(points, false, 0.0);
    for (double u : {0.1, 0.5, 0.8}) {
        const Vector2 p = flat.position(u, 2);
        EXPECT_NEAR(p.x, p.y, 1e-5f) << "u = " << u;
    }
    EXPECT_EQ(flat.position(0.5, 2), Vector2(5, 5));
    EXPECT_EQ(flat.derivative(0.0, 2), Vector2(0, 0));
    // The classic tension bends the same segment away from the chord.
    const ProbeSpline classic(points, false, 0.5);
    EXPECT_GT(std::abs(classic.position(0.5, 2).x - classic.position(0.5, 2).y), 1.0f);
    EXPECT_GT(classic.getLength(), flat.getLength());
}

TEST(CatmullRomSplineTest, ZeroSamplesLeaveEveryPositionAtTheStart) {
    const CatmullRomSpline2 spline({{3, 4}, {10, 0}, {20, 5}}, false, 0.5, 0);
    EXPECT_EQ(spline.getLength(), 0.0);
    for (double t : {0.0, 0.3, 0.99, 1.0}) {
        EXPECT_EQ(spline.calcPosition(t), Vector2(3, 4));
    }
}

TEST(CatmullRomSplineTest, ZeroLengthSegmentsCoverNoT) {
    // The last segment has four equal control points and no length; the one before it, a small overshoot
    // past (10, 0) and back, must keep its share of t.
    const CatmullRomSpline2 spline({{0, 0}, {10, 0}, {10, 0}, {10, 0}});
    const std::vector<Vector2> expected = {{0, 0}, {0, 0}, {10, 0}, {10, 0}, {10, 0}, {10, 0}};
    EXPECT_EQ(spline.getPoints(), expected);
    EXPECT_GT(spline.getLength(), 11.0);
    for (int i = 0; i <= 100; ++i) {
        const Vector2 p = spline.calcPosition(i / 100.0);
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << "t = " << i / 100.0;
    }
    EXPECT_NEAR(arcLength(spline, 1.0), spline.getLength(), 0.01 * spline.getLength());
    EXPECT_EQ(spline.calcPosition(1.0), Vector2(10, 0));
}

TEST(CatmullRomSplineTest, FewerThanTwoPoints) {
    CatmullRomSpline2 empty;
    EXPECT_TRUE(empty.getPoints().empty());
    EXPECT_EQ(empty.calcPosition(0.5), Vector2());
    EXPECT_EQ(empty.calcTangent(0.5), Vector2());
    EXPECT_EQ(empty.calcStaticTangent(0.5), Vector2());
    EXPECT_EQ(empty.calcNormal(0.5), Vector2());
    EXPECT_EQ(empty.getLength(), 0.0);

    CatmullRomSpline2 none(nullptr, 0);
    EXPECT_TRUE(none.getPoints().empty());

    const Vector2 only(4, 5);
    CatmullRomSpline2 single(&only, 1, true);
    EXPECT_EQ(single.getLength(), 0.0);
    EXPECT_EQ(single.calcPosition(0.0), only);
    EXPECT_EQ(single.calcPosition(0.7), only);
    EXPECT_EQ(single.calcTangent(0.2), Vector2());
    EXPECT_EQ(single.calcStaticTangent(0.2), Vector2());
}

TEST(CatmullRomSplineTest, TangentKeepsTheLastResultNearTheEndOfAnOpenCurve) {
    CatmullRomSpline2 spline({{0, 0}, {10, 0}, {20, 10}, {20, 30}});
    // Before any call it holds the direction at the start.
    const Vector2 initial = spline.calcTangent(0.995);
    EXPECT_FALSE(initial.isNull());
    EXPECT_EQ(initial, spline.calcTangent(0.0));
    const Vector2 middle = spline.calcTangent(0.5);
    EXPECT_FLOAT_EQ(middle.length(), 1.0f);
    EXPECT_EQ(spline.calcTangent(0.995), middle);
    const Vector2 late = spline.calcTangent(0.989);
    EXPECT_NE(late, middle);
    EXPECT_EQ(spline.calcTangent(0.999), late);
    // Near its end the curve heads along +y.
    expectNear(late, Vector2(0, 1), 0.05f);
}

TEST(CatmullRomSplineTest, TangentWrapsOnAClosedCurve) {
    CatmullRomSpline2 spline(square, true);
    const Vector2 middle = spline.calcTangent(0.5);
    const Vector2 late = spline.calcTangent(0.995);
    EXPECT_NE(late, middle);
    // Running from (0, 10) back to (0, 0) and on to (10, 0): up the screen, turning right.
    EXPECT_LT(late.y, 0.0f);
    EXPECT_GT(late.x, 0.0f);
    EXPECT_FLOAT_EQ(late.length(), 1.0f);
}

TEST(CatmullRomSplineTest, StaticTangentIsTheSegmentChord) {
    const CatmullRomSpline2 spline(square, true);
    EXPECT_EQ(spline.calcStaticTangent(0.1), Vector2(1, 0));
    EXPECT_EQ(spline.calcStaticTangent(0.3), Vector2(0, 1));
    EXPECT_EQ(spline.calcStaticTangent(0.6), Vector2(-1, 0));
    EXPECT_EQ(spline.calcStaticTangent(0.9), Vector2(0, -1));
    EXPECT_EQ(spline.calcStaticTangent(1.1), Vector2(1, 0));
}

TEST(CatmullRomSplineTest, NormalIsTheTangentTurned) {
    CatmullRomSpline2 spline({{0, 0}, {10, 5}, {20, 0}, {25, 10}});
    CatmullRomSpline2 copy = spline;
    for (double t : {0.0, 0.2, 0.6, 0.95}) {
        const Vector2 tangent = copy.calcTangent(t);
        EXPECT_EQ(spline.calcNormal(t), Vector2(-tangent.y, tangent.x));
    }
}

TEST(CatmullRomSplineTest, CopiesAreIndependentAndMovesKeepTheCurve) {
    CatmullRomSpline2 original(square, true);
    const CatmullRomSpline2 copy = original;
    original.set({{0, 0}, {5, 5}});
    EXPECT_TRUE(copy.isClosed());
    EXPECT_EQ(copy.calcPosition(0.25), square[1]);
    EXPECT_FALSE(original.isClosed());

    CatmullRomSpline2 source(square, true);
    const double length = source.getLength();
    const CatmullRomSpline2 moved = std::move(source);
    EXPECT_EQ(moved.getLength(), length);
    EXPECT_EQ(moved.calcPosition(0.5), square[2]);

    CatmullRomSpline2 assigned;
    assigned = moved;
    EXPECT_EQ(assigned.calcPosition(0.75), square[3]);
    CatmullRomSpline2 moveAssigned;
    moveAssigned = std::move(assigned);
    EXPECT_EQ(moveAssigned.getPoints(), moved.getPoints());
}

TEST(CatmullRomSpline3Test, BehavesLikeThePlaneCurve) {
    const CatmullRomSpline3 line({{0, 0, 0}, {0, 10, 0}, {0, 20, 0}});
    EXPECT_DOUBLE_EQ(line.getLength(), 20.0);
    EXPECT_EQ(line.calcPosition(0.5), Vector3(0, 10, 0));
    EXPECT_EQ(line.calcPosition(1.0), Vector3(0, 20, 0));

    const std::vector<Vector3> corners = {{0, 0, 5}, {10, 0, 5}, {10, 10, 5}, {0, 10, 5}};
    const CatmullRomSpline3 loop(corners.data(), 4, true);
    EXPECT_EQ(loop.calcPosition(0.0), corners[0]);
    EXPECT_EQ(loop.calcPosition(1.0), corners[0]);
    EXPECT_EQ(loop.calcPosition(0.25), corners[1]);
    EXPECT_EQ(loop.calcPosition(1.25), loop.calcPosition(0.25));
    EXPECT_EQ(loop.calcStaticTangent(0.3), Vector3(0, 1, 0));
}

TEST(CatmullRomSpline3Test, NormalPointsIntoTheBend) {
    CatmullRomSpline3 loop({{0, 0, 5}, {10, 0, 5}, {10, 10, 5}, {0, 10, 5}}, true);
    const Vector3 center(5, 5, 5);
    for (double t : {0.05, 0.2, 0.375, 0.6, 0.875}) {
        const Vector3 normal = loop.calcNormal(t);
        EXPECT_FLOAT_EQ(normal.length(), 1.0f) << "t = " << t;
        EXPECT_NEAR(normal.z, 0.0f, 1e-6f);
        EXPECT_GT(normal.dot(center - loop.calcPosition(t)), 0.0f) << "t = " << t;
        EXPECT_NEAR(normal.dot(loop.calcTangent(t)), 0.0f, 0.1f) << "t = " << t;
    }
    // A straight curve has no bend, in any direction.
    const CatmullRomSpline3 diagonal({{0, 0, 0}, {1, 2, 3}, {3, 6, 9}, {4, 8, 12}});
    for (double t : {0.1, 0.5, 0.9}) {
        EXPECT_EQ(diagonal.calcNormal(t), Vector3()) << "t = " << t;
    }
    EXPECT_EQ(CatmullRomSpline3().calcNormal(0.5), Vector3());
}

TEST(CatmullRomSpline3Test, EndTangentsAndOpenTangentRule) {
    const Vector3 startTangent(0, 0, 2);
    CatmullRomSpline3 spline({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, false, 0.5, 16, startTangent, Vector3());
    EXPECT_EQ(spline.getPoints().front(), Vector3(10, 0, 0) - startTangent * 2.0f);
    const Vector3 middle = spline.calcTangent(0.5);
    EXPECT_EQ(spline.calcTangent(0.99), middle);
    expectNear(spline.calcTangent(0.0), Vector3(0, 0, 1), 0.3f);
}
