#pragma once

#include <kit/Types.h>

#include <utility>

#include "Game/Action.h"
#include "Game/Player.h"

namespace System {
class GameState;
}

namespace Game {

// What an answer to a landing does, worked out on the game state without a screen: who drinks how
// much, who moves, who takes on a state, and whether the token landed somewhere new. The board
// carries the outcome out and animates it; the bots and the rule tests carry it out directly.
class Rules {
public:
    struct Sips {
        Player* player = nullptr;
        int amount = 0;
    };
    struct Move {
        Player* player = nullptr;
        int by = 0;
    };
    struct StateChange {
        Player* player = nullptr;
        Player::State state = Player::State::Normal;
        int turns = 0;
    };
    struct Outcome {
        // In the order they are carried out.
        kit::Array<Sips> sips;
        kit::Array<Move> moves;
        kit::Array<StateChange> states;
        // The token went back to another field, whose question comes next; nothing else of the
        // action happens (no roll again, no sound).
        bool landingChanged = false;
        // Tokens jump rather than walk.
        bool tokensJumped = false;
        bool rollAgain = false;
    };

    // The actions the current player's field offers, for the player's gender; none without one.
    static kit::Array<Action> currentActions(const System::GameState& game);
    // Every draw of a landing, made before the save so that a resumed game shows the same: the
    // players named by "Random" actions and the roll of a roll-and-split. Records the landing.
    static void prepareLanding(System::GameState& game);
    // Records the answer; taking the first of two or more choices is taking the challenge.
    static void countAnswer(System::GameState& game, int chosen);
    // Works out the chosen action. Adds the players it concerns to the game's action players and
    // changes no player.
    static Outcome resolve(System::GameState& game, const Action& action);
    // The current player's and the other player's share of a roll-and-split, stakes included.
    static std::pair<int, int> rollAndSplitShares(const System::GameState& game);

    // Carrying out: the move of a token (recorded, laps counted) and sips taken (recorded, a hand-out
    // by the current player too).
    static void move(System::GameState& game, const Move& move);
    // Every move and state of the outcome, in order.
    static void carryOutMoves(System::GameState& game, const Outcome& outcome);
    static Player::Sips giveSips(System::GameState& game, const Sips& sips, int waterNoticeLevel,
                                 unsigned int now);

private:
    static void _addTargets(System::GameState& game, const Action& action);
    static void _resolveDrink(System::GameState& game, const Action& action, Outcome& outcome);
    static void _resolveMove(System::GameState& game, const Action& action, Outcome& outcome);
    static void _resolveSpecial(System::GameState& game, const Action& action, Outcome& outcome);
};

}  // namespace Game
