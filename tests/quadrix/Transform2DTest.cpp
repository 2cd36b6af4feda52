// The GUI composes nested 2D object transforms with Matrix3 and maps points through them.

#include <gtest/gtest.h>

#include "quadrix/Matrix3.h"
#include "quadrix/Vector2.h"

using quadrix::Matrix3;
using quadrix::Vector2;
using quadrix::Vector3;

namespace {

void expectNear(const Vector2& actual, const Vector2& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

// An object at position, turned by degrees and scaled about its pivot (both in the object's own units).
Matrix3 objectTransform(const Vector2& position, const Vector2& pivot, float degrees, const Vector2& scale) {
    return Matrix3().translate(position + pivot).rotate(degrees).scale(scale).translate(-pivot);
}

}  // namespace

TEST(Transform2DTest, PointTransformAppliesTheTranslation) {
    const Matrix3 m = Matrix3().setTranslation(Vector2(10, -5));
    EXPECT_EQ(m * Vector2(1, 2), Vector2(11, -3));
    const Matrix3 scaled = Matrix3().setScale(Vector2(2, 3));
    EXPECT_EQ(scaled * Vector2(1, 2), Vector2(2, 6));

    // The same as the 3D product with z = 1.
    const Matrix3 any(1, 2, 0, 3, 4, 0, 5, 6, 1);
    const Vector3 full = any * Vector3(7, 8, 1);
    EXPECT_EQ(any * Vector2(7, 8), Vector2(full.x, full.y));
}

TEST(Transform2DTest, LaterTransformsApplyFirst) {
    // Translate, then rotate: the rotation acts on the point before the translation.
    const Matrix3 m = Matrix3().translate(100, 0).rotate(90);
    expectNear(m * Vector2(1, 0), Vector2(100, -1));
    // The other order moves first and then turns the moved point.
    const Matrix3 n = Matrix3().rotate(90).translate(100, 0);
    expectNear(n * Vector2(1, 0), Vector2(0, -101));
}

TEST(Transform2DTest, RotationTurnsOppositeToVector2Rotate) {
    for (float degrees : {-135.0f, -30.0f, 10.0f, 90.0f, 200.0f}) {
        expectNear(Matrix3().setRotation(degrees) * Vector2(3, 4), Vector2(3, 4).rotated(-degrees));
    }
}

TEST(Transform2DTest, RotateAndScaleAboutAPivot) {
    const Vector2 position(200, 100);
    const Vector2 pivot(50, 25);
    const Vector2 scale(2, 0.5f);
    const Matrix3 m = objectTransform(position, pivot, 30, scale);
    // The pivot stays where it is.
    expectNear(m * pivot, position + pivot);
    // Any other point is scaled and turned about it.
    const Vector2 point(80, -10);
    expectNear(m * point, position + pivot + ((point - pivot) * scale).rotated(-30));
}

TEST(Transform2DTest, NestedObjectsComposeParentTimesChild) {
    const Matrix3 parent = objectTransform({300, 200}, {40, 40}, -20, {1.5f, 1.5f});
    const Matrix3 child = objectTransform({10, 60}, {5, 5}, 75, {0.5f, 2});
    const Matrix3 grandChild = objectTransform({-3, 4}, {0, 0}, 10, {1, 1});
    const Matrix3 world = parent * child * grandChild;
    const Vector2 local(7, -2);
    expectNear(world * local, parent * (child * (grandChild * local)));
}

TEST(Transform2DTest, InverseMapsScreenPointsBackToObjectSpace) {
    const Matrix3 world = objectTransform({300, 200}, {40, 40}, -20, {1.5f, 1.5f}) *
                          objectTransform({10, 60}, {5, 5}, 75, {0.5f, 2});
    const Matrix3 inverse = world.inversed();
    for (const Vector2 local : {Vector2(0, 0), Vector2(7, -2), Vector2(120, 33)}) {
        expectNear(inverse * (world * local), local);
    }
    const Matrix3 identity = world * inverse;
    for (int i = 0; i < 9; ++i) {
        EXPECT_NEAR(identity[i], Matrix3()[i], 1e-5f) << "element " << i;
    }
    // An affine 2D transform keeps its last row through inversion.
    EXPECT_EQ(inverse[2], 0.0f);
    EXPECT_EQ(inverse[5], 0.0f);
    EXPECT_NEAR(inverse[8], 1.0f, 1e-6f);
}
