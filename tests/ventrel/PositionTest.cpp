#include <gtest/gtest.h>
#include <kit/Exception.h>
#include <kit/Random.h>
#include <serial/Serial.h>
#include <ventrel/Position2.h>

#include <cmath>
#include <memory>
#include <numbers>

using ventrel::Direction;
using ventrel::Position2;

TEST(Direction, ValuesNamesAndNeighbours) {
    EXPECT_EQ(Direction::fromInt(6), Direction::Right);
    EXPECT_EQ(Direction::fromName("UpLeft").getValue(), 7u);
    EXPECT_EQ(Direction::Down.next(), Direction::DownRight);
    EXPECT_EQ(Direction::None.previous(), Direction::Max);
    EXPECT_EQ(Direction::Max.next(), Direction::None);
    EXPECT_EQ(Direction::getValues().size(), 11u);
    EXPECT_THROW(Direction::fromInt(11), kit::EnumerationValueNotExistsException);
    EXPECT_TRUE(Direction::UpRight.isDiagonal());
    EXPECT_FALSE(Direction::Up.isDiagonal());
}

TEST(Position2, OffsetsAndDirectionsOfOffsets) {
    EXPECT_EQ(Position2(Direction::DownLeft), Position2(-1, 1));
    EXPECT_EQ(Position2(Direction::Up), Position2(0, -1));
    EXPECT_EQ(Position2(Direction::Neutral), Position2(0, 0));
    EXPECT_EQ(Position2(Direction::Max), Position2(0, 0));
    EXPECT_EQ(Position2(0, 0).getDir4(), Direction::None);
    EXPECT_EQ(Position2(-3, 2).getDir4(), Direction::Down);
    EXPECT_EQ(Position2(-3, -2).getDir4(), Direction::Left);
    EXPECT_EQ(Position2(-3, 2).getDir8(), Direction::DownLeft);
    EXPECT_EQ(Position2(0, -2).getDir8(), Direction::Up);
    for (const Direction& d : Direction::getValues()) {
        if (Position2(d) != Position2()) {
            EXPECT_EQ(Position2(d).getDir8(), d) << d.getName();
        }
    }
}

TEST(Position2, DirectionsOfFreeVectors) {
    using quadrix::Vector2;
    EXPECT_EQ(Position2::dir4(Vector2()), Direction::Down);
    EXPECT_EQ(Position2::dir8(Vector2()), Direction::Down);
    EXPECT_EQ(Position2::dir4(Vector2(1, -1)), Direction::Right);  // ties go horizontal
    EXPECT_EQ(Position2::dir4(Vector2(-1, 2)), Direction::Down);
    EXPECT_EQ(Position2::dir8(Vector2(1, -1)), Direction::UpRight);
    EXPECT_EQ(Position2::dir8(Vector2(1, 1)), Direction::DownRight);
    EXPECT_EQ(Position2::dir8(Vector2(-1, 0)), Direction::Left);
    // Boundary angles belong to the straight directions.
    auto at = [](double degrees) {
        double a = degrees * std::numbers::pi / 180.0;
        return Position2::dir8(Vector2(float(std::cos(a) * 1000), float(-std::sin(a) * 1000)));
    };
    EXPECT_EQ(at(10), Direction::Right);
    EXPECT_EQ(at(45), Direction::UpRight);
    EXPECT_EQ(at(90), Direction::Up);
    EXPECT_EQ(at(135), Direction::UpLeft);
    EXPECT_EQ(at(225), Direction::DownLeft);
    EXPECT_EQ(at(270), Direction::Down);
    EXPECT_EQ(at(315), Direction::DownRight);
}

TEST(Position2, DistancesOperatorsAndText) {
    Position2 a(1, 2), b(4, 6);
    EXPECT_FLOAT_EQ(a.distance(b), 5.0f);
    EXPECT_EQ(a.distanceSquared(b), 25);
    EXPECT_EQ(a.distanceCoordinates(b), 7);
    EXPECT_EQ(-a, Position2(-1, -2));
    EXPECT_EQ(Position2(-7, 7) / 2, Position2(-3, 3));
    EXPECT_EQ(a + Direction::Right, Position2(2, 2));
    Position2 c = a;
    EXPECT_EQ(c *= 3, Position2(3, 6));
    EXPECT_TRUE(Position2(3, 0) < Position2(1, 3));
    EXPECT_FALSE(Position2(2, 1) < Position2(1, 2));
    EXPECT_FALSE(Position2(1, 2) < Position2(2, 1));
    EXPECT_EQ(Position2(3, -2).toString(), "3,-2");
    EXPECT_EQ(Position2::fromString("5, 7"), Position2(5, 7));
    EXPECT_EQ(Position2::fromString("x,"), Position2(0, 0));
    EXPECT_THROW(Position2::fromString("57"), kit::Exception);
    EXPECT_THROW(Position2::fromString("1,2,3"), kit::Exception);
    EXPECT_EQ(Position2::fromVector2(quadrix::Vector2(-0.5f, 1.9f)), Position2(-1, 1));
    EXPECT_FALSE(Position2::Invalid.isValid());
}

TEST(Position2, ClosestAndFarthestPickAmongTiesUniformly) {
    Position2 origin(0, 0);
    EXPECT_EQ(origin.findClosest({}), Position2::Invalid);
    EXPECT_EQ(origin.findClosest({Position2(5, 5), Position2(1, 0), Position2(3, 0)}), Position2(1, 0));
    EXPECT_EQ(origin.findFarthest({Position2(5, 5), Position2(1, 0)}), Position2(5, 5));
    kit::seedRandom(7);
    int first = 0;
    for (int i = 0; i < 2000; ++i) {
        first += origin.findClosest({Position2(1, 0), Position2(0, 1), Position2(4, 4)}) == Position2(1, 0);
    }
    EXPECT_GT(first, 850);
    EXPECT_LT(first, 1150);
}

TEST(Position2, SerialisesUnderItsName) {
    Position2 position(3, -4);
    kit::Stream stream;
    ASSERT_TRUE(serial::serialize(stream, &position));
    stream.rewind();
    serial::Serializable* root = nullptr;
    ASSERT_TRUE(serial::deserialize(stream, &root));
    std::unique_ptr<serial::Serializable> owned(root);
    auto* back = dynamic_cast<Position2*>(root);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(*back, position);
    EXPECT_NE(serial::toXml(&position).find("ventrel::Position2"), std::string::npos);
}
