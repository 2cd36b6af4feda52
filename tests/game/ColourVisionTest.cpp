// Players told apart by colour also with a colour-vision deficiency.
#include <gtest/gtest.h>
#include <kit/Random.h>

#include "Game/ColourVision.h"
#include "GameWorld.h"
#include "System/DataManager.h"

using Game::ColourVision;

// Published pairs of Sharma, Wu and Dalal (2005) and known simulations: the arithmetic is right.
TEST(ColourVision, TheDifferenceAndTheSimulationMatchPublishedValues) {
    EXPECT_NEAR(ColourVision::difference({50.0, 2.6772, -79.7751}, {50.0, 0.0, -82.7485}), 2.0425, 1e-4);
    EXPECT_NEAR(ColourVision::difference({50.0, -1.3802, -84.2814}, {50.0, 0.0, -82.7485}), 1.0000, 1e-4);
    EXPECT_NEAR(ColourVision::difference({50.0, 2.5, 0.0}, {73.0, 25.0, -18.0}), 27.1492, 1e-4);
    EXPECT_NEAR(ColourVision::difference({22.7233, 20.0904, -46.694}, {23.0331, 14.973, -42.5619}), 2.0373,
                1e-4);
    EXPECT_NEAR(ColourVision::toLab("FFFFFF").l, 100.0, 0.01);
    EXPECT_NEAR(ColourVision::toLab("FF0000").a, 80.1, 0.1);
    // Red and green collapse for the red- and green-blind, not for the blue-blind.
    EXPECT_LT(
        ColourVision::difference(
            ColourVision::toLab(ColourVision::simulate("FF0000", ColourVision::Deficiency::Deuteranopia)),
            ColourVision::toLab(ColourVision::simulate("00A000", ColourVision::Deficiency::Deuteranopia))),
        15.0);
    EXPECT_GT(
        ColourVision::difference(
            ColourVision::toLab(ColourVision::simulate("FF0000", ColourVision::Deficiency::Tritanopia)),
            ColourVision::toLab(ColourVision::simulate("00A000", ColourVision::Deficiency::Tritanopia))),
        40.0);
    EXPECT_EQ(ColourVision::simulate("FFFFFF", ColourVision::Deficiency::Protanopia), "FFFFFF");
}

// Whatever the draw, the two players a new game starts with are far apart for every eye, and the
// catalogue has such pairs for every colour a first player may get.
TEST(ColourVision, TheDefaultPlayersStayApartUnderEveryDeficiency) {
    for (unsigned int seed = 1; seed <= 60; ++seed) {
        GameWorld world;
        kit::seedRandom(seed);
        world.game().fillDefaultPlayers();
        const auto& players = world.game().getPlayers();
        ASSERT_EQ(players.size(), 2u);
        double least = ColourVision::leastDifference(players[0]->getColor(), players[1]->getColor());
        EXPECT_GE(least, ColourVision::DistinctDifference)
            << "seed " << seed << ": " << players[0]->getColor() << " and " << players[1]->getColor();
        world.game().clear();
    }
}
