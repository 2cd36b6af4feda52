// The player tokens: where they stand and walk, how they face, turn, jump and sway.
#include <gui/ImageBox.h>

#include <algorithm>
#include <cmath>

#include "Viewer/BoardClassic.h"
#include "Viewer/BoardPlanets.h"
#include "Viewer/PlayerClassic.h"
#include "Viewer/PlayerPlanets.h"
#include "ViewerFixture.h"

namespace viewertest {
namespace {

using quadrix::Vector2;
using Move = Viewer::Player::Move;
using Viewer::Player;

// The point the token turns about, in the units of the board.
Vector2 anchorOf(const ventrel::viewer::Base* token) {
    gui::Object* graphic = token->getGraphic();
    return graphic->getPosition() + graphic->getPivot();
}

void expectNear(const Vector2& actual, const Vector2& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1.0f);
    EXPECT_NEAR(actual.y, expected.y, 1.0f);
}

gui::Object* characterOf(const ventrel::viewer::Base* token) {
    return token->getGraphic()->getChildren().back();
}

float largestSway(int drinks) {
    float largest = 0.0f;
    for (float progress = 0.0f; progress < 1.0f; progress += 0.0005f) {
        largest = std::max(largest, std::abs(Player::swayAngle({0, 4, progress, false, false, drinks})));
    }
    return largest;
}

TEST_F(ViewerTest, BackwardWalkStandsBetweenFieldsFacingLeft) {
    startGame(Layout::Classic, 2);
    Game::Player* walker = player(0);
    walker->moveBy(10);
    walker->moveBy(-3);
    walker->setMovingProgress(0.5f);
    auto* board = show(new Viewer::BoardClassic(makeBoard()));
    auto* token = show(new Viewer::PlayerClassic(walker, containerPlayers()));
    Player::Step step = Player::step(Move::of(*walker));
    EXPECT_EQ(step.from, 8);
    EXPECT_EQ(step.to, 9);
    EXPECT_FLOAT_EQ(step.t, 0.5f);
    expectNear(anchorOf(token), Vector2(2340, 200));
    EXPECT_EQ(token->getGraphic()->getScale(), Vector2(-1, 1));
    EXPECT_FLOAT_EQ(token->getGraphic()->getAngle(), 360);
    EXPECT_EQ(board->getBoard()->getPivot(), Vector2(2340, 200)) << "the camera walks with the token";
    // The shadow lies under the character's feet, the character on top of it.
    auto* shadow = static_cast<gui::ImageBox*>(token->getGraphic()->getChildren().front());
    EXPECT_EQ(shadow->getImageName(), "gui.buttons/shadow");
    EXPECT_EQ(shadow->getPosition() + shadow->getSize() * 0.5f, walker->getOffset());
}

TEST_F(ViewerTest, WholeLapOrNoMoveIsNoWalk) {
    EXPECT_TRUE((Move{10, 7, 0.5f}).isWalking());
    EXPECT_TRUE((Move{5, 46, 0.0f}).isWalking());
    EXPECT_FALSE((Move{5, 45, 0.0f}).isWalking());
    EXPECT_FALSE((Move{5, 8, 1.0f}).isWalking());

    startGame(Layout::Classic, 2);
    Game::Player* walker = player(0);
    walker->moveBy(12);
    walker->moveBy(40);
    walker->setMovingProgress(0.3f);
    show(new Viewer::BoardClassic(makeBoard()));
    auto* token = show(new Viewer::PlayerClassic(walker, containerPlayers()));
    expectNear(anchorOf(token), Vector2(2800, 780));
    EXPECT_EQ(token->getGraphic()->getScale(), Vector2(1, 1));
    EXPECT_FLOAT_EQ(characterOf(token)->getAngle(), 0) << "a standing token does not sway";
    walker->moveBy(0);
    token->update();
    expectNear(anchorOf(token), Vector2(2800, 780));
}

TEST_F(ViewerTest, SwitchedTokensJumpStraightAndGrowHalfWayOnTheClassicBoard) {
    startGame(Layout::Classic, 2);
    Game::Player* first = player(0);
    Game::Player* second = player(1);
    first->moveBy(3);
    second->moveBy(12);
    System::tempState()->setTokensJumped(true);
    first->moveBy(9);
    second->moveBy(-9);
    first->setMovingProgress(0.5f);
    second->setMovingProgress(0.5f);
    show(new Viewer::BoardClassic(makeBoard()));
    auto* forth = show(new Viewer::PlayerClassic(first, containerPlayers()));
    auto* back = show(new Viewer::PlayerClassic(second, containerPlayers()));
    // Half-way between the centres of fields 3 and 12, across the board rather than round its corner.
    expectNear(anchorOf(forth), Vector2(1910, 490));
    expectNear(anchorOf(back), Vector2(1910, 490));
    EXPECT_EQ(forth->getGraphic()->getScale(), Vector2(2, 2));
    EXPECT_EQ(back->getGraphic()->getScale(), Vector2(-2, 2)) << "31 fields on is a jump backwards";
    EXPECT_FLOAT_EQ(forth->getGraphic()->getAngle(), 315);
    EXPECT_FLOAT_EQ(characterOf(forth)->getAngle(), 0) << "a jumping token does not sway";
    first->setMovingProgress(0.25f);
    forth->update();
    EXPECT_EQ(forth->getGraphic()->getScale(), Vector2(1.5f, 1.5f));

    first->setMovingProgress(0.5f);
    show(new Viewer::BoardPlanets(makeBoard()));
    auto* hop = show(new Viewer::PlayerPlanets(first, containerPlayers()));
    auto* hopBack = show(new Viewer::PlayerPlanets(second, containerPlayers()));
    EXPECT_EQ(hop->getGraphic()->getScale(), Vector2(1, 1)) << "no growing on the disc";
    EXPECT_EQ(hopBack->getGraphic()->getScale(), Vector2(-1, 1));
    EXPECT_FLOAT_EQ(characterOf(hop)->getY(), -200);
    EXPECT_FLOAT_EQ(hop->getGraphic()->getAngle(), 1440 - 270) << "half-way from field 3 to field 12";
}

TEST_F(ViewerTest, SwayGrowsFromASoberRockToADrunkenSway) {
    EXPECT_NEAR(largestSway(0), 10, 0.01);
    EXPECT_NEAR(largestSway(30), 25, 0.01);
    EXPECT_NEAR(largestSway(45), 25, 0.01);
    EXPECT_FLOAT_EQ(Player::swayAngle({0, 4, 0.5f, true, false, 30}), 0) << "no sway while jumping";

    startGame(Layout::Classic, 2);
    Game::Player* walker = player(0);
    walker->addDrinks(30);
    walker->moveBy(4);
    walker->setMovingProgress(0.125f);
    show(new Viewer::BoardClassic(makeBoard()));
    auto* token = show(new Viewer::PlayerClassic(walker, containerPlayers()));
    EXPECT_NEAR(characterOf(token)->getAngle(), -25, 0.01);
    EXPECT_EQ(characterOf(token)->getPivot(), walker->getCenter()) << "it sways about the token's anchor";
}

TEST_F(ViewerTest, TokensTurnSmoothlyThroughEveryCornerAndJumpTheShortWay) {
    EXPECT_FLOAT_EQ(Player::sideAngle(25), 180);
    EXPECT_FLOAT_EQ(Player::sideAngle(10), 45);
    EXPECT_FLOAT_EQ(Player::sideAngle(0), 315);
    float previous = Player::sideAngle(0);
    for (float position = 0.01f; position < 40.0f; position += 0.01f) {
        float angle = Player::sideAngle(position);
        float step = std::abs(std::remainder(angle - previous, 360.0f));
        ASSERT_LT(step, 0.6f) << position;
        previous = angle;
    }
    EXPECT_FLOAT_EQ(Player::playerSideAngle({8, 12, 0.5f}), 45) << "on the corner while walking past it";
    EXPECT_FLOAT_EQ(Player::playerSideAngle({35, 5, 0.5f, true}), 315);
    EXPECT_FLOAT_EQ(Player::playerSideAngle({5, 35, 0.5f, true}), 315);
    EXPECT_FLOAT_EQ(Player::planetAngle({35, 5, 0.5f, true}), 0);
    EXPECT_FLOAT_EQ(Player::planetAngle({38, 42, 0.25f}), 1404);
    EXPECT_FLOAT_EQ(Player::planetAngle({38, 42, 0.5f}), 0);
}

// The mark on the token stays upright and unmirrored on the screen however the token turns, faces,
// sways or jumps, so that its number reads.
void expectMarkUpright(const ventrel::viewer::Base* token, const char* where) {
    gui::Object* mark = characterOf(token)->getChildren().back();
    quadrix::Matrix3 world = mark->getWorldMatrix();
    float scale = std::hypot(world[0], world[1]);
    EXPECT_GT(world[0], 0.0f) << where;
    EXPECT_GT(world[4], 0.0f) << where;
    EXPECT_NEAR(world[1] / scale, 0.0f, 0.001f) << where;
    EXPECT_NEAR(world[3] / scale, 0.0f, 0.001f) << where;
}

TEST_F(ViewerTest, TheMarkOnATokenReadsUprightWhereverItWalks) {
    startGame(Layout::Classic, 3);
    player(0)->moveBy(13);
    player(0)->setMovingProgress(0.9f);
    player(0)->addDrinks(12);
    player(1)->moveBy(24);
    player(1)->addState(Game::Player::State::MoveBackwards, 1);
    player(1)->moveBy(-3);
    player(1)->setMovingProgress(0.7f);
    player(2)->moveBy(3);
    System::tempState()->setTokensJumped(true);
    player(2)->moveBy(-9);
    player(2)->setMovingProgress(0.5f);
    show(new Viewer::BoardClassic(makeBoard()));
    for (int seat = 0; seat < 3; ++seat) {
        auto* token = show(new Viewer::PlayerClassic(player(seat), containerPlayers()));
        EXPECT_NE(token->getGraphic()->getAngle(), 0.0f) << "the token itself is turned";
        expectMarkUpright(token, "classic board");
    }
    show(new Viewer::BoardPlanets(makeBoard()));
    for (int seat = 0; seat < 3; ++seat) {
        expectMarkUpright(show(new Viewer::PlayerPlanets(player(seat), containerPlayers())), "planets");
    }
    auto* mark = dynamic_cast<gui::ImageBox*>(
        characterOf(show(new Viewer::PlayerPlanets(player(2), containerPlayers())))->getChildren().back());
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->getImageName(), "gui.marks/mark_3");
}

TEST_F(ViewerTest, PlanetsTokenHangsFromTheDiscAndHidesBehindIt) {
    startGame(Layout::Planets, 2);
    player(1)->moveBy(5);
    player(1)->setMovingProgress(1.0f);
    auto* board = show(new Viewer::BoardPlanets(makeBoard()));
    auto* front = show(new Viewer::PlayerPlanets(player(0), containerPlayers()));
    auto* away = show(new Viewer::PlayerPlanets(player(1), containerPlayers()));
    gui::Object* graphic = front->getGraphic();
    EXPECT_EQ(graphic->getSize(), characterOf(front)->getSize() + Vector2(0, 1024 - 648 - 60));
    EXPECT_FLOAT_EQ(graphic->getPivot().y, graphic->getHeight());
    EXPECT_FLOAT_EQ(anchorOf(front).x, 1024) << "straight above the disc's centre";
    EXPECT_TRUE(graphic->isVisible());
    EXPECT_FLOAT_EQ(away->getGraphic()->getAngle(), 1260);
    EXPECT_FALSE(away->getGraphic()->isVisible()) << "half a turn round the disc is behind it";
    System::tempState()->setViewMode(0);
    board->getBoard()->setAngle(180);
    board->update();
    away->update();
    EXPECT_TRUE(away->getGraphic()->isVisible());
}

}  // namespace
}  // namespace viewertest
