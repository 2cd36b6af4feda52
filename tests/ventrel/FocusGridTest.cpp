#include <gtest/gtest.h>
#include <ventrel/system/FocusGrid.h>

namespace {

using ventrel::system::FocusGrid;
using Way = FocusGrid::Way;

kit::Array<int> all(int count) {
    kit::Array<int> slots;
    for (int i = 0; i < count; ++i) {
        slots.push_back(i);
    }
    return slots;
}

// Seven slots in three columns: the last row holds only slot 6.
TEST(FocusGrid, ABoundedGridStopsAtItsEdgesAndTheShortLastRow) {
    FocusGrid grid(7, 3, false);
    EXPECT_EQ(grid.step(4, Way::Right, all(7)), 5);
    EXPECT_EQ(grid.step(5, Way::Right, all(7)), -1);
    EXPECT_EQ(grid.step(3, Way::Left, all(7)), -1);
    EXPECT_EQ(grid.step(6, Way::Right, all(7)), -1);
    EXPECT_EQ(grid.step(6, Way::Up, all(7)), 3);
    EXPECT_EQ(grid.step(1, Way::Up, all(7)), -1);
    EXPECT_EQ(grid.step(3, Way::Down, all(7)), 6);
    EXPECT_EQ(grid.step(5, Way::Down, all(7)), -1);
}

TEST(FocusGrid, ABoundedGridPassesOverSlotsThatCannotTakeTheFocus) {
    FocusGrid grid(9, 3, false);
    // Unsorted, as screens find them.
    const kit::Array<int> candidates{8, 0, 2, 6};
    EXPECT_EQ(grid.step(0, Way::Right, candidates), 2);
    EXPECT_EQ(grid.step(6, Way::Up, candidates), 0);
    EXPECT_EQ(grid.step(0, Way::Down, candidates), 6);
    // Nothing straight above or below: the largest candidate.
    EXPECT_EQ(grid.step(4, Way::Up, candidates), 8);
    EXPECT_EQ(grid.step(2, Way::Down, kit::Array<int>{0, 2, 7}), 7);
    EXPECT_EQ(grid.step(2, Way::Down, kit::Array<int>{2}), -1);
}

TEST(FocusGrid, AWrappingGridCyclesThroughItsEdgesAndTheShortLastRow) {
    FocusGrid grid(7, 3, true);
    EXPECT_EQ(grid.step(0, Way::Left, all(7)), 6);
    EXPECT_EQ(grid.step(6, Way::Right, all(7)), 0);
    EXPECT_EQ(grid.step(0, Way::Up, all(7)), 6);
    EXPECT_EQ(grid.step(6, Way::Down, all(7)), 0);
    // Below 5 lies no slot: the last one takes the focus; above 1 neither: the row above that.
    EXPECT_EQ(grid.step(5, Way::Down, all(7)), 6);
    EXPECT_EQ(grid.step(1, Way::Up, all(7)), 4);
    EXPECT_EQ(grid.step(3, Way::Right, kit::Array<int>{3}), -1);
    EXPECT_EQ(grid.step(3, Way::Up, kit::Array<int>{3}), -1);
}

TEST(FocusGrid, AGridWithoutSlotsOrColumnsGoesNowhere) {
    EXPECT_FALSE(FocusGrid().isActive());
    EXPECT_EQ(FocusGrid().step(0, Way::Down, all(3)), -1);
    EXPECT_EQ(FocusGrid(3, 0, false).step(0, Way::Right, all(3)), -1);
    EXPECT_TRUE(FocusGrid(3, 1, false).isActive());
}

TEST(FocusGrid, AButtonLiesAheadWithinAboutSixtyDegreesOfTheWay) {
    const quadrix::Vector2 from(100.0f, 100.0f);
    EXPECT_TRUE(FocusGrid::liesAhead(from, {200.0f, 100.0f}, Way::Right));
    EXPECT_TRUE(FocusGrid::liesAhead(from, {200.0f, 290.0f}, Way::Right));
    EXPECT_FALSE(FocusGrid::liesAhead(from, {200.0f, 310.0f}, Way::Right));
    EXPECT_FALSE(FocusGrid::liesAhead(from, {0.0f, 100.0f}, Way::Right));
    EXPECT_TRUE(FocusGrid::liesAhead(from, {100.0f, 0.0f}, Way::Up));
    EXPECT_FALSE(FocusGrid::liesAhead(from, {100.0f, 0.0f}, Way::Down));
    EXPECT_TRUE(FocusGrid::liesAhead(from, {20.0f, 140.0f}, Way::Left));
    // A button in the same place is not ahead any way.
    EXPECT_FALSE(FocusGrid::liesAhead(from, from, Way::Left));
}

TEST(FocusGrid, AHandOffPrefersStraightAheadToNearerButOffToTheSide) {
    const quadrix::Vector2 from(0.0f, 0.0f);
    std::optional<float> straight = FocusGrid::handOffDistance(from, {0.0f, 300.0f}, Way::Down);
    std::optional<float> aside = FocusGrid::handOffDistance(from, {150.0f, 100.0f}, Way::Down);
    ASSERT_TRUE(straight && aside);
    EXPECT_LT(*straight, *aside);
    // Off to the side beyond the cone still counts when nothing better lies that way.
    EXPECT_TRUE(FocusGrid::handOffDistance(from, {400.0f, 50.0f}, Way::Down));
    EXPECT_FALSE(FocusGrid::handOffDistance(from, {400.0f, -50.0f}, Way::Down));
    EXPECT_FALSE(FocusGrid::handOffDistance(from, {0.5f, 0.5f}, Way::Down));
}

}  // namespace
