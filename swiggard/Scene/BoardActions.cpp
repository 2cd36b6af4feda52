// Resolving the field a token landed on: the random outcomes fixed before the save, the action
// dialogs with their composed texts, picking victims, and carrying the chosen action out.
#include <audio/Manager.h>
#include <gui/ScrollArea.h>
#include <kit/Format.h>
#include <kit/Log.h>
#include <kit/Random.h>
#include <kit/Strings.h>
#include <kit/Time.h>
#include <ventrel/Ventrel.h>
#include <ventrel/menu/Dialog.h>
#include <ventrel/system/SceneManager.h>

#include "Game/Player.h"
#include "Game/Rules.h"
#include "Menu/InGame/Gui.h"
#include "Scene/Board.h"
#include "System/DataManager.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/NightSettings.h"
#include "System/Objects.h"
#include "System/TempState.h"

namespace Scene {

namespace {

bool has(const kit::Array<Game::Player*>& list, const Game::Player* player) {
    return std::find(list.begin(), list.end(), player) != list.end();
}

int pickCount(const kit::String& target) {
    if (target == "Pick1") {
        return 1;
    }
    if (target == "Pick2") {
        return 2;
    }
    return target == "Pick3" ? 3 : 0;
}

}  // namespace

kit::Array<Game::Action> Board::_currentActions() const {
    return Game::Rules::currentActions(System::game());
}

bool Board::_chosenAction(Game::Action& action) const {
    kit::Array<Game::Action> actions = _currentActions();
    if (selectedAction < 0 || selectedAction >= static_cast<int>(actions.size())) {
        kit::Log::error(System::LogTag,
                        "The chosen action " + kit::toString(selectedAction) + " is not on the field.");
        return false;
    }
    action = actions[selectedAction];
    return true;
}

// Every draw of the landing happens here, before the save, so that a resumed game shows the same.
void Board::_prepareLanding() {
    Game::Rules::prepareLanding(System::game());
}

std::pair<int, int> Board::rollAndSplitShares() {
    return Game::Rules::rollAndSplitShares(System::game());
}

kit::String Board::composeActionText(const Game::Action& action, const kit::String& previousTarget,
                                     kit::Array<Game::Player*>& pool, kit::Array<Game::Player*>& assigned) {
    kit::String key;
    if (action.target == "PreviousAction") {
        key = "gui." + action.type + "_" + previousTarget;
    } else if (action.type == "ActionType_Special_Custom") {
        key = System::literal(action.text);
    } else {
        key = action.getTextKey();
    }
    return composeText(key, action, pool, assigned);
}

kit::String Board::composeText(const kit::String& key, const Game::Action& action,
                               kit::Array<Game::Player*>& pool, kit::Array<Game::Player*>& assigned) {
    System::GameState* game = &System::game();
    kit::Array<kit::String> arguments;
    if (action.target == "Random" && !pool.empty()) {
        assigned.push_back(pool.front());
        pool.erase(pool.begin());
        arguments.push_back(System::literal(assigned.back()->getRichName()));
    } else if (action.target == "PreviousAction" && !assigned.empty()) {
        arguments.push_back(System::literal(assigned.back()->getRichName()));
    } else if (action.target == "Special") {
        if (const Game::Player* special = game->chooseSpecialTarget(action.type)) {
            arguments.push_back(System::literal(special->getRichName()));
        }
    }
    if (action.type == "ActionType_Special_RollAndSplit") {
        auto [own, other] = rollAndSplitShares();
        arguments.push_back(System::literal(kit::toString(own)));
        arguments.push_back(System::literal(kit::toString(other)));
    }
    if (action.drinks > 0) {
        arguments.push_back(System::literal(kit::toString(game->getStakedAmount(action))));
    }
    if (arguments.empty()) {
        return action.rollAgain ? "{%s %s} " + key + " gui.RollAgainText" : key;
    }
    kit::String joined = key + " " + kit::join(arguments, " ");
    return action.rollAgain ? "{%f %s} " + joined + " gui.RollAgainText" : "{%f} " + joined;
}

void Board::_showActionDialog() {
    System::GameState* game = &System::game();
    Game::Player* current = game->getCurrentPlayer();
    System::setEnabled(gui, "button_dice", false);
    System::setEnabled(gui, "container_menu", false);
    kit::Array<Game::Action> actions = _currentActions();
    if (!current || actions.empty()) {
        kit::Log::error(System::LogTag, "The landing field has no actions; the turn goes on.");
        game->setPhaseDone(true);
        return;
    }
    // A landing with nothing to do says so, without a question.
    if (actions.front().type == "ActionType_Special_Start") {
        if (System::TempState* temp = System::tempState()) {
            temp->addNotification(actions.front().getTextKey(), "");
        }
        game->setPhaseDone(true);
        return;
    }
    kit::Array<Game::Player*> pool = game->getAffectedPlayers();
    kit::Array<Game::Player*> assigned;
    kit::Array<kit::String> texts;
    kit::String previousTarget;
    for (const Game::Action& action : actions) {
        texts.push_back(composeActionText(action, previousTarget, pool, assigned));
        previousTarget = action.target;
    }
    bool single = actions.size() == 1;
    ventrel::menu::Dialog* dialog = ventrel::sceneManager->showDialog(single ? SelectDialog : ChoiceDialog,
                                                                      this, this, texts, ActionContext);
    if (!dialog) {
        return;
    }
    _offerUndo(dialog);
    kit::String blank = "gui.buttons/fields_blank_" + kit::toString(current->getBoardPosition() / 10);
    // Both questions name whose they are.
    if (single) {
        System::setText(dialog, "player_name", current->getRichName());
    } else {
        System::setTextKey(dialog, "title", "{%s %s} gui.ChoiceTitle {" + current->getRichName() + "}");
    }
    System::showMarkBeside(dialog, "image_mark", single ? "player_name" : "title", current);
    _readCardAloud(texts);
    int count = static_cast<int>(actions.size());
    for (int n = 0; n < count; ++n) {
        System::setImage(dialog, (single ? "image_back_" : "button_dialog_") + kit::toString(n), blank);
        System::setImage(dialog, "image_" + kit::toString(n), "game.fields/" + actions[n].imageName);
    }
    for (int n = count; n < dialog->getButtonCount(); ++n) {
        System::setVisible(dialog, "button_dialog_" + kit::toString(n), false);
        System::setText(dialog, "text_dialog_" + kit::toString(n), "");
    }
}

bool Board::_needsPicks() {
    Game::Action action;
    if (!_chosenAction(action)) {
        return true;
    }
    System::GameState* game = &System::game();
    int need = pickCount(action.target);
    if (need == 0 || static_cast<int>(game->getPickedPlayers().size()) >= need) {
        return false;
    }
    bool selfPick =
        !System::DataManager::isSelfExcludedType(action.type) &&
        !(action.type == "ActionType_Special_DrinkStripSlapped" && game->getPickedPlayers().size() == 2);
    Game::Player* current = game->getCurrentPlayer();
    kit::Array<Game::Player*> candidates = game->getPlayingPlayers();
    std::erase_if(candidates, [&](Game::Player* p) {
        return has(game->getPickedPlayers(), p) || (!selfPick && p == current);
    });
    // Nobody left to pick: the action goes ahead with the picks made so far.
    if (candidates.empty()) {
        return false;
    }
    _showPlayerPicker(action);
    return true;
}

void Board::_showPlayerPicker(const Game::Action& action) {
    System::GameState* game = &System::game();
    size_t picked = game->getPickedPlayers().size();
    bool drinkStripSlapped =
        action.type == "ActionType_Special_DrinkStripSlapped" && action.target == "Pick3";
    bool selfPick =
        !System::DataManager::isSelfExcludedType(action.type) && !(drinkStripSlapped && picked == 2);
    kit::String key = "gui." + action.type + "_";
    if (drinkStripSlapped) {
        const char* const keys[] = {"gui.ActionType_Drink_Player_", "gui.ActionType_Special_Strip_",
                                    "gui.ActionType_Special_Slapped_"};
        key = keys[std::min<size_t>(picked, 2)];
    }
    kit::Array<Game::Player*> pool = game->getAffectedPlayers();
    kit::Array<Game::Player*> assigned;
    kit::String text = composeText(key + "Pick1", action, pool, assigned);
    // Of several picks, each says which it is.
    int need = pickCount(action.target);
    if (need > 1) {
        text = kit::format("{%%f %%s} gui.PickerCount {%d} {%d} {", static_cast<int>(picked) + 1, need) +
               text + "}";
    }
    ventrel::menu::Dialog* dialog =
        ventrel::sceneManager->showDialog(PickerDialog, this, this, text, PickerContext);
    if (!dialog) {
        return;
    }
    _offerUndo(dialog);
    const auto& players = game->getPlayers();
    Game::Player* current = game->getCurrentPlayer();
    int count = static_cast<int>(players.size());
    for (int l = 0; l < dialog->getButtonCount(); ++l) {
        kit::String button = "button_dialog_" + kit::toString(l);
        if (l >= count) {
            System::setVisible(dialog, button, false);
            continue;
        }
        const Game::Player* player = players[l];
        System::setVisible(dialog, button, true);
        bool disabled =
            !player->isPlaying() || has(game->getPickedPlayers(), player) || (!selfPick && player == current);
        System::setEnabled(dialog, button, !disabled);
        // Who cannot be picked fades, name and face with the bar.
        if (gui::Object* bar = dialog->getObject(button)) {
            bar->setAlpha(disabled ? 110 : 255);
        }
        System::setImage(dialog, button + "_image", "gui.character_icons/" + player->getCharacter());
        System::setText(dialog, button + "_text", player->getRichName());
        System::showMark(dialog, button + "_mark", player);
    }
    auto* area = dynamic_cast<gui::ScrollArea*>(dialog->getObject("scroll_area"));
    gui::Object* first = dialog->getObject("button_dialog_0");
    gui::Object* third = dialog->getObject("button_dialog_2");
    if (area && first && third && area->getContent()) {
        area->setScrollOffset(quadrix::Vector2(0.0f, 0.0f));
        // Two answers to a row: the rows below the first one.
        int rowsBelow = (count + 1) / 2 - 1;
        area->getContent()->setHeight((third->getY() - first->getY()) * static_cast<float>(rowsBelow) +
                                      first->getHeight());
    }
    dialog->refresh();
}

void Board::_applyChosenAction() {
    System::GameState* game = &System::game();
    Game::Player* current = game->getCurrentPlayer();
    Game::Action action;
    if (!current || !_chosenAction(action)) {
        return;
    }
    Game::Rules::countAnswer(*game, selectedAction);
    Game::Rules::Outcome outcome = Game::Rules::resolve(*game, action);
    _carryOut(outcome);
    if (outcome.landingChanged) {
        // The new field's draws are made and saved at once, so that a game left while the token walks
        // back resumes with the new field's question.
        _prepareLanding();
        _saveProgress();
        landingChanged = true;
        return;
    }
    if (outcome.rollAgain) {
        current->setRollAgain(true);
    }
    if (!action.sound.empty() && audio::manager) {
        audio::manager->play(action.sound);
    }
    game->setPhaseDone(true);
    // Saved with the action carried out: a resumed game does not ask again.
    _saveProgress();
}

// The outcome on the players, with the drinks shown on the bar.
void Board::_carryOut(const Game::Rules::Outcome& outcome) {
    System::GameState* game = &System::game();
    Game::Rules::carryOutMoves(*game, outcome);
    for (const Game::Rules::Sips& sips : outcome.sips) {
        Game::Rules::giveSips(*game, sips, System::waterNoticeLevel(),
                              static_cast<unsigned int>(kit::time()));
        gui->drinkAnimation(sips.player, sips.amount);
    }
    System::TempState* temp = System::tempState();
    if (outcome.tokensJumped && temp) {
        temp->setTokensJumped(true);
    }
}

}  // namespace Scene
