#include <gtest/gtest.h>
#include <kit/Random.h>
#include <serial/Factory.h>
#include <serial/Serial.h>

#include <algorithm>
#include <map>
#include <memory>
#include <regex>
#include <set>

#include "GameWorld.h"

using Game::Player;
using System::GameState;
using State = Game::Player::State;

namespace {

const std::set<int> Corners = {0, 10, 20, 30};
const std::set<int> SurprisePositions = {2, 5, 8, 12, 15, 18, 22, 25, 28, 32, 35, 38};

class Games : public ::testing::Test {
protected:
    void SetUp() override { kit::seedRandom(5); }

    void startGame(int count, const GameState::FieldSet& fieldSet = GameState::FieldSet::Classic,
                   const GameState::CardSet& cardSet = GameState::CardSet::Classic) {
        world.addPlayers(count);
        world.game().setFieldSet(fieldSet);
        world.game().setCardSet(cardSet);
        world.game().setup();
    }

    Player& player(int index) const { return *world.game().getPlayers()[index]; }
    GameState& game() const { return world.game(); }

    GameWorld world;
};

}  // namespace

TEST_F(Games, EnumerationsAndDefaults) {
    EXPECT_EQ(GameState::TurnPhase::Choice.getValue(), 20u);
    EXPECT_EQ(GameState::CardSet::Mixed.getValue(), 2u);
    EXPECT_EQ(game().getBoardLayout(), GameState::BoardLayout::Planets);
    EXPECT_EQ(game().getBoardName(), "board_planets");
    game().setBoardLayout(GameState::BoardLayout::Classic);
    EXPECT_EQ(game().getBoardName(), "board_classic");
    EXPECT_EQ(game().getCurrentPlayer(), nullptr);
    for (const char* name : {"Game::AlcoTestData", "Game::CustomCard", "Game::Player", "System::GameState"}) {
        EXPECT_TRUE(serial::Factory::isRegistered(name)) << name;
    }
}

TEST_F(Games, ClassicOrderUsesEverySlotInPlace) {
    startGame(2);
    ASSERT_EQ(game().getFieldOrder().size(), 40u);
    for (int p = 0; p < 40; ++p) {
        EXPECT_EQ(game().getFieldOrder()[p], p);
    }
}

TEST_F(Games, ShuffleKeepsCornersAndSurprisePositions) {
    for (unsigned seed = 1; seed <= 30; ++seed) {
        kit::seedRandom(seed);
        GameWorld fresh;
        fresh.addPlayers(2);
        fresh.game().setFieldSet(GameState::FieldSet::Shuffle);
        fresh.game().setup();
        const auto& order = fresh.game().getFieldOrder();
        ASSERT_EQ(order.size(), 40u);
        std::multiset<int> moved;
        for (int p = 0; p < 40; ++p) {
            if (Corners.count(p) || SurprisePositions.count(p)) {
                EXPECT_EQ(order[p], p);
            } else {
                moved.insert(order[p]);
                EXPECT_FALSE(Corners.count(order[p]) || SurprisePositions.count(order[p]));
            }
        }
        EXPECT_EQ(moved.size(), 24u);
        EXPECT_EQ(std::set<int>(moved.begin(), moved.end()).size(), 24u) << "a permutation";
    }
}

TEST_F(Games, ShuffleActuallyMovesFields) {
    startGame(2, GameState::FieldSet::Shuffle);
    int inPlace = 0;
    for (int p = 0; p < 40; ++p) {
        inPlace += game().getFieldOrder()[p] == p ? 1 : 0;
    }
    EXPECT_LT(inPlace, 30);
}

TEST_F(Games, SurpriseMakesEveryOtherPositionDraw) {
    startGame(2, GameState::FieldSet::Surprise);
    for (int p = 0; p < 40; ++p) {
        if (Corners.count(p)) {
            EXPECT_NE(game().getBoardField(p), nullptr);
        } else {
            EXPECT_EQ(game().getBoardField(p), nullptr) << p;
        }
    }
    // The corners join the deck in this variant.
    game().drawSurpriseId();
    EXPECT_EQ(game().getSurpriseFieldStack().size(), 95u);
}

TEST_F(Games, ClassicDeckDealsAllNinetyTwoCardsBeforeRefilling) {
    startGame(2);
    std::multiset<int> drawn;
    for (int i = 0; i < 92; ++i) {
        drawn.insert(game().drawSurpriseId());
    }
    EXPECT_TRUE(game().getSurpriseFieldStack().empty());
    std::multiset<int> expected;
    for (const Game::Field* card : world.data().getSurpriseCards()) {
        expected.insert(card->id);
    }
    EXPECT_EQ(drawn, expected);
    game().drawSurpriseId();
    EXPECT_EQ(game().getSurpriseFieldStack().size(), 91u);
}

TEST_F(Games, CustomAndMixedDecksUseTheStoredCards) {
    System::profile().set("CustomCards", kit::Array<kit::String>{"2 pick Sing", "bad", "3 water Swim a lap"});
    startGame(2, GameState::FieldSet::Classic, GameState::CardSet::Custom);
    ASSERT_EQ(game().getCustomCards().size(), 2u);
    std::multiset<int> drawn = {game().drawSurpriseId(), game().drawSurpriseId()};
    EXPECT_EQ(drawn, (std::multiset<int>{-1, -3}));
    ASSERT_NE(game().findField(-3), nullptr);
    EXPECT_EQ(game().findField(-3)->actions[0].text, "Swim a lap");
    EXPECT_EQ(game().findField(-2), nullptr);
    EXPECT_EQ(game().findField(-4), nullptr);
    EXPECT_EQ(game().findField(1010)->id, 1010);

    GameWorld mixed;
    System::profile().set("CustomCards", kit::Array<kit::String>{"2 pick Sing"});
    mixed.addPlayers(2);
    mixed.game().setCardSet(GameState::CardSet::Mixed);
    mixed.game().setup();
    mixed.game().drawSurpriseId();
    EXPECT_EQ(mixed.game().getSurpriseFieldStack().size(), 92u);
}

TEST_F(Games, AnEmptyCustomDeckFallsBackToTheClassicCards) {
    startGame(2, GameState::FieldSet::Classic, GameState::CardSet::Custom);
    LogLines log;
    int id = game().drawSurpriseId();
    EXPECT_NE(world.data().getFieldById(id), nullptr);
    EXPECT_TRUE(log.contains("The surprise deck has no cards; dealing the classic ones."));
}

TEST_F(Games, SetupResetsStakesAndIncompleteBodyData) {
    world.addPlayers(2);
    Game::AlcoTestData* data = player(0).getAlcoTestData();
    data->setWeight(70000);
    data->setStartTime(5);
    world.open().multiplier = 2;
    world.open().maxLaps = 3;
    game().setup();
    EXPECT_EQ(data->getWeight(), 0.0f);
    EXPECT_GT(data->getStartTime(), 5u);
    EXPECT_EQ(game().getMultiplier(), 1);
    EXPECT_EQ(game().getMaxLaps(), 0);
}

TEST_F(Games, PhasesCycleAndPassTheTurn) {
    startGame(3);
    game().addAffectedPlayers({&player(1), &player(2), &player(1)});
    EXPECT_EQ(game().getAffectedPlayers().size(), 2u);
    game().addPickedPlayer(&player(0));
    game().addPickedPlayer(&player(0));
    EXPECT_EQ(game().getActionPlayers(), (kit::Array<Player*>{&player(0), &player(1), &player(2)}));
    game().advancePhase();
    EXPECT_EQ(game().getTurnPhase(), GameState::TurnPhase::Choice);
    game().advancePhase();
    EXPECT_EQ(game().getTurnPhase(), GameState::TurnPhase::Finalize);
    EXPECT_EQ(game().getTurnIndex(), 0);
    game().advancePhase();
    EXPECT_EQ(game().getTurnPhase(), GameState::TurnPhase::Start);
    EXPECT_EQ(game().getTurnIndex(), 1);
    EXPECT_TRUE(game().getActionPlayers().empty());
}

TEST_F(Games, RollAgainKeepsTheTurnButPopsTheState) {
    startGame(3);
    player(0).setRollAgain(true);
    player(0).addState(State::MoveBackwards, 1);
    game().nextTurn();
    EXPECT_EQ(game().getTurnIndex(), 0);
    EXPECT_FALSE(player(0).isRollAgain());
    EXPECT_EQ(player(0).getStates(), (kit::Array<State>{State::MoveBackwards}));
}

TEST_F(Games, SkippedAndAbsentPlayersArePassedOver) {
    startGame(5);
    player(1).addState(State::SkipTurn, 1);
    player(2).addState(State::SkipTurn, 1);
    player(3).setPlaying(false);
    game().nextTurn();
    EXPECT_EQ(game().getTurnIndex(), 4);
    EXPECT_TRUE(player(1).getStates().empty());
    EXPECT_TRUE(player(2).getStates().empty());
    game().nextTurn();
    EXPECT_EQ(game().getTurnIndex(), 0);
    game().nextTurn();
    EXPECT_EQ(game().getTurnIndex(), 1);
}

TEST_F(Games, NobodyPlayingStillEnds) {
    startGame(3);
    for (Player* p : game().getPlayers()) {
        p->setPlaying(false);
    }
    game().nextTurn();
    EXPECT_EQ(game().getTurnIndex(), 1);
}

TEST_F(Games, SpecialTargetsPickAmongTies) {
    startGame(4);
    player(0).addDrinks(3);
    player(1).addDrinks(1);
    player(2).addDrinks(5);
    player(3).addDrinks(1);
    std::set<Player*> justice;
    std::set<Player*> injustice;
    for (int i = 0; i < 60; ++i) {
        justice.insert(game().chooseSpecialTarget("ActionType_Drink_Justice"));
        injustice.insert(game().chooseSpecialTarget("ActionType_Drink_Injustice"));
    }
    EXPECT_EQ(justice, (std::set<Player*>{&player(1), &player(3)}));
    EXPECT_EQ(injustice, (std::set<Player*>{&player(2)}));
    player(1).setPlaying(false);
    EXPECT_EQ(game().chooseSpecialTarget("ActionType_Drink_Justice"), &player(3));

    player(0).moveBy(-3);  // the current player is last, but never his own target
    player(2).moveBy(7);
    player(3).moveBy(9);
    EXPECT_EQ(game().chooseSpecialTarget("ActionType_Move_SwitchLast"), &player(2));
    EXPECT_EQ(game().chooseSpecialTarget("ActionType_Drink_Player"), nullptr);
}

TEST_F(Games, DefaultPlayersDifferInColourAndCharacter) {
    game().fillDefaultPlayers();
    ASSERT_EQ(game().getPlayers().size(), 2u);
    EXPECT_NE(player(0).getColor(), player(1).getColor());
    EXPECT_NE(player(0).getCharacter(), player(1).getCharacter());
    EXPECT_EQ(player(0).getName(), "");
    EXPECT_EQ(player(0).getOffset(), world.data().getTokenOffset(player(0).getCharacter()));
    game().fillDefaultPlayers();
    EXPECT_EQ(game().getPlayers().size(), 2u);
}

// The new-game screen adds players one by one: each gets a colour and a character nobody else has,
// never the locked one, and the fifteenth does not come.
TEST_F(Games, AddedPlayersNeverShareAColourOrACharacter) {
    std::set<kit::String> colors;
    std::set<kit::String> characters;
    for (int i = 0; i < System::GameState::MaxPlayers; ++i) {
        Game::Player* added = game().addDefaultPlayer();
        ASSERT_NE(added, nullptr);
        colors.insert(added->getColor());
        characters.insert(added->getCharacter());
        EXPECT_NE(added->getCharacter(), "17") << "locked until the players unlock it";
    }
    EXPECT_EQ(colors.size(), 14u);
    EXPECT_EQ(characters.size(), 14u);
    EXPECT_EQ(game().addDefaultPlayer(), nullptr);

    Game::Player* second = &player(1);
    game().addPickedPlayer(second);
    game().setTurnIndex(13);
    game().removePlayer(1);
    EXPECT_EQ(game().getPlayers().size(), 13u);
    EXPECT_TRUE(game().getPickedPlayers().empty()) << "no list keeps a deleted player";
    EXPECT_EQ(game().getTurnIndex(), 0);
    game().removePlayer(40);
    EXPECT_EQ(game().getPlayers().size(), 13u);
}

std::set<int> marksOf(const GameState& state) {
    std::set<int> marks;
    for (const Game::Player* player : state.getPlayers()) {
        marks.insert(player->getMark());
    }
    return marks;
}

// Every player carries the seat number as his mark, none shared; it is saved, and a save without marks
// or with broken ones takes them from the seats.
TEST_F(Games, EveryPlayerCarriesAMarkOfHisOwnAndOlderSavesTakeItFromTheSeat) {
    std::set<kit::String> pictures;
    for (int i = 0; i < System::GameState::MaxPlayers; ++i) {
        Game::Player* added = game().addDefaultPlayer();
        ASSERT_NE(added, nullptr);
        EXPECT_EQ(added->getMark(), i + 1);
        pictures.insert(added->getMarkImage());
    }
    EXPECT_EQ(pictures.size(), 14u);
    EXPECT_EQ(*pictures.begin(), "gui.marks/mark_1");
    Game::Player* third = &player(2);
    game().removePlayer(1);
    EXPECT_EQ(third->getMark(), 2) << "the mark follows the seat while the table is set";
    EXPECT_EQ(marksOf(game()).size(), 13u);

    game().clear();
    startGame(3);
    player(0).setMark(3);
    player(2).setMark(1);
    std::unique_ptr<serial::Serializable> copy(serial::fromXml(serial::toXml(&game())));
    auto* loaded = dynamic_cast<GameState*>(copy.get());
    ASSERT_NE(loaded, nullptr);
    loaded->repair();
    EXPECT_EQ(loaded->getPlayers()[0]->getMark(), 3) << "a saved mark is kept";
    EXPECT_EQ(loaded->getPlayers()[2]->getMark(), 1);

    kit::String older =
        std::regex_replace(serial::toXml(&game()), std::regex(R"re(\s*<\w+ name="mark">[^<]*</\w+>)re"), "");
    ASSERT_EQ(older.find("\"mark\""), kit::String::npos);
    copy.reset(serial::fromXml(older));
    loaded = dynamic_cast<GameState*>(copy.get());
    ASSERT_NE(loaded, nullptr);
    loaded->repair();
    for (int seat = 0; seat < 3; ++seat) {
        EXPECT_EQ(loaded->getPlayers()[static_cast<size_t>(seat)]->getMark(), seat + 1);
    }

    player(1).setMark(3);
    game().repair();
    EXPECT_EQ(marksOf(game()), (std::set<int>{1, 2, 3})) << "a mark taken twice";
    player(0).setMark(15);
    game().repair();
    EXPECT_EQ(player(0).getMark(), 1) << "a mark out of range";
}

TEST_F(Games, DoubleStakesAreOfferedOncePerNewLapUntilAccepted) {
    startGame(2);
    EXPECT_FALSE(game().isDoubleStakesDue());
    player(0).moveBy(41);
    EXPECT_TRUE(game().isDoubleStakesDue());
    EXPECT_EQ(game().getMaxLaps(), 0) << "the lap counts as offered only once answered";
    EXPECT_TRUE(game().isDoubleStakesDue()) << "asked until answered";
    game().answerDoubleStakes(false);
    EXPECT_EQ(game().getMaxLaps(), 1);
    EXPECT_EQ(game().getMultiplier(), 1);
    EXPECT_FALSE(game().isDoubleStakesDue()) << "declined: asked again only for a further lap";
    player(1).moveBy(45);
    EXPECT_FALSE(game().isDoubleStakesDue());
    player(1).moveBy(40);
    EXPECT_TRUE(game().isDoubleStakesDue());
    game().answerDoubleStakes(true);
    EXPECT_EQ(game().getMultiplier(), 2);
    player(1).moveBy(40);
    EXPECT_FALSE(game().isDoubleStakesDue());

    Game::Action drink;
    drink.drinks = 3;
    EXPECT_EQ(game().getStakedAmount(drink), 6);
    drink.type = "ActionType_Move_Backwards";
    EXPECT_EQ(game().getStakedAmount(drink), 3);
}

// The throw and the work done in a phase are saved; a save written before they were saved loads as a
// phase not yet done, and a damaged throw is dropped.
TEST_F(Games, ThrowAndDonePhaseAreSavedAndOlderSavesLoadWithoutThem) {
    startGame(3);
    game().setRolledValue(5);
    game().setPhaseDone(true);
    std::unique_ptr<serial::Serializable> copy(serial::fromXml(serial::toXml(&game())));
    auto* loaded = dynamic_cast<GameState*>(copy.get());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->getRolledValue(), 5);
    EXPECT_TRUE(loaded->isPhaseDone());

    kit::String older = std::regex_replace(
        serial::toXml(&game()), std::regex(R"re(\s*<\w+ name="(phaseDone|rolledValue)">[^<]*</\w+>)re"), "");
    ASSERT_EQ(older.find("phaseDone"), kit::String::npos);
    copy.reset(serial::fromXml(older));
    loaded = dynamic_cast<GameState*>(copy.get());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->getRolledValue(), 0);
    EXPECT_FALSE(loaded->isPhaseDone());
    EXPECT_EQ(loaded->getPlayers().size(), 3u);

    game().setRolledValue(9);
    game().repair();
    EXPECT_EQ(game().getRolledValue(), 0);
    EXPECT_FALSE(game().isPhaseDone()) << "a Start phase without a throw is not done";
    game().setRolledValue(2);
    game().setPhaseDone(true);
    game().advancePhase();
    EXPECT_FALSE(game().isPhaseDone()) << "every phase begins undone";
    EXPECT_EQ(game().getRolledValue(), 2) << "the throw is shown until the next turn";
    game().advancePhase();
    game().advancePhase();
    EXPECT_EQ(game().getRolledValue(), 0);
}

TEST_F(Games, UpdateWalksEveryToken) {
    startGame(2);
    player(0).moveBy(3);
    player(1).moveBy(6);
    world.walkTokens();
    EXPECT_EQ(player(0).getMovingProgress(), 1.0f);
    EXPECT_EQ(player(1).getMovingProgress(), 1.0f);
}

TEST_F(Games, ClearDeletesAndResetsEverything) {
    System::profile().set("CustomCards", kit::Array<kit::String>{"2 pick Sing"});
    startGame(3, GameState::FieldSet::Shuffle, GameState::CardSet::Mixed);
    game().advancePhase();
    game().clear();
    EXPECT_TRUE(game().getPlayers().empty());
    EXPECT_TRUE(game().getCustomCards().empty());
    EXPECT_TRUE(game().getFieldOrder().empty());
    EXPECT_EQ(game().getFieldSet(), GameState::FieldSet::Classic);
    EXPECT_EQ(game().getCardSet(), GameState::CardSet::Classic);
    EXPECT_EQ(game().getTurnPhase(), GameState::TurnPhase::Start);
    EXPECT_FALSE(game().isLoaded());
}
