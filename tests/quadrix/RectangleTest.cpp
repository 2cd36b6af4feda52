#include <gtest/gtest.h>

#include "quadrix/Rectangle.h"

using quadrix::Rectangle;
using quadrix::Vector2;

TEST(RectangleTest, ConstructionForms) {
    const Rectangle expected(1.0f, 2.0f, 3.0f, 4.0f);
    EXPECT_EQ(Rectangle(), Rectangle(0.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_EQ(Rectangle(Vector2(1, 2), Vector2(3, 4)), expected);
    EXPECT_EQ(Rectangle(Vector2(1, 2), 3.0f, 4.0f), expected);
    EXPECT_EQ(Rectangle(1.0f, 2.0f, Vector2(3, 4)), expected);

    Rectangle r;
    r.set(Vector2(1, 2), Vector2(3, 4));
    EXPECT_EQ(r, expected);
    r.set(5.0f, 6.0f, 7.0f, 8.0f);
    EXPECT_EQ(r, Rectangle(5, 6, 7, 8));
    r.set(Vector2(1, 2), 3.0f, 4.0f);
    EXPECT_EQ(r, expected);
    r.set(9.0f, 9.0f, Vector2(3, 4));
    EXPECT_EQ(r, Rectangle(9, 9, 3, 4));
    EXPECT_NE(r, expected);
}

TEST(RectangleTest, CornersAndEdgesWithYDown) {
    Rectangle r(10.0f, 20.0f, 30.0f, 40.0f);
    EXPECT_EQ(r.getPosition(), Vector2(10, 20));
    EXPECT_EQ(r.getTopLeft(), Vector2(10, 20));
    EXPECT_EQ(r.getTopRight(), Vector2(40, 20));
    EXPECT_EQ(r.getBottomLeft(), Vector2(10, 60));
    EXPECT_EQ(r.getBottomRight(), Vector2(40, 60));
    EXPECT_EQ(r.getCenter(), Vector2(25, 40));
    EXPECT_EQ(r.getSize(), Vector2(30, 40));
    EXPECT_EQ(r.left(), 10.0f);
    EXPECT_EQ(r.right(), 40.0f);
    EXPECT_EQ(r.top(), 20.0f);
    EXPECT_EQ(r.bottom(), 60.0f);
    EXPECT_EQ(r.centerX(), 25.0f);
    EXPECT_EQ(r.centerY(), 40.0f);
    EXPECT_EQ(r.getAspect(), 0.75f);

    r.setPosition(Vector2(1, 2));
    r.setSize(3.0f, 4.0f);
    EXPECT_EQ(r, Rectangle(1, 2, 3, 4));
    r.setPosition(5.0f, 6.0f);
    r.setSize(Vector2(7, 8));
    EXPECT_EQ(r, Rectangle(5, 6, 7, 8));
}

TEST(RectangleTest, PointInsideIncludesTopLeftEdgesOnly) {
    const Rectangle r(10.0f, 20.0f, 30.0f, 40.0f);
    EXPECT_TRUE(r.isPointInside(10.0f, 20.0f));
    EXPECT_TRUE(r.isPointInside(Vector2(39.99f, 59.99f)));
    EXPECT_FALSE(r.isPointInside(40.0f, 20.0f));
    EXPECT_FALSE(r.isPointInside(Vector2(10.0f, 60.0f)));
    EXPECT_FALSE(r.isPointInside(9.99f, 30.0f));
    EXPECT_FALSE(Rectangle(5, 5, 0, 0).isPointInside(5, 5));
}

TEST(RectangleTest, IntersectsAndContains) {
    const Rectangle a(0, 0, 10, 10);
    const Rectangle right(10, 0, 10, 10);
    const Rectangle below(0, 10, 10, 10);
    // Sharing an edge is touching, not intersecting.
    EXPECT_FALSE(a.intersects(right));
    EXPECT_FALSE(right.intersects(a));
    EXPECT_FALSE(a.intersects(below));
    EXPECT_TRUE(a.intersects(Rectangle(9.5f, 9.5f, 10, 10)));
    EXPECT_TRUE(a.intersects(Rectangle(2, 2, 1, 1)));

    EXPECT_TRUE(a.contains(a));
    EXPECT_TRUE(right.contains(right));
    EXPECT_TRUE(a.contains(Rectangle(0, 0, 10, 5)));
    EXPECT_FALSE(a.contains(Rectangle(0, 0, 10.5f, 5)));
    EXPECT_FALSE(a.contains(Rectangle(-1, 0, 5, 5)));
    EXPECT_FALSE(Rectangle(2, 2, 1, 1).contains(a));
}

TEST(RectangleTest, ClipCutsToTheOtherRectangle) {
    EXPECT_EQ(Rectangle(0, 0, 10, 10).clipped(Rectangle(5, 5, 10, 10)), Rectangle(5, 5, 5, 5));
    EXPECT_EQ(Rectangle(2, 3, 4, 5).clipped(Rectangle(0, 0, 100, 100)), Rectangle(2, 3, 4, 5));
    EXPECT_EQ(Rectangle(-5, -5, 30, 30).clipped(Rectangle(0, 0, 10, 10)), Rectangle(0, 0, 10, 10));

    Rectangle r(8, -2, 4, 20);
    EXPECT_EQ(&r.clip(Rectangle(0, 0, 10, 10)), &r);
    EXPECT_EQ(r, Rectangle(8, 0, 2, 10));
}

TEST(RectangleTest, ClipOfADisjointRectangleLeavesNegativeSize) {
    EXPECT_EQ(Rectangle(20, 20, 5, 5).clipped(Rectangle(0, 0, 10, 10)), Rectangle(20, 20, -10, -10));
    // Left of and above the clip area: moved onto its corner with the shortfall in the size.
    EXPECT_EQ(Rectangle(-20, -30, 5, 5).clipped(Rectangle(0, 0, 10, 10)), Rectangle(0, 0, -15, -25));
}

TEST(RectangleTest, VectorOperatorsMoveOrScale) {
    const Rectangle r(1, 2, 10, 20);
    EXPECT_EQ(r + Vector2(3, 4), Rectangle(4, 6, 10, 20));
    EXPECT_EQ(r - Vector2(3, 4), Rectangle(-2, -2, 10, 20));
    EXPECT_EQ(r * Vector2(2, 0.5f), Rectangle(1, 2, 20, 10));
    EXPECT_EQ(r / Vector2(2, 4), Rectangle(1, 2, 5, 5));

    Rectangle c = r;
    EXPECT_EQ(c += Vector2(1, 1), Rectangle(2, 3, 10, 20));
    EXPECT_EQ(c -= Vector2(1, 1), r);
    EXPECT_EQ(c *= Vector2(3, 3), Rectangle(1, 2, 30, 60));
    EXPECT_EQ(c /= Vector2(3, 3), r);
}

TEST(RectangleTest, FloatOperatorsScaleSizeOnly) {
    const Rectangle r(1, 2, 10, 20);
    EXPECT_EQ(r * 2.0f, Rectangle(1, 2, 20, 40));
    // Unlike a vector, a rectangle divides its size directly rather than by the reciprocal.
    EXPECT_EQ(Rectangle(0, 0, 1, 10) / 3.0f, Rectangle(0, 0, 1.0f / 3.0f, 10.0f / 3.0f));

    Rectangle c = r;
    EXPECT_EQ(c *= 2.0f, Rectangle(1, 2, 20, 40));
    EXPECT_EQ(c /= 2.0f, r);
}
