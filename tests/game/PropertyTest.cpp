#include <gtest/gtest.h>
#include <kit/File.h>
#include <kit/Random.h>
#include <serial/Serial.h>

#include <map>
#include <memory>

#include "GameWorld.h"
#include "TurnDriver.h"

using System::GameState;

namespace {

void fail(const kit::String& rule) {
    ADD_FAILURE() << rule;
}

// A game state as the save manager stores it, for comparing every saved field at once.
kit::String saveContent(GameState& state) {
    return serial::toXml(&state);
}

void replaceFirst(kit::String& text, const kit::String& what, const kit::String& with) {
    size_t at = text.find(what);
    ASSERT_NE(at, kit::String::npos) << what;
    text.replace(at, what.size(), with);
}

}  // namespace

TEST(RandomGames, TurnsFollowTheRules) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        kit::seedRandom(seed);
        GameWorld world;
        TurnDriver driver(world, fail);
        driver.startRandomGame(kit::random(2, 15));
        for (int turn = 0; turn < 250; ++turn) {
            driver.playTurn();
        }
        if (HasFailure()) {
            return;
        }
    }
}

TEST(RandomGames, DeckDealsEveryIdOnceBeforeRefilling) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        kit::seedRandom(seed);
        GameWorld world;
        TurnDriver driver(world, fail);
        driver.startRandomGame(3);
        GameState& game = world.game();
        game.drawSurpriseId();
        size_t deckSize = game.getSurpriseFieldStack().size() + 1;
        std::map<int, int> counts;
        for (size_t round = 0; round < 3; ++round) {
            counts.clear();
            // The first draw of a round refills the deck.
            for (size_t i = round == 0 ? 1 : 0; i < deckSize; ++i) {
                ++counts[game.drawSurpriseId()];
            }
            for (const auto& [id, count] : counts) {
                EXPECT_EQ(count, 1) << id;
            }
            EXPECT_TRUE(game.getSurpriseFieldStack().empty());
        }
    }
}

TEST(RandomGames, SavedGamesComeBackEqual) {
    for (unsigned seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        kit::seedRandom(seed);
        GameWorld world;
        TurnDriver driver(world, fail);
        driver.startRandomGame(kit::random(3, 15));
        for (int turn = kit::random(0, 60); turn > 0; --turn) {
            driver.playTurn();
        }
        GameState& game = world.game();
        // Stop in the middle of a turn with players shared between the lists.
        game.advancePhase();
        game.addPickedPlayer(game.getPlayers()[1]);
        game.addAffectedPlayers({game.getPlayers()[2], game.getPlayers()[0]});
        game.getPlayers()[0]->addState(Game::Player::State::SkipTurn, 2);
        ASSERT_TRUE(world.saves->saveAuto(&game));

        std::unique_ptr<ventrel::system::GameState> owner = world.saves->loadAuto();
        ASSERT_NE(owner, nullptr);
        ventrel::system::GameState* loaded = owner.get();
        auto* back = dynamic_cast<GameState*>(loaded);
        ASSERT_NE(back, nullptr);
        kit::String saved = saveContent(game);
        EXPECT_GT(saved.size(), 1000u);
        EXPECT_EQ(saveContent(*back), saved);
        EXPECT_EQ(back->getPlayers().size(), game.getPlayers().size());
        EXPECT_EQ(back->getPickedPlayers().at(0), back->getPlayers()[1]);
        EXPECT_EQ(back->getAffectedPlayers().at(0), back->getPlayers()[2]);
        EXPECT_EQ(back->getAffectedPlayers().at(1), back->getPlayers()[0]);
        EXPECT_EQ(back->getTurnPhase(), GameState::TurnPhase::Choice);
        EXPECT_EQ(back->getSurpriseFieldStack(), game.getSurpriseFieldStack());
        EXPECT_EQ(back->getFieldOrder(), game.getFieldOrder());
        EXPECT_EQ(back->getPlayers()[0]->getStates(), game.getPlayers()[0]->getStates());
        EXPECT_EQ(back->getPlayers()[0]->getAlcoTestData()->getGender(),
                  game.getPlayers()[0]->getAlcoTestData()->getGender());
        for (Game::CustomCard* card : back->getCustomCards()) {
            EXPECT_EQ(back->findField(card->getId())->actions[0].text, card->getText());
        }
        back->clear();
    }
}

// The game everybody holds takes a save over in place; a missing or damaged save, or one that the
// file set refuses, leaves it as it was, not cleared.
TEST(RandomGames, ASaveLoadsIntoTheHeldGameAndAFailedLoadChangesNothing) {
    kit::seedRandom(11);
    GameWorld world;
    TurnDriver driver(world, fail);
    driver.startRandomGame(6);
    for (int turn = 0; turn < 20; ++turn) {
        driver.playTurn();
    }
    GameState& game = world.game();
    ASSERT_TRUE(world.saves->saveAuto(&game));
    kit::String saved = saveContent(game);
    for (int turn = 0; turn < 10; ++turn) {
        driver.playTurn();
    }
    kit::String later = saveContent(game);
    ASSERT_NE(later, saved);

    ASSERT_TRUE(world.saves->loadAutoInto(game));
    EXPECT_EQ(&world.game(), &game);
    EXPECT_EQ(saveContent(game), saved);
    // It plays on from there, with its own players.
    driver.playTurn();
    EXPECT_EQ(game.getCurrentPlayer(),
              game.getPlayers()[static_cast<size_t>(game.seatOf(game.getCurrentPlayer()))]);

    kit::String current = saveContent(game);
    world.saves->deleteAuto();
    EXPECT_FALSE(world.saves->loadAutoInto(game));
    EXPECT_EQ(saveContent(game), current);
    kit::File::write(world.saves->makeNameAuto(), "not a save");
    EXPECT_FALSE(world.saves->loadAutoInto(game));
    EXPECT_EQ(saveContent(game), current);
    EXPECT_FALSE(game.getPlayers().empty());
    ventrel::system::GameState plain;
    EXPECT_FALSE(game.exchange(plain));
    EXPECT_EQ(saveContent(game), current);
}

TEST(DamagedSaves, MissingPlayersAndBodyDataAreMended) {
    GameWorld world;
    world.addPlayers(3);
    world.game().setup();
    world.game().addAffectedPlayers({world.game().getPlayers()[2]});
    world.game().setTurnIndex(2);
    kit::String xml = serial::toXml(&world.game());
    // The second player and the first player's body data are stored as null references.
    replaceFirst(xml, "<item id=\"3\" />", "<item />");
    size_t data = xml.find("<ref name=\"alcoTestData\" id=");
    ASSERT_NE(data, kit::String::npos);
    xml.replace(data, xml.find("/>", data) - data, "<ref name=\"alcoTestData\" ");
    std::unique_ptr<serial::Serializable> root(serial::fromXml(xml));
    auto* damaged = dynamic_cast<GameState*>(root.get());
    ASSERT_NE(damaged, nullptr);
    damaged->update();
    ASSERT_EQ(damaged->getPlayers().size(), 2u);
    EXPECT_EQ(damaged->getAffectedPlayers(), (kit::Array<Game::Player*>{damaged->getPlayers()[1]}));
    EXPECT_LT(damaged->getTurnIndex(), 2);
    EXPECT_NE(damaged->getPlayers()[0]->getAlcoTestData(), nullptr);
    EXPECT_EQ(damaged->getPlayers()[0]->getAlcoTestData()->estimate(3), 0);
    damaged->nextTurn();
    damaged->clear();
}
