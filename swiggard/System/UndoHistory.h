#pragma once

#include <kit/Types.h>

#include <deque>
#include <memory>

namespace ventrel::system {
class GameState;
}

namespace System {

class GameState;

// Taking answers back: the game as it stood before each answer, with the hall-of-fame lists of that
// moment (they only ever grow, so an undone record must go). Undo goes back ten answers, or to the
// start of the previous player's turn when that is further; redo walks forward again until a new
// answer is given. Chance is not part of a moment: a game taken back keeps the draws it made, so
// its rolls come out as before. Kept for one run of the board: a resumed game starts without it.
class UndoHistory {
public:
    static constexpr size_t MinAnswers = 10;

    // The history of the running game.
    static UndoHistory& get();
    ~UndoHistory();

    // The game before an answer; forgets what could be redone.
    void record(GameState& game);
    bool canUndo() const { return !done.empty(); }
    bool canRedo() const { return !undone.empty(); }
    // The game of the last answer's moment, with its hall of fame put back, and the present kept for
    // redo; null when there is nothing to take back (or the moment cannot be read).
    std::unique_ptr<GameState> undo(GameState& present);
    std::unique_ptr<GameState> redo(GameState& present);
    void clear();

    // A restored game waits for the board to close: it then becomes the engine's game, while the old
    // one, which the closing board's tokens still show, is kept until the board opens again.
    void setPending(std::unique_ptr<GameState> game);
    bool isRestoring() const { return pending != nullptr; }
    // Called as the board closes: the restored game takes the old one's place; false when none waits.
    bool swapInPending();
    // Called as the board opens: the old game goes; true when it opens for a restored game, whose
    // history stays.
    bool takeRestored();

private:
    struct Moment {
        kit::String save;
        kit::Array<kit::Array<kit::String>> fame;
        int turnCount = 0;
    };

    std::deque<Moment> done;
    std::deque<Moment> undone;
    std::unique_ptr<GameState> pending;
    std::unique_ptr<ventrel::system::GameState> retired;
    bool restored = false;

    static Moment _capture(GameState& game);
    std::unique_ptr<GameState> _step(std::deque<Moment>& from, std::deque<Moment>& to, GameState& present);
    void _trim(int turnCount);
};

}  // namespace System
