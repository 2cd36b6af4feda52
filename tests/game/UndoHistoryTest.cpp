// Bots play with random undos and redos between their turns: a restored game is the game of its moment,
// its throws come out as before, and redo gives back what undo took.
#include <gtest/gtest.h>
#include <kit/Random.h>
#include <serial/Serial.h>

#include <map>
#include <regex>

#include "GameWorld.h"
#include "System/TempState.h"
#include "System/UndoHistory.h"
#include "TurnDriver.h"

namespace {

void fail(const kit::String& rule) {
    ADD_FAILURE() << rule;
}

// The save of a game without its kept chance, which a restored game takes from the present.
kit::String withoutChance(System::GameState& game) {
    static const std::regex chance(
        "<ints name=\"chanceTape\">[\\s\\S]*?</ints>|<ints name=\"chanceTape\" */>");
    return std::regex_replace(serial::toXml(&game), chance, "");
}

// Puts a restored game in the engine's place, as the board does when it reopens.
void takeOver(std::unique_ptr<System::GameState> restored) {
    ASSERT_NE(restored, nullptr);
    delete ventrel::gameState;
    ventrel::gameState = restored.release();
}

}  // namespace

TEST(UndoHistory, RandomUndosAndRedosKeepTheGameAndItsThrows) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        kit::seedRandom(seed);
        GameWorld world;
        System::UndoHistory& history = System::UndoHistory::get();
        history.clear();
        TurnDriver driver(world, fail);
        driver.startRandomGame(kit::random(2, 7));
        std::map<int, int> rolls;
        kit::Array<kit::String> moments;
        kit::Array<kit::String> undone;
        for (int step = 0; step < 150 && !HasFailure(); ++step) {
            System::GameState& game = world.game();
            int choice = kit::random(0, 10);
            if (choice == 0 && history.canUndo()) {
                kit::String present = withoutChance(game);
                takeOver(history.undo(game));
                ASSERT_FALSE(moments.empty());
                EXPECT_EQ(withoutChance(world.game()), moments.back()) << "step " << step;
                moments.pop_back();
                undone.push_back(present);
                continue;
            }
            if (choice == 1 && history.canRedo()) {
                kit::String present = withoutChance(game);
                takeOver(history.redo(game));
                EXPECT_EQ(withoutChance(world.game()), undone.back()) << "redo, step " << step;
                undone.pop_back();
                moments.push_back(present);
                continue;
            }
            history.record(game);
            moments.push_back(withoutChance(game));
            undone.clear();
            int turn = game.getTurnCount();
            driver.playTurn();
            auto kept = rolls.emplace(turn, driver.lastRoll).first;
            EXPECT_EQ(kept->second, driver.lastRoll) << "turn " << turn << " was thrown anew, step " << step;
        }
        history.clear();
    }
}

// The hall of fame only grows, so a record of an undone answer must go with it; redo brings it back.
TEST(UndoHistory, TheHallOfFameGoesBackWithTheGame) {
    GameWorld world;
    world.addPlayers(2);
    world.game().setup();
    System::UndoHistory& history = System::UndoHistory::get();
    history.clear();
    history.record(world.game());
    world.game().getPlayers()[0]->addDrinks(7);
    System::TempState::updateHallOfFame();
    kit::Array<kit::String> grown = System::profile().getArray(System::TempState::HallOfFameDrinks);
    ASSERT_EQ(grown.size(), 1u);
    takeOver(history.undo(world.game()));
    EXPECT_TRUE(System::profile().getArray(System::TempState::HallOfFameDrinks).empty());
    EXPECT_EQ(world.game().getPlayers()[0]->getDrinks(), 0);
    EXPECT_FALSE(history.canUndo());
    takeOver(history.redo(world.game()));
    EXPECT_EQ(System::profile().getArray(System::TempState::HallOfFameDrinks), grown);
    EXPECT_EQ(world.game().getPlayers()[0]->getDrinks(), 7);
    // Ten answers are kept at the least; more only within the previous player's turn.
    for (int answer = 0; answer < 25; ++answer) {
        history.record(world.game());
        world.game().nextTurn();
    }
    int steps = 0;
    while (history.canUndo()) {
        takeOver(history.undo(world.game()));
        ++steps;
    }
    EXPECT_EQ(steps, static_cast<int>(System::UndoHistory::MinAnswers));
    history.clear();
}
