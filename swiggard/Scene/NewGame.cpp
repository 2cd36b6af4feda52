#include "Scene/NewGame.h"

#include <gui/Label.h>
#include <kit/Log.h>
#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/SaveManager.h>
#include <ventrel/system/SceneManager.h>

#include "Menu/NewGame.h"
#include "Menu/NewGameOptions.h"
#include "Menu/Phones.h"
#include "System/Core.h"
#include "System/GameInit.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/Navigation.h"
#include "System/Objects.h"
#include "System/Phones.h"
#include "System/TempState.h"

namespace Scene {

namespace {

int profileNumber(const kit::String& key) {
    return kit::toInt(System::profile().get(key));
}

void storeProfileNumber(const kit::String& key, int value) {
    System::profile().set(key, kit::toString(value));
    System::profile().save();
}

}  // namespace

NewGame::NewGame() : Base("scene/new_game", "title") {
    cancelObjectName = "button_cancel";
    setAutoFocusMode(4, 4, false);
}

ventrel::system::Contract NewGame::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    return Base::getContract()
        .add({"button_ok", Kind::Button})
        .add({"button_cancel", Kind::Button})
        .add({"button_options", Kind::Button})
        .add({"button_phones", Kind::Button})
        .add({"label_title", Kind::Label});
}

void NewGame::_setupMenus() {
    newGameMenu = _registerMenu(std::make_unique<Menu::NewGame>(this));
    optionsMenu = _registerMenu(std::make_unique<Menu::NewGameOptions>(this));
    phonesMenu = _registerMenu(std::make_unique<Menu::Phones>(this));
}

void NewGame::setup() {
    System::GameState* game = &System::game();
    System::TempState* temp = System::tempState();
    bool samePlayers = temp && temp->takeSamePlayers() && !game->getPlayers().empty();
    if (!samePlayers) {
        game->clear();
        game->fillDefaultPlayers();
        if (Menu::NewGameOptions::usableCustomCards() > 0) {
            game->setCardSet(System::GameState::CardSet::Mixed);
        }
    }
    Base::setup();
    likeCounter = profileNumber("FbLike") + 1;
    phonesOffered = false;
    refresh();
}

void NewGame::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_ok", &NewGame::_start);
    bind("button_cancel", &NewGame::_cancel);
    bind("button_options", &NewGame::_showOptions);
    bind("button_phones", &NewGame::_showPhones);
}

// Enter and Escape belong to the box while a name or a number is typed. With phones on, the join
// code comes up by itself once the screen takes input.
void NewGame::_startUpdate() {
    Base::_startUpdate();
    if (!phonesOffered && inputAllowed && System::phones && System::phones->isEnabled()) {
        phonesOffered = true;
        _showPhones();
    }
    if (newGameMenu && newGameMenu->isTyping()) {
        inputAllowed = false;
    }
}

void NewGame::refresh() {
    System::GameState* game = &System::game();
    // Once the options were opened, the button names them in full under its own word.
    if (optionsShown) {
        auto text = [this](const kit::String& key, unsigned int value) {
            return getText("gui." + key + kit::toString(value));
        };
        System::setText(
            this, "button_options",
            getText("gui.ButtonOptions") + "\n" + text("BoardLayout", game->getBoardLayout().getValue()) +
                " \u00b7 " + text("FieldSet", game->getFieldSet().getValue()) + " \u00b7 " +
                text("CardSet", game->getCardSet().getValue()) +
                (game->getWaterRounds() > 0 ? " \u00b7 " + text("WaterRounds", game->getWaterRounds())
                                            : kit::String()));
    }
    Base::refresh();
}

void NewGame::_start() {
    newGameMenu->collect();
    if (!promptAnswered) {
        if (likeCounter == PromptEvery) {
            storeProfileNumber("FbLike", 0);
            ventrel::sceneManager->showDialog(PromptDialog, this, this, "gui.YesNoCancelFbLike", LikeContext);
            return;
        }
        storeProfileNumber("FbLike", likeCounter);
    }
    ventrel::sceneManager->showDialog(StartDialog, this, this, "gui.YesNoStartNewGame", StartContext);
}

void NewGame::_cancel() {
    System::goToScene("Scene::Title");
}

void NewGame::_showOptions() {
    optionsShown = true;
    newGameMenu->collect();
    optionsMenu->show();
    optionsMenu->refresh();
    refresh();
}

void NewGame::_showPhones() {
    newGameMenu->collect();
    phonesMenu->show();
    phonesMenu->refresh();
}

void NewGame::dialogResult(const kit::String& dialog, int button, const kit::String& context) {
    if (dialog == StartDialog && context == StartContext) {
        if (button == 0) {
            _startGame();
        }
    } else if (dialog == PromptDialog && context == LikeContext) {
        _answerPrompt(button, "FbLike", "SocialPage", "17");
    } else if (dialog == PromptDialog && context == RateContext) {
        _answerPrompt(button, "RateMe", "GamesPage", "16");
    } else {
        Base::dialogResult(dialog, button, context);
    }
}

// Yes opens the page and unlocks its character; yes and no end the prompt for good, later brings
// it back.
void NewGame::_answerPrompt(int button, const kit::String& key, const kit::String& page,
                            const kit::String& character) {
    promptAnswered = true;
    if (button == 0) {
        System::openConfiguredPage(page);
        System::unlockCharacter(character, true);
    }
    if (button == 0 || button == 2) {
        storeProfileNumber(key, PromptEvery);
    }
}

void NewGame::_startGame() {
    System::GameState* game = &System::game();
    newGameMenu->fillEmptyNames();
    newGameMenu->collect();
    refresh();
    game->setup();
    game->start();
    if (ventrel::saveManager && !ventrel::saveManager->saveAuto(ventrel::gameState)) {
        kit::Log::error(System::LogTag, "The new game could not be saved.");
    }
    System::goToScene("Scene::Board", 0, 2.0f, 2.0f);
}

}  // namespace Scene
