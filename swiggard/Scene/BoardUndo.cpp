// Taking answers back: the moment before every answer is kept, and undo or redo reopens the board on
// the game of another moment. Chance stays as it fell: the restored game draws what it drew before.
#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/SceneManager.h>

#include "Menu/Dialog/Base.h"
#include "Menu/InGame/Gui.h"
#include "Menu/InGame/RollDice.h"
#include "Scene/Board.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/Objects.h"
#include "System/UndoHistory.h"

namespace Scene {

namespace {

using TurnPhase = System::GameState::TurnPhase;

}  // namespace

// The answers a player may want back: the landing's question and its picks, double stakes and the
// glass of water.
void Board::_recordAnswer(const kit::String& dialog, const kit::String& context) {
    System::GameState* game = &System::game();
    if (ventrel::sceneManager->getNextScene()) {
        return;
    }
    bool landing = (dialog == SelectDialog || dialog == ChoiceDialog) && context == ActionContext &&
                   game->getTurnPhase() == TurnPhase::Choice;
    bool picked = dialog == PickerDialog && context == PickerContext;
    bool question =
        dialog == YesNoDialog && (context == DoubleStakesContext || kit::startsWith(context, GlassContext));
    if (landing || picked || question) {
        System::UndoHistory::get().record(*game);
    }
}

void Board::_offerUndo(ventrel::menu::Dialog* dialog) const {
    System::setVisible(dialog, "button_undo", System::UndoHistory::get().canUndo());
    System::setVisible(dialog, "button_redo", System::UndoHistory::get().canRedo());
}

void Board::_undo() {
    System::GameState* game = &System::game();
    if (!ventrel::sceneManager->getNextScene()) {
        _restore(System::UndoHistory::get().undo(*game));
    }
}

void Board::_redo() {
    System::GameState* game = &System::game();
    if (!ventrel::sceneManager->getNextScene()) {
        _restore(System::UndoHistory::get().redo(*game));
    }
}

void Board::_restore(std::unique_ptr<System::GameState> game) {
    if (!game) {
        return;
    }
    game->repair();
    System::UndoHistory::get().setPending(std::move(game));
    ventrel::sceneManager->switchScene("Scene::Board");
}

// Between throws the bar offers undo and redo, as far as there is something to take back or give.
void Board::_refreshUndo() {
    System::UndoHistory& history = System::UndoHistory::get();
    bool between = isWaitingForRoll() && !rollDice->isVisible();
    System::setEnabled(gui, "button_undo", between && history.canUndo());
    System::setEnabled(gui, "button_redo", between && history.canRedo());
    System::setVisible(gui, "button_redo", history.canRedo());
}

int Board::_comingRoll() const {
    System::GameState* game = &System::game();
    const kit::Array<int>& tape = game->getChanceTape();
    int cursor = game->getChanceCursor();
    bool beforeThrow = game->getTurnPhase() == TurnPhase::Start && !game->isPhaseDone();
    if (!beforeThrow || cursor < 0 || cursor >= static_cast<int>(tape.size())) {
        return 0;
    }
    int value = tape[static_cast<size_t>(cursor)];
    return value >= 1 && value <= 6 ? value : 0;
}

}  // namespace Scene
