#include <gtest/gtest.h>
#include <host/Color.h>
#include <kit/Random.h>

#include "GameWorld.h"

using Game::Player;
using State = Game::Player::State;

namespace {

class Players : public ::testing::Test {
protected:
    void SetUp() override { kit::seedRandom(11); }

    // Sets up a classic game of `count` players.
    void startGame(int count) {
        world.addPlayers(count);
        world.game().setup();
    }

    Player& player(int index) const { return *world.game().getPlayers()[index]; }

    GameWorld world;
};

}  // namespace

TEST_F(Players, DefaultsComeFromTheCatalogue) {
    Player player;
    EXPECT_EQ(player.getColor(), "FF0000FF");
    EXPECT_EQ(player.getCharacter(), "00");
    EXPECT_EQ(player.getOffset(), quadrix::Vector2(98, 253));
    EXPECT_TRUE(player.isPlaying());
    EXPECT_EQ(player.getFieldId(), -1);
    EXPECT_EQ(player.getMovingProgress(), 1.0f);
    player.setCharacter("14");
    EXPECT_EQ(player.getOffset(), quadrix::Vector2(41, 300));
    EXPECT_EQ(player.getScale(), quadrix::Vector2(1, 1));
}

TEST_F(Players, StateQueueOfTheCurrentPlayerStartsNextTurn) {
    startGame(3);
    Player& current = player(0);
    EXPECT_EQ(current.getState(), State::Normal);
    current.addState(State::SkipTurn, 1);
    EXPECT_EQ(current.getStates(), (kit::Array<State>{State::Normal, State::SkipTurn}));

    Player& other = player(1);
    other.addState(State::MoveBackwards, 1);
    other.addState(State::SkipTurn, 2);
    other.addState(State::Normal, 0);
    EXPECT_EQ(other.getStates(), (kit::Array<State>{State::SkipTurn, State::SkipTurn, State::MoveBackwards}));
    EXPECT_EQ(other.popState(), State::SkipTurn);
    EXPECT_EQ(other.getState(), State::SkipTurn);
    EXPECT_EQ(State::MoveBackwards.getValue(), 20u);
    EXPECT_EQ(State::SkipTurn.getTypeName(), "State");
}

TEST_F(Players, SkipTurnAddedDuringTheTurnSkipsOnlyTheNextOne) {
    startGame(2);
    player(0).addState(State::SkipTurn, 1);
    System::GameState& game = world.game();
    game.nextTurn();
    EXPECT_EQ(game.getTurnIndex(), 1);
    game.nextTurn();
    EXPECT_EQ(game.getTurnIndex(), 1) << "player 0 is skipped once";
    game.nextTurn();
    EXPECT_EQ(game.getTurnIndex(), 0);
    EXPECT_TRUE(player(0).getStates().empty());
}

TEST_F(Players, MovingFortyFieldsKeepsThePositionWithoutWalking) {
    startGame(2);
    player(0).moveBy(40);
    EXPECT_EQ(player(0).getCurrentField(), 40);
    EXPECT_EQ(player(0).getBoardPosition(), 0);
    EXPECT_EQ(player(0).getLaps(), 1);
    EXPECT_EQ(player(0).getMovingProgress(), 1.0f);
    EXPECT_EQ(player(0).getFieldId(), 10);
    player(0).moveBy(-41);
    EXPECT_EQ(player(0).getBoardPosition(), 39);
    EXPECT_EQ(player(0).getFieldId(), 400);
    EXPECT_TRUE(player(0).isWalking()) << "backward moves walk too";
}

TEST_F(Players, TooFewPlayersTakeTheFallbackField) {
    startGame(3);
    LogLines log;
    player(0).moveBy(31);
    EXPECT_EQ(player(0).getFieldId(), 270);
    EXPECT_TRUE(log.contains("Not enough players, changing ID '320' to '270'."));
    EXPECT_TRUE(log.contains("Selected ID: 270"));
    player(1).moveBy(33);
    EXPECT_EQ(player(1).getFieldId(), 340) << "three players are enough";

    player(2).setPlaying(false);
    player(1).moveBy(40);
    EXPECT_EQ(player(1).getFieldId(), 50) << "two playing players";
}

TEST_F(Players, SurprisePositionsDrawAndTheWithdrawnCardIsReplaced) {
    startGame(4);
    world.open().surpriseFieldStack = {2040};
    player(0).moveBy(2);
    EXPECT_EQ(player(0).getFieldId(), 2270);
    EXPECT_TRUE(world.game().getSurpriseFieldStack().empty());
    player(1).moveBy(5);
    EXPECT_GE(player(1).getFieldId(), 1010);
    EXPECT_EQ(world.game().getSurpriseFieldStack().size(), 91u);
}

TEST_F(Players, TokenSpeedFollowsDrinks) {
    startGame(2);
    Player& p = player(0);
    p.addDrinks(15);
    world.scenes->setTimeDelta(1.0f);
    p.moveBy(8);
    EXPECT_EQ(p.getMovingProgress(), 0.0f);
    p.updateMoving();
    EXPECT_FLOAT_EQ(p.getMovingProgress(), 0.375f);
    world.scenes->setTimeDelta(1.0f / 60.0f);
    int frames = 0;
    while (p.isWalking()) {
        p.updateMoving();
        ++frames;
    }
    EXPECT_EQ(p.getMovingProgress(), 1.0f);
    EXPECT_NEAR(1.0f + frames / 60.0f, 2.67f, 0.02f);

    Player& sober = player(1);
    sober.moveBy(4);
    sober.updateMoving();
    EXPECT_FLOAT_EQ(sober.getMovingProgress(), 1.0f / 60.0f);
    world.temp().setTokensJumped(true);
    sober.updateMoving();
    EXPECT_FLOAT_EQ(sober.getMovingProgress(), 1.0f / 60.0f + 1.0f / 60.0f);

    p.addDrinks(100);
    world.temp().setTokensJumped(false);
    p.moveBy(-4);
    p.updateMoving();
    EXPECT_FLOAT_EQ(p.getMovingProgress(), 0.5f / 60.0f) << "30 drinks or more halve the speed";
}

TEST_F(Players, DrinksAreCappedAt9001) {
    Player p;
    p.addDrinks(9000);
    p.addDrinks(3);
    EXPECT_EQ(p.getDrinks(), 9001);
    p.addDrinks(2000000000);
    EXPECT_EQ(p.getDrinks(), 9001);
}

TEST_F(Players, RichNameEscapesTypedMarkUp) {
    Player p("00FF00FF", "03");
    p.setName("Jo [b]{x}%s\\");
    EXPECT_EQ(p.getRichName(), "[c=00FF00][b=000000]Jo \\[b\\]\\{x\\}\\%s\\\\[/b][/c]");
    EXPECT_EQ(p.getDisplayColor(), "00FF00");
    Player black("000000FF", "03");
    black.setName("Night");
    EXPECT_EQ(black.getRichName(), "[c=000000][b=FFFFFF]Night[/b][/c]");
    EXPECT_EQ(black.getDisplayColor(), "7F7F7F");
}

// Every colour a player can have stands out from its outline by at least 3:1, wherever it is drawn as
// text (the outline goes round every coloured name and count); the known colours need a white one.
TEST_F(Players, EveryColourStandsOutFromItsOutline) {
    int white = 0;
    for (const kit::String& color : world.data().getColors()) {
        Player p(color, "03");
        host::Color outline(p.getContrastColor());
        EXPECT_GE(host::Color::contrast(host::Color(color.substr(0, 6)), outline), 3.0f) << color;
        white += outline == host::Color::White ? 1 : 0;
    }
    EXPECT_EQ(world.data().getColors().size(), 14u);
    EXPECT_EQ(Player("0000FFFF", "03").getContrastColor(), "FFFFFF") << "blue on black is 2.4:1";
    EXPECT_EQ(Player("E4EA00FF", "03").getContrastColor(), "000000");
    EXPECT_GE(white, 2);
}

TEST_F(Players, ObservableAnswers) {
    startGame(2);
    Player& p = player(1);
    p.setCharacter("00");
    p.setRect({200.7f, 300.2f, 50, 60});
    EXPECT_EQ(p.getX(), 102.0f);
    EXPECT_EQ(p.getY(), 107.0f);
    EXPECT_EQ(p.getCenterX(), 98.0f);
    EXPECT_EQ(p.getCenterY(), 193.0f);
    EXPECT_EQ(p.getSize(), quadrix::Vector2(50, 60));
    EXPECT_EQ(p.getZOrder(), 100);
    EXPECT_EQ(player(0).getZOrder(), 1000);
    EXPECT_EQ(p.getAlpha(), 255);
    p.setAlpha(3);
    p.setCenter({1, 1});
    EXPECT_EQ(p.getAlpha(), 255);
    EXPECT_EQ(p.getCenterX(), 98.0f);
    EXPECT_TRUE(p.isEnabled());
    EXPECT_EQ(p.getId(), "");
    p.setName("Eve");
    EXPECT_EQ(p.getName(), "Eve");
    p.setVisible(false);
    EXPECT_FALSE(p.isVisible());
    p.setVisible(true);
    p.setPlaying(false);
    EXPECT_FALSE(p.isVisible()) << "a player out of the game is hidden";
}

TEST_F(Players, WarningNeedsCompleteDataAndHighEstimate) {
    Player p;
    Game::AlcoTestData* data = p.getAlcoTestData();
    data->setGender(Game::AlcoTestData::Gender::male);
    data->setWeight(80000);
    data->setVolume(40);
    p.addDrinks(10);
    EXPECT_FALSE(p.needsBacWarning()) << "no drink strength";
    data->setPermille(400);
    EXPECT_TRUE(p.needsBacWarning());
    p.setWarned(true);
    EXPECT_FALSE(p.needsBacWarning());
    p.setWarned(false);
    data->setWeight(200000);
    EXPECT_FALSE(p.needsBacWarning());
}
