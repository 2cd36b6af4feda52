#include "System/UndoHistory.h"

#include <kit/Log.h>
#include <serial/Serial.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/GameState.h>

#include <utility>

#include "System/GameState.h"
#include "System/Globals.h"
#include "System/TempState.h"

namespace System {

namespace {

const kit::String* const FameKeys[] = {&TempState::HallOfFameDrinks, &TempState::HallOfFameLaps,
                                       &TempState::HallOfFameBac, &TempState::HallOfFameChallenges};

}  // namespace

UndoHistory& UndoHistory::get() {
    static UndoHistory history;
    return history;
}

void UndoHistory::record(GameState& game) {
    done.push_back(_capture(game));
    undone.clear();
    _trim(game.getTurnCount());
}

std::unique_ptr<GameState> UndoHistory::undo(GameState& present) {
    return _step(done, undone, present);
}

std::unique_ptr<GameState> UndoHistory::redo(GameState& present) {
    return _step(undone, done, present);
}

void UndoHistory::clear() {
    done.clear();
    undone.clear();
}

UndoHistory::~UndoHistory() = default;

void UndoHistory::setPending(std::unique_ptr<GameState> game) {
    pending = std::move(game);
}

bool UndoHistory::swapInPending() {
    if (!pending) {
        return false;
    }
    // The held game takes the moment over in place; its old content (players the screens may still
    // point at) is kept until the board has started again.
    if (!ventrel::gameState || !ventrel::gameState->exchange(*pending)) {
        pending.reset();
        return false;
    }
    retired = std::move(pending);
    restored = true;
    return true;
}

bool UndoHistory::takeRestored() {
    retired.reset();
    return std::exchange(restored, false);
}

UndoHistory::Moment UndoHistory::_capture(GameState& game) {
    Moment moment;
    moment.save = serial::toXml(&game);
    for (const kit::String* key : FameKeys) {
        moment.fame.push_back(profile().getArray(*key));
    }
    moment.turnCount = game.getTurnCount();
    return moment;
}

// The present goes onto the other side, the moment comes back with the draws the present has made.
std::unique_ptr<GameState> UndoHistory::_step(std::deque<Moment>& from, std::deque<Moment>& to,
                                              GameState& present) {
    if (from.empty()) {
        return nullptr;
    }
    std::unique_ptr<serial::Serializable> read(serial::fromXml(from.back().save));
    if (!dynamic_cast<GameState*>(read.get())) {
        kit::Log::error(LogTag, "A moment of the undo history could not be read; the history is dropped.");
        clear();
        return nullptr;
    }
    std::unique_ptr<GameState> back(dynamic_cast<GameState*>(read.release()));
    back->continueChance(present.getChanceTape());
    to.push_back(_capture(present));
    for (size_t i = 0; i < std::size(FameKeys); ++i) {
        profile().set(*FameKeys[i], from.back().fame[i]);
    }
    profile().save();
    from.pop_back();
    return back;
}

// Ten answers are kept, and every answer since the start of the previous player's turn.
void UndoHistory::_trim(int turnCount) {
    while (done.size() > MinAnswers && done.front().turnCount < turnCount - 1) {
        done.pop_front();
    }
}

}  // namespace System
