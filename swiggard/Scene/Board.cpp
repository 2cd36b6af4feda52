#include "Scene/Board.h"

#include <audio/Manager.h>
#include <kit/Format.h>
#include <kit/Log.h>
#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/menu/Dialog.h>
#include <ventrel/system/Input.h>
#include <ventrel/system/SaveManager.h>
#include <ventrel/system/SceneManager.h>
#include <ventrel/system/Viewerset.h>

#include <algorithm>

#include "Game/Player.h"
#include "Menu/Dialog/Base.h"
#include "Menu/InGame/BacWarning.h"
#include "Menu/InGame/Gui.h"
#include "Menu/InGame/Main.h"
#include "Menu/InGame/RollDice.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/Objects.h"
#include "System/TempState.h"
#include "System/UndoHistory.h"
#include "Viewer/BoardClassic.h"
#include "Viewer/BoardPlanets.h"
#include "Viewer/PlayerClassic.h"
#include "Viewer/PlayerPlanets.h"

namespace Scene {

namespace {

using TurnPhase = System::GameState::TurnPhase;

bool isPlanets() {
    System::GameState* game = &System::game();
    return game->getBoardLayout() == System::GameState::BoardLayout::Planets;
}

kit::String datasetPath() {
    return "scene/" + kit::String(isPlanets() ? "board_planets" : "board_classic");
}

}  // namespace

Board::Board() : Base(datasetPath(), "board") {}

ventrel::system::Contract Board::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    ventrel::system::Contract contract = Base::getContract();
    contract.add({"board", Kind::Object}).add({"container_players", Kind::Object});
    if (!isPlanets()) {
        contract.add({"game_name", Kind::Label});
    }
    return contract;
}

void Board::_setupMenus() {
    gui = _registerMenu(std::make_unique<Menu::InGame::Gui>(this));
    bacWarning = _registerMenu(std::make_unique<Menu::InGame::BacWarning>(this));
    rollDice = _registerMenu(std::make_unique<Menu::InGame::RollDice>(this));
    mainMenu = _registerMenu(std::make_unique<Menu::InGame::Main>(this));
}

void Board::_setupDataset() {
    Base::_setupDataset();
    if (!isPlanets()) {
        System::setTextKey(this, "game_name", "gui.GameNameMarkup");
    }
}

void Board::_setupViewerset() {
    Base::_setupViewerset();
    System::GameState* game = &System::game();
    gui::Object* board = getObject("board");
    gui::Object* tokens = getObject("container_players");
    if (!board || !tokens) {
        kit::Log::error(System::LogTag, "The board has no board or token container to show the game on.");
        return;
    }
    bool planets = isPlanets();
    if (planets) {
        boardViewer = viewerset->registerViewer(std::make_unique<Viewer::BoardPlanets>(board));
    } else {
        boardViewer = viewerset->registerViewer(std::make_unique<Viewer::BoardClassic>(board));
    }
    for (Game::Player* player : game->getPlayers()) {
        if (planets) {
            viewerset->registerViewer(std::make_unique<Viewer::PlayerPlanets>(player, tokens));
        } else {
            viewerset->registerViewer(std::make_unique<Viewer::PlayerClassic>(player, tokens));
        }
    }
}

void Board::_setupCallbacks() {
    Base::_setupCallbacks();
    bind(gui->getObject("button_menu"), &Board::_showMenu);
    bind(gui->getObject("button_dice"), &Board::_showDice);
    bind(gui->getObject("button_overview"), &Board::_toggleOverview);
    bind(gui->getObject("button_undo"), &Board::_undo);
    bind(gui->getObject("button_redo"), &Board::_redo);
    bind(gui->getObject("button_motd_cancel"), &Board::_hideMotd);
    bind(rollDice->getObject("button_ok"), &Board::_roll);
    bind(rollDice->getObject("button_dice"), &Board::_roll);
    bind(rollDice->getObject("button_back"), &Board::_closeDice);
}

void Board::setup() {
    // A game opened anew, not restored by undo, has nothing to take back.
    if (!System::UndoHistory::get().takeRestored()) {
        System::UndoHistory::get().clear();
    }
    System::TempState* temp = System::tempState();
    System::GameState* game = &System::game();
    if (temp) {
        temp->clear();
        temp->setup();
    }
    game->update();
    for (Game::Player* player : game->getPlayers()) {
        player->setMovingProgress(1.0f);
    }
    // The dice shows the last throw of the game, also after a resume.
    if (game->getLastRoll() > 0) {
        diceValue = game->getLastRoll();
    }
    // Taken back before a throw, the dice already shows what it will throw again.
    if (int coming = _comingRoll(); coming > 0) {
        diceValue = coming;
    }
    Base::setup();
    gui->update();
    if (temp) {
        temp->update();
    }
    _dispatchPhase();
    System::TempState::updateHallOfFame();
    refresh();
}

// A board closing for a restored game hands the engine that game, which is the save from now on.
void Board::finish() {
    Base::finish();
    if (System::UndoHistory::get().swapInPending()) {
        if (ventrel::saveManager && !ventrel::saveManager->saveAuto(ventrel::gameState)) {
            kit::Log::error(System::LogTag, "The restored game could not be saved.");
        }
        return;
    }
    System::game().clearPickedPlayers();
    _saveProgress();
}

void Board::refresh() {
    Base::refresh();
    _refreshFieldNumbers();
}

// Buttons.

void Board::_showMenu() {
    mainMenu->show();
    gui->hide();
}

void Board::_showDice() {
    System::setVisible(gui, "tutorial", false);
    System::setEnabled(gui, "container_menu", false);
    rollDice->resetRoll();
    rollDice->show();
}

void Board::_toggleOverview() {
    System::TempState* temp = System::tempState();
    if (!temp) {
        return;
    }
    if (temp->getViewMode() == 0 || temp->getViewMode() == 1) {
        temp->setViewMode(1 - temp->getViewMode());
    }
    if (boardViewer) {
        boardViewer->applyViewMode();
    }
    gui->refresh();
}

void Board::_hideMotd() {
    gui::Object* motd = gui->getObject("container_motd");
    if (motd && !motd->isAnimating()) {
        motd->moveY(motd->getY() - motd->getHeight(), 2.0f);
    }
}

void Board::_roll() {
    System::GameState* game = &System::game();
    _rollDice(game->draw(1, 7));
}

void Board::_rollDice(int value) {
    System::GameState* game = &System::game();
    Game::Player* current = game->getCurrentPlayer();
    if (!current || game->isPhaseDone() || rollDice->getRolledValue() != 0 ||
        game->getTurnPhase() != TurnPhase::Start) {
        return;
    }
    System::setEnabled(gui, "container_menu", false);
    // One throw per turn: the dice button comes back with the next player's turn.
    System::setEnabled(gui, "button_dice", false);
    diceValue = value;
    rollDice->setRoll(diceValue);
    System::setImage(gui, "button_dice", "gui.dice/" + kit::toString(diceValue));
    current->moveBy(current->getState() == Game::Player::State::MoveBackwards ? -diceValue : diceValue);
    game->record(Game::GameLog::Kind::Roll, current, diceValue);
    game->recordLaps(current);
    game->setRolledValue(diceValue);
    game->setPhaseDone(true);
    // Saved before the token walks: a game closed or lost meanwhile resumes with this throw.
    _saveProgress();
}

// The bar's dice button opens the dice, whose own button throws: both are the same wait for the throw.
bool Board::isWaitingForRoll() const {
    System::GameState* game = &System::game();
    if (!rollDice || !game->getCurrentPlayer() || game->getTurnPhase() != TurnPhase::Start ||
        game->isPhaseDone() || game->getRolledValue() != 0 || _isAnyTokenWalking()) {
        return false;
    }
    if (rollDice->isVisible()) {
        return rollDice->getRolledValue() == 0;
    }
    gui::Object* dice = gui ? gui->getObject("button_dice") : nullptr;
    return dice && dice->isDerivedEnabled() && dice->isDerivedVisible();
}

void Board::pressDice() {
    ventrel::system::Context* menu =
        rollDice->isVisible() ? static_cast<ventrel::system::Context*>(rollDice) : gui;
    gui::Object* dice = menu->getObject("button_dice");
    if (dice && dice->isDerivedEnabled() && dice->isDerivedVisible() && !rollDice->isBusy()) {
        dice->triggerEvent(gui::Event::Click, 1);
    }
}

int Board::getQuestionRow(const ventrel::menu::Dialog* dialog) const {
    System::GameState* game = &System::game();
    for (const kit::String& prefix : {LimitContext, GlassContext}) {
        if (dialog && dialog->getCaller() == this && kit::startsWith(dialog->getContext(), prefix)) {
            return kit::toInt(dialog->getContext().substr(prefix.size()));
        }
    }
    bool landing = dialog && dialog->getCaller() == this &&
                   (dialog->getContext() == ActionContext || dialog->getContext() == PickerContext);
    if (!landing || !game->getCurrentPlayer()) {
        return -1;
    }
    return game->seatOf(game->getCurrentPlayer());
}

bool Board::isTableQuestion(const ventrel::menu::Dialog* dialog) const {
    if (!dialog || dialog->getCaller() != this) {
        return false;
    }
    const kit::String& context = dialog->getContext();
    return context == DoubleStakesContext || context == DriversContext || context == WaterRoundContext;
}

void Board::_closeDice() {
    System::setEnabled(gui, "container_menu", true);
    rollDice->hide();
}

// The turn engine.

void Board::_startUpdate() {
    Base::_startUpdate();
    bool animating = boardViewer && boardViewer->isAnimating();
    if (System::TempState* temp = System::tempState()) {
        temp->setBoardAnimating(animating);
    }
    if (animating || rollDice->isBusy()) {
        inputAllowed = false;
    }
}

void Board::_updateInput() {
    Base::_updateInput();
    bool undo = ventrel::input && (ventrel::input->isKeyTriggered(host::Key::Backspace) ||
                                   ventrel::input->isButtonTriggered(host::Button::Y));
    if (undo && !_isAnyDialogAnimating()) {
        _undo();
        return;
    }
    System::TempState* temp = System::tempState();
    bool boardAnimating = temp && temp->isBoardAnimating();
    if (_isAnyDialogAnimating() || rollDice->isVisible() || rollDice->isBusy() || _isAnyTokenWalking() ||
        boardAnimating || !ventrel::input || !ventrel::input->isKeyTriggered(host::Key::Space)) {
        return;
    }
    gui::Object* dice = gui->getObject("button_dice");
    if (dice && dice->isDerivedEnabled() && dice->isDerivedVisible()) {
        dice->triggerEvent(gui::Event::Click, 1);
    }
}

void Board::_updateLogic() {
    System::GameState* game = &System::game();
    if (_isAnyDialogAnimating()) {
        return;
    }
    if (rollDice->isBusy()) {
        rollDice->update();
        gui->update();
        return;
    }
    bool walking = _isAnyTokenWalking();
    game->update();
    Base::_updateLogic();
    if (!walking && _offerDoubleStakes()) {
        return;
    }
    System::TempState* temp = System::tempState();
    if (walking || _isAnyTokenWalking() || (temp && temp->isBoardAnimating())) {
        return;
    }
    if (_warnCurrentPlayer() || _showNotice()) {
        return;
    }
    if (game->getTurnPhase() == TurnPhase::Start && game->getTurnIndex() != cameraTurnIndex && boardViewer) {
        cameraTurnIndex = game->getTurnIndex();
        boardViewer->newTurn();
    }
    if (game->isPhaseDone()) {
        _finishPhase();
        game->advancePhase();
        _announceNaps();
        _saveProgress();
        _dispatchPhase();
    }
    if (landingChanged) {
        landingChanged = false;
        _dispatchPhase();
    }
    if (choiceMade) {
        choiceMade = false;
        if (!_needsPicks()) {
            _applyChosenAction();
        }
    }
}

void Board::_updateDisplay() {
    Base::_updateDisplay();
    _refreshUndo();
    if (rollDice->isVisible()) {
        System::setImage(gui, "button_dice", System::getImage(rollDice, "image_dice"));
    } else {
        System::setImage(gui, "button_dice", "gui.dice/" + kit::toString(diceValue));
    }
}

bool Board::_isAnyDialogAnimating() const {
    if (!ventrel::sceneManager) {
        return false;
    }
    for (const ventrel::menu::Dialog* dialog : ventrel::sceneManager->getDialogs()) {
        if (dialog->isVisible() && (dialog->isAnimated() || dialog->isWaitingAnimation())) {
            return true;
        }
    }
    return false;
}

bool Board::_isAnyTokenWalking() const {
    System::GameState* game = &System::game();
    const auto& players = game->getPlayers();
    return std::any_of(players.begin(), players.end(), [](const Game::Player* p) { return p->isWalking(); });
}

// Somebody reached a lap nobody reached before: the table may double its stakes, once. The lap counts
// as offered when the question is answered, so that a game left meanwhile asks it again.
bool Board::_offerDoubleStakes() {
    System::GameState* game = &System::game();
    if (!game->isDoubleStakesDue()) {
        return false;
    }
    if (audio::manager) {
        audio::manager->play("first to finish lap");
    }
    ventrel::sceneManager->showDialog(YesNoDialog, this, this,
                                      "{%f} gui.YesNoDoubleStakesBy {" + _lapLeader()->getRichName() + "}",
                                      DoubleStakesContext);
    return true;
}

// The first of the players furthest round the board: the one who just finished the new lap.
Game::Player* Board::_lapLeader() const {
    const auto& players = System::game().getPlayers();
    return *std::max_element(
        players.begin(), players.end(),
        [](const Game::Player* a, const Game::Player* b) { return a->getLaps() < b->getLaps(); });
}

// Whoever the turn passed because they nap is told so on screen.
void Board::_announceNaps() {
    System::TempState* temp = System::tempState();
    for (Game::Player* napper : System::game().takeNappingPlayers()) {
        if (temp) {
            temp->addNotification("{%f} gui.NotificationSkipTurn {" + napper->getRichName() + "}", "");
        }
    }
}

// The player counts as warned once the warning is confirmed (the warning marks him).
bool Board::_warnCurrentPlayer() {
    if (bacWarning->isVisible()) {
        return true;
    }
    Game::Player* current = System::game().getCurrentPlayer();
    if (!current || !current->needsBacWarning()) {
        return false;
    }
    gui->hide();
    bacWarning->show();
    return true;
}

void Board::_dispatchPhase() {
    System::GameState* game = &System::game();
    if (game->getTurnPhase() == TurnPhase::Start) {
        // A resumed game whose dice was thrown goes on with that throw.
        bool thrown = game->isPhaseDone();
        System::setEnabled(gui, "button_dice", !thrown);
        System::setEnabled(gui, "container_menu", !thrown);
        if (!thrown) {
            game->clearActionPlayers();
            int coming = _comingRoll();
            diceValue = coming > 0 ? coming : diceValue;
            _readTurnAloud();
        }
        if (boardViewer) {
            cameraTurnIndex = game->getTurnIndex();
            boardViewer->newTurn();
        }
    } else if (game->getTurnPhase() == TurnPhase::Choice) {
        // A resumed game whose chosen action was carried out only ends the phase.
        if (game->isPhaseDone()) {
            System::setEnabled(gui, "button_dice", false);
            System::setEnabled(gui, "container_menu", false);
        } else {
            _showActionDialog();
        }
    } else {
        game->setPhaseDone(true);
    }
}

void Board::_finishPhase() {
    System::GameState* game = &System::game();
    if (game->getTurnPhase() == TurnPhase::Start) {
        _prepareLanding();
    } else if (game->getTurnPhase() == TurnPhase::Finalize) {
        if (System::TempState* temp = System::tempState()) {
            temp->setTokensJumped(false);
        }
    }
}

void Board::_saveProgress() {
    System::TempState::updateHallOfFame();
    if (ventrel::saveManager && ventrel::gameState && !ventrel::saveManager->saveAuto(ventrel::gameState)) {
        kit::Log::error(System::LogTag, "The game could not be saved.");
    }
}

void Board::dialogResult(const kit::String& dialog, int button, const kit::String& context) {
    Base::dialogResult(dialog, button, context);
    System::GameState* game = &System::game();
    if (button == Menu::Dialog::Base::UndoAnswer || button == Menu::Dialog::Base::RedoAnswer) {
        if (button == Menu::Dialog::Base::UndoAnswer) {
            _undo();
        } else {
            _redo();
        }
        return;
    }
    _recordAnswer(dialog, context);
    if ((dialog == SelectDialog || dialog == ChoiceDialog) && context == ActionContext &&
        game->getTurnPhase() == TurnPhase::Choice) {
        selectedAction = button;
        choiceMade = true;
    } else if (dialog == PickerDialog && context == PickerContext) {
        if (button >= 0 && button < static_cast<int>(game->getPlayers().size())) {
            game->addPickedPlayer(game->getPlayers()[button]);
            choiceMade = true;
        }
    } else if (dialog == YesNoDialog && context == DoubleStakesContext) {
        game->answerDoubleStakes(button == 0);
        game->record(Game::GameLog::Kind::DoubleStakes, nullptr, game->getMultiplier(), button == 0 ? 1 : 0);
        refresh();
        _saveProgress();
    } else {
        _answerNotice(dialog, button, context);
    }
}

// Drink and move-back fields show their number on the board, drinks doubled with the stakes.
void Board::_refreshFieldNumbers() {
    System::GameState* game = &System::game();
    if (!boardViewer) {
        return;
    }
    for (int position = 0; position < Game::BoardSize; ++position) {
        const Game::Field* field = position % 10 == 0 ? nullptr : game->getBoardField(position);
        if (!field || field->actions.empty()) {
            continue;
        }
        const Game::Action& action = field->actions.front();
        int amount = game->getStakedAmount(action);
        bool counted = field->icon == "drink" || field->icon == "strip" || field->icon == "slapped";
        if (field->icon == "move_back" || (counted && amount >= 2)) {
            System::setImage(this, kit::format("field_number_%02d", position),
                             "game.fields/" + kit::toString(amount));
        }
    }
}

}  // namespace Scene
