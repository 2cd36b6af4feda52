// What an answer does, worked out by the rules on a game state, without a board or any screen.
#include <gtest/gtest.h>

#include "Game/Rules.h"
#include "GameWorld.h"

using Game::Action;
using Game::Player;
using Game::Rules;
using Gender = Game::AlcoTestData::Gender;

namespace {

class RulesTest : public ::testing::Test {
protected:
    GameWorld world;
    System::GameState& game = world.game();
    Player* anna = nullptr;
    Player* ben = nullptr;
    Player* cleo = nullptr;
    Player* dan = nullptr;

    void SetUp() override {
        const auto& characters = world.data().getCharacters();
        anna = world.addPlayer("Anna", characters[0], Gender::female);
        ben = world.addPlayer("Ben", characters[1], Gender::male);
        cleo = world.addPlayer("Cleo", characters[2], Gender::female);
        dan = world.addPlayer("Dan", characters[3], Gender::male);
        game.setup();
        game.start();
        ASSERT_EQ(game.getCurrentPlayer(), anna);
    }

    static Action action(const kit::String& type, const kit::String& target, int drinks) {
        Action made;
        made.type = type;
        made.target = target;
        made.drinks = drinks;
        made.read();
        return made;
    }

    // Who drinks how much, in order, as names.
    static kit::Array<std::pair<kit::String, int>> drinkers(const Rules::Outcome& outcome) {
        kit::Array<std::pair<kit::String, int>> named;
        for (const Rules::Sips& sips : outcome.sips) {
            named.emplace_back(sips.player->getName(), sips.amount);
        }
        return named;
    }

    Rules::Outcome resolveFresh(const Action& chosen) {
        game.clearActionPlayers();
        return Rules::resolve(game, chosen);
    }

    void walkTo(Player* player, int field) {
        player->moveBy(field - player->getCurrentField());
        world.walkTokens();
    }
};

using Named = kit::Array<std::pair<kit::String, int>>;

TEST_F(RulesTest, EachDrinkTypeNamesItsDrinkersAndDoubleStakesDoubleTheirSips) {
    static_cast<OpenGameState&>(game).multiplier = 2;
    EXPECT_EQ(drinkers(resolveFresh(action("ActionType_Drink_Player", "Player", 2))), (Named{{"Anna", 4}}));
    EXPECT_EQ(drinkers(resolveFresh(action("ActionType_Drink_ExceptPlayer", "All", 1))),
              (Named{{"Ben", 2}, {"Cleo", 2}, {"Dan", 2}}));
    EXPECT_EQ(drinkers(resolveFresh(action("ActionType_Drink_AllPlayers", "Male", 3))),
              (Named{{"Ben", 6}, {"Dan", 6}}));
    EXPECT_EQ(drinkers(resolveFresh(action("ActionType_Drink_AllPlayers", "All", 1))),
              (Named{{"Anna", 2}, {"Ben", 2}, {"Cleo", 2}, {"Dan", 2}}));

    // A picked player drinks instead of the picker; "with" the picker drinks too.
    game.clearActionPlayers();
    game.addPickedPlayer(cleo);
    EXPECT_EQ(drinkers(Rules::resolve(game, action("ActionType_Drink_Player", "Pick1", 1))),
              (Named{{"Cleo", 2}}));
    game.clearActionPlayers();
    game.addPickedPlayer(dan);
    EXPECT_EQ(drinkers(Rules::resolve(game, action("ActionType_Drink_WithPlayer", "Pick1", 1))),
              (Named{{"Dan", 2}, {"Anna", 2}}));

    // A player out of the game is never named; and working out changes nobody's count.
    cleo->setPlaying(false);
    EXPECT_EQ(drinkers(resolveFresh(action("ActionType_Drink_AllPlayers", "Female", 1))),
              (Named{{"Anna", 2}}));
    for (const Player* player : game.getPlayers()) {
        EXPECT_EQ(player->getDrinks(), 0) << player->getName();
    }
}

TEST_F(RulesTest, MovesAndStatesCountFieldsAndTurnsWithoutStakes) {
    static_cast<OpenGameState&>(game).multiplier = 2;
    walkTo(anna, 12);
    walkTo(ben, 20);

    Action back = action("ActionType_Move_Backwards", "Player", 3);
    back.rollAgain = true;
    Rules::Outcome outcome = resolveFresh(back);
    ASSERT_EQ(outcome.moves.size(), 1u);
    EXPECT_EQ(outcome.moves[0].player, anna);
    EXPECT_EQ(outcome.moves[0].by, -3);
    // The new field asks next; nothing else of this answer happens.
    EXPECT_TRUE(outcome.landingChanged);
    EXPECT_FALSE(outcome.rollAgain);
    EXPECT_TRUE(outcome.sips.empty());

    outcome = resolveFresh(action("ActionType_Move_ToStart", "All", 0));
    ASSERT_EQ(outcome.moves.size(), 4u);
    EXPECT_EQ(outcome.moves[0].by, -12);
    EXPECT_EQ(outcome.moves[1].by, -20);
    EXPECT_TRUE(outcome.tokensJumped);
    EXPECT_FALSE(outcome.landingChanged);

    game.clearActionPlayers();
    game.addPickedPlayer(ben);
    outcome = Rules::resolve(game, action("ActionType_Move_Switch", "Pick1", 0));
    ASSERT_EQ(outcome.moves.size(), 2u);
    EXPECT_EQ(outcome.moves[0].player, anna);
    EXPECT_EQ(outcome.moves[0].by, 8);
    EXPECT_EQ(outcome.moves[1].player, ben);
    EXPECT_EQ(outcome.moves[1].by, -8);

    game.clearActionPlayers();
    game.addPickedPlayer(cleo);
    outcome = Rules::resolve(game, action("ActionType_Move_SkipTurn", "Pick1", 2));
    ASSERT_EQ(outcome.states.size(), 1u);
    EXPECT_EQ(outcome.states[0].player, cleo);
    EXPECT_EQ(outcome.states[0].state, Player::State::SkipTurn);
    EXPECT_EQ(outcome.states[0].turns, 2);
    EXPECT_EQ(anna->getCurrentField(), 12) << "working out moves nobody";
    Rules::carryOutMoves(game, outcome);
    EXPECT_EQ(cleo->getState(), Player::State::SkipTurn);

    game.clearActionPlayers();
    game.addPickedPlayer(ben);
    Rules::carryOutMoves(game, Rules::resolve(game, action("ActionType_Move_Switch", "Pick1", 0)));
    EXPECT_EQ(anna->getCurrentField(), 20);
    EXPECT_EQ(ben->getCurrentField(), 12);
}

TEST_F(RulesTest, ARollAndSplitSharesByTheRollFixedAtTheLandingAndAnUnknownTypeDoesNothing) {
    Action split = action("ActionType_Special_RollAndSplit", "Pick1", 0);
    anna->setRolls({4});
    game.clearActionPlayers();
    game.addPickedPlayer(dan);
    EXPECT_EQ(drinkers(Rules::resolve(game, split)), (Named{{"Anna", 2}, {"Dan", 3}}));
    static_cast<OpenGameState&>(game).multiplier = 2;
    EXPECT_EQ(Rules::rollAndSplitShares(game), std::make_pair(4, 6));
    // A roll out of range (a hand-edited save) counts as the nearest one.
    anna->setRolls({99});
    EXPECT_EQ(Rules::rollAndSplitShares(game), std::make_pair(6, 6));
    anna->setRolls({});
    EXPECT_EQ(Rules::rollAndSplitShares(game), std::make_pair(0, 0));
}

// Every type and target of the catalogue is one the rules know; a misspelt one (a hand-edited file)
// is kept, so the ids stay, and does nothing.
TEST_F(RulesTest, TypesAndTargetsAreReadOnceAndAnUnknownOneHasNoEffect) {
    for (const Game::Field* field : world.data().getFields()) {
        for (Action loaded : field->actions) {
            EXPECT_NE(loaded.kind, Action::Kind::Unread) << loaded.type << " of field " << field->id;
            EXPECT_TRUE(loaded.read()) << loaded.type << " -> " << loaded.target << " of field " << field->id;
        }
    }
    Action dance = action("ActionType_Special_Dance", "Player", 0);
    EXPECT_EQ(dance.kind, Action::Kind::Challenge);
    EXPECT_EQ(dance.aim, Action::Aim::Player);

    for (const Action& unknown : {action("ActionType_Drink_Typo", "All", 5),
                                  action("ActionType_Special_", "All", 5), action("Nonsense", "Player", 2)}) {
        EXPECT_EQ(unknown.kind, Action::Kind::Unknown) << unknown.type;
        Rules::Outcome outcome = resolveFresh(unknown);
        EXPECT_TRUE(outcome.sips.empty() && outcome.moves.empty() && outcome.states.empty()) << unknown.type;
        EXPECT_FALSE(outcome.landingChanged);
    }
    Action nobody = action("ActionType_Drink_AllPlayers", "Everybody", 2);
    EXPECT_FALSE(nobody.read());
    EXPECT_EQ(nobody.aim, Action::Aim::Unknown);
    EXPECT_TRUE(resolveFresh(nobody).sips.empty());

    // An action made by hand and never read is read when it is resolved.
    Action unread;
    unread.type = "ActionType_Drink_ExceptPlayer";
    unread.target = "All";
    unread.drinks = 1;
    EXPECT_EQ(drinkers(resolveFresh(unread)), (Named{{"Ben", 1}, {"Cleo", 1}, {"Dan", 1}}));
}

TEST_F(RulesTest, CarryingOutRecordsSipsHandOutsMovesAndAnswers) {
    const Game::GameLog& log = game.getLog();
    Rules::giveSips(game, {ben, 3}, 0, 1'700'000'000);
    Rules::giveSips(game, {anna, 1}, 0, 1'700'000'000);
    EXPECT_EQ(ben->getDrinks(), 3);
    EXPECT_EQ(anna->getDrinks(), 1);
    EXPECT_EQ(log.getTotals(game.seatOf(ben)).sips, 3);
    // Sips given to another are handed out by the current player; her own are not.
    EXPECT_EQ(log.getTotals(game.seatOf(anna)).handedOut, 3);

    walkTo(anna, 38);
    Rules::move(game, {anna, 4});
    EXPECT_EQ(anna->getCurrentField(), 42);
    EXPECT_EQ(log.getTotals(game.seatOf(anna)).laps, 1);

    Rules::countAnswer(game, 1);
    std::optional<Game::GameLog::Entry> answer = log.at(log.size() - 1);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->kind, Game::GameLog::Kind::Answer);
    EXPECT_EQ(answer->seat, game.seatOf(anna));
    EXPECT_EQ(answer->amount, 1);
    bool challenge = Rules::currentActions(game).size() >= 2;
    EXPECT_EQ(answer->detail, challenge ? Game::GameLog::Refused : Game::GameLog::Answered);
    EXPECT_EQ(anna->getAcceptedChallenges(), 0) << "the second choice refuses";
}

}  // namespace
