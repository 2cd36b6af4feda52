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

// Each pair is (the current player's share, the other player's share).
constexpr std::pair<int, int> RollAndSplitPairs[] = {{1, 1}, {1, 2}, {2, 1}, {2, 2}, {2, 3}, {3, 2}, {3, 3}};

}  // namespace

kit::Array<Game::Action> Board::_currentActions() const {
    System::GameState* game = System::gameState();
    Game::Player* current = game ? game->getCurrentPlayer() : nullptr;
    if (!current) {
        return {};
    }
    return System::DataManager::getActionsFor(game->findField(current->getFieldId()), current->getGender());
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
    System::GameState* game = System::gameState();
    Game::Player* current = game ? game->getCurrentPlayer() : nullptr;
    if (!current) {
        return;
    }
    game->clearActionPlayers();
    // Only players in the game are drawn: one taken out is not named on a card.
    kit::Array<Game::Player*> others = game->getPlayingPlayers();
    std::erase(others, current);
    game->record(Game::GameLog::Kind::Landing, current, current->getCurrentField() % Game::BoardSize,
                 current->getFieldId());
    game->record(Game::GameLog::Kind::Question, current, static_cast<int>(_currentActions().size()));
    kit::Array<int> rolls;
    for (const Game::Action& action : _currentActions()) {
        if (action.target == "Random" && !others.empty()) {
            game->addAffectedPlayers(
                {others[static_cast<size_t>(game->draw(0, static_cast<int>(others.size())))]});
        }
        if (action.type == "ActionType_Special_RollAndSplit") {
            rolls.push_back(game->draw(0, 7));
        }
    }
    current->setRolls(rolls);
}

std::pair<int, int> Board::rollAndSplitShares() {
    System::GameState* game = System::gameState();
    Game::Player* current = game ? game->getCurrentPlayer() : nullptr;
    if (!current || current->getRolls().empty()) {
        kit::Log::error(System::LogTag, "A roll-and-split without its roll.");
        return {0, 0};
    }
    int roll = std::clamp(current->getRolls().front(), 0, 6);
    auto [own, other] = RollAndSplitPairs[roll];
    return {own * game->getMultiplier(), other * game->getMultiplier()};
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
    System::GameState* game = System::gameState();
    kit::Array<kit::String> arguments;
    if (action.target == "Random" && !pool.empty()) {
        assigned.push_back(pool.front());
        pool.erase(pool.begin());
        arguments.push_back(System::literal(assigned.back()->getRichName()));
    } else if (action.target == "PreviousAction" && !assigned.empty()) {
        arguments.push_back(System::literal(assigned.back()->getRichName()));
    } else if (action.target == "Special" && game) {
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
        int amount = game ? game->getStakedAmount(action) : action.drinks;
        arguments.push_back(System::literal(kit::toString(amount)));
    }
    if (arguments.empty()) {
        return action.rollAgain ? "{%s %s} " + key + " gui.RollAgainText" : key;
    }
    kit::String joined = key + " " + kit::join(arguments, " ");
    return action.rollAgain ? "{%f %s} " + joined + " gui.RollAgainText" : "{%f} " + joined;
}

void Board::_showActionDialog() {
    System::GameState* game = System::gameState();
    Game::Player* current = game ? game->getCurrentPlayer() : nullptr;
    System::setEnabled(gui, "button_dice", false);
    System::setEnabled(gui, "container_menu", false);
    kit::Array<Game::Action> actions = _currentActions();
    if (!current || actions.empty()) {
        kit::Log::error(System::LogTag, "The landing field has no actions; the turn goes on.");
        if (game) {
            game->setPhaseDone(true);
        }
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
    System::GameState* game = System::gameState();
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
    System::GameState* game = System::gameState();
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
    System::GameState* game = System::gameState();
    Game::Player* current = game->getCurrentPlayer();
    Game::Action action;
    if (!current || !_chosenAction(action)) {
        return;
    }
    _countAcceptedChallenge();
    if (action.target == "Player") {
        game->addAffectedPlayers({current});
    } else if (action.target == "Special") {
        if (Game::Player* special = game->drawSpecialTarget(action.type)) {
            game->addAffectedPlayers({special});
        }
    } else if (action.target == "All") {
        game->addAffectedPlayers(game->getPlayingPlayers());
    } else if (action.target == "Female" || action.target == "Male") {
        game->addAffectedPlayers(game->getPlayersOfGender(action.target == "Female"
                                                              ? Game::AlcoTestData::Gender::female
                                                              : Game::AlcoTestData::Gender::male));
    }
    bool applied = true;
    if (kit::startsWith(action.type, "ActionType_Drink_")) {
        applied = _applyDrinkAction(action);
    } else if (kit::startsWith(action.type, "ActionType_Move_")) {
        applied = _applyMoveAction(action);
    } else if (kit::startsWith(action.type, "ActionType_Special_")) {
        applied = _applySpecialAction(action);
    }
    if (!applied) {
        return;
    }
    if (action.rollAgain) {
        current->setRollAgain(true);
    }
    if (!action.sound.empty() && audio::manager) {
        audio::manager->play(action.sound);
    }
    game->setPhaseDone(true);
    // Saved with the action carried out: a resumed game does not ask again.
    _saveProgress();
}

// Taking the first of two choices is taking the challenge, the second refusing it; it counts when it
// is carried out, once, however often the question was asked again.
void Board::_countAcceptedChallenge() {
    System::GameState* game = System::gameState();
    Game::Player* current = game->getCurrentPlayer();
    bool challenge = _currentActions().size() >= 2;
    if (selectedAction == 0 && challenge) {
        current->addAcceptedChallenge();
    }
    using Log = Game::GameLog;
    Log::Answer answer = !challenge ? Log::Answered : selectedAction == 0 ? Log::Accepted : Log::Refused;
    game->record(Log::Kind::Answer, current, selectedAction, answer);
}

bool Board::_applyDrinkAction(const Game::Action& action) {
    System::GameState* game = System::gameState();
    Game::Player* current = game->getCurrentPlayer();
    const kit::String& type = action.type;
    if (type == "ActionType_Drink_Player" && kit::startsWith(action.target, "Pick")) {
        // "Pick a player who drinks": the picked ones drink, not the picker.
        game->setAffectedPlayers({});
    } else if (type == "ActionType_Drink_Player" || type == "ActionType_Drink_Blindfold") {
        game->setAffectedPlayers({current});
    } else if (type == "ActionType_Drink_WithPlayer") {
        game->addAffectedPlayers({current});
    } else if (type == "ActionType_Drink_ExceptPlayer") {
        kit::Array<Game::Player*> others = game->getPlayingPlayers();
        std::erase(others, current);
        game->setAffectedPlayers(others);
    } else if (type == "ActionType_Drink_AllPlayers") {
        if (action.target == "Female" || action.target == "Male") {
            game->setAffectedPlayers(game->getPlayersOfGender(action.target == "Female"
                                                                  ? Game::AlcoTestData::Gender::female
                                                                  : Game::AlcoTestData::Gender::male));
        } else {
            game->setAffectedPlayers(game->getPlayingPlayers());
        }
    }
    int amount = game->getStakedAmount(action);
    for (Game::Player* player : game->getActionPlayers()) {
        _giveDrinks(player, amount);
    }
    return true;
}

bool Board::_applyMoveAction(const Game::Action& action) {
    System::GameState* game = System::gameState();
    Game::Player* current = game->getCurrentPlayer();
    kit::Array<Game::Player*> targets = game->getActionPlayers();
    const kit::String& type = action.type;
    System::TempState* temp = System::tempState();
    if (type == "ActionType_Move_Backwards") {
        for (Game::Player* target : targets) {
            target->moveBy(-action.drinks);
            _recordMove(target);
        }
        // The new field's draws are made and saved at once, so that a game left while the token walks
        // back resumes with the new field's question.
        _prepareLanding();
        _saveProgress();
        landingChanged = true;
        return false;
    }
    if (type == "ActionType_Move_ToStart") {
        for (Game::Player* target : targets) {
            target->moveBy(-target->getCurrentField());
            _recordMove(target);
        }
        if (temp) {
            temp->setTokensJumped(true);
        }
    } else if ((type == "ActionType_Move_Switch" || type == "ActionType_Move_SwitchLast") &&
               !targets.empty()) {
        int difference = targets.front()->getCurrentField() - current->getCurrentField();
        current->moveBy(difference);
        targets.front()->moveBy(-difference);
        _recordMove(current);
        _recordMove(targets.front());
        if (temp) {
            temp->setTokensJumped(true);
        }
    } else if (type == "ActionType_Move_SkipTurn" || type == "ActionType_Move_NextBackwards") {
        auto state = type == "ActionType_Move_SkipTurn" ? Game::Player::State::SkipTurn
                                                        : Game::Player::State::MoveBackwards;
        for (Game::Player* target : targets) {
            target->addState(state, action.drinks);
        }
    }
    return true;
}

bool Board::_applySpecialAction(const Game::Action& action) {
    System::GameState* game = System::gameState();
    kit::Array<Game::Player*> targets = game->getActionPlayers();
    Game::Player* first = targets.empty() ? nullptr : targets.front();
    if (action.type == "ActionType_Special_DrinkStripSlapped" && first) {
        _giveDrinks(first, action.drinks);
    } else if (action.type == "ActionType_Special_RollAndSplit" && first) {
        auto [own, other] = rollAndSplitShares();
        _giveDrinks(game->getCurrentPlayer(), own);
        _giveDrinks(first, other);
    }
    return true;
}

void Board::_giveDrinks(Game::Player* player, int amount) {
    if (!player) {
        return;
    }
    Game::Player::Sips sips =
        player->takeSips(amount, System::waterNoticeLevel(), static_cast<unsigned int>(kit::time()));
    gui->drinkAnimation(player, amount);
    System::GameState* game = System::gameState();
    using Kind = Game::GameLog::Kind;
    if (sips.alcohol > 0) {
        game->record(Kind::Sips, player, sips.alcohol);
    }
    if (sips.water > 0) {
        game->record(Kind::Water, player, sips.water);
    }
    Game::Player* current = game->getCurrentPlayer();
    if (amount > 0 && current && player != current) {
        game->record(Kind::HandOut, current, amount, game->seatOf(player));
    }
}

// A move names the field the token goes to; a backwards move over the start undoes no lap.
void Board::_recordMove(const Game::Player* player) {
    System::GameState* game = System::gameState();
    game->record(Game::GameLog::Kind::Move, player, player->getCurrentField() % Game::BoardSize,
                 player->getFieldId());
    game->recordLaps(player);
}

}  // namespace Scene
