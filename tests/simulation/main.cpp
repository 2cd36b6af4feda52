// Plays a long random game through the game's rules alone and checks them after every turn. The game
// is played twice from the same seed; both runs must end in the same state.
#include <kit/Crc32.h>
#include <kit/Format.h>
#include <kit/Log.h>
#include <kit/Random.h>
#include <kit/Strings.h>

#include <cstdio>
#include <cstdlib>

#include "GameWorld.h"
#include "System/TempState.h"
#include "TurnDriver.h"

namespace {

[[noreturn]] void violation(const kit::String& rule) {
    std::fprintf(stderr, "Rule broken: %s\n", rule.c_str());
    std::abort();
}

// What the turns changed: players, turn, stakes, board order and deck (not the wall-clock start times).
kit::String describe(const System::GameState& game) {
    kit::String text =
        kit::format("turn %d phase %s x%d laps %d order", game.getTurnIndex(),
                    game.getTurnPhase().getName().c_str(), game.getMultiplier(), game.getMaxLaps());
    for (int slot : game.getFieldOrder()) {
        text += " " + kit::toString(slot);
    }
    text += " deck";
    for (int id : game.getSurpriseFieldStack()) {
        text += " " + kit::toString(id);
    }
    for (const Game::Player* p : game.getPlayers()) {
        text += kit::format("\n%s %d %d %d %d %d %d", p->getName().c_str(), p->isPlaying() ? 1 : 0,
                            p->getCurrentField(), p->getFieldId(), p->getDrinks(), p->getAcceptedChallenges(),
                            static_cast<int>(p->getStates().size()));
    }
    return text;
}

kit::String play(unsigned seed, int turns, int players) {
    kit::seedRandom(seed);
    GameWorld world;
    TurnDriver driver(world, violation);
    driver.startRandomGame(players);
    for (int turn = 0; turn < turns; ++turn) {
        driver.playTurn();
        if (turn % 500 == 0) {
            System::TempState::updateHallOfFame();
        }
    }
    System::TempState::updateHallOfFame();
    kit::String state = describe(world.game());
    for (const kit::String& line : System::profile().getArray(System::TempState::HallOfFameDrinks)) {
        state += "\n" + line;
    }
    std::printf("%s %s\n", world.game().getFieldSet().getName().c_str(),
                world.game().getCardSet().getName().c_str());
    return state;
}

}  // namespace

int main(int argc, char** argv) {
    unsigned seed = argc > 1 ? kit::toUint(argv[1]) : 1;
    int turns = argc > 2 ? kit::toInt(argv[2]) : 10000;
    int players = argc > 3 ? kit::toInt(argv[3]) : 14;
    kit::Log::setConsoleEnabled(false);
    kit::Log::setDebugEnabled(false);
    kit::String first = play(seed, turns, players);
    kit::String second = play(seed, turns, players);
    std::printf("seed %u, %d turns, %d players, final state digest %08X\n", seed, turns, players,
                kit::crc32(first));
    if (first != second) {
        std::fprintf(stderr, "The second run from seed %u ended differently.\n", seed);
        return 1;
    }
    std::printf("%s\n", first.c_str());
    return 0;
}
