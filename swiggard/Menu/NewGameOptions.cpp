#include "Menu/NewGameOptions.h"

#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/SceneManager.h>
#include <algorithm>

#include "Game/CustomCard.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/Objects.h"

namespace Menu {

namespace {

using GameState = System::GameState;

}  // namespace

int NewGameOptions::usableCustomCards() {
    return static_cast<int>(Game::CustomCard::loadCustomCards().size());
}

NewGameOptions::NewGameOptions(ventrel::system::Context* owner) : Base(owner, "menu/new_game_options") {
    visibleOnSetup = false;
    alwaysModal = true;
    useShowAnimation = true;
    useHideAnimation = true;
    confirmObjectName = "button_ok";
    cancelObjectName = "button_ok";
    setAutoFocusMode(5, 1, true);
}

ventrel::system::Contract NewGameOptions::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    ventrel::system::Contract contract = Base::getContract();
    for (const char* button :
         {"button_boardlayout", "button_fieldset", "button_cardset", "button_waterrounds", "button_ok"}) {
        contract.add({button, Kind::Button});
    }
    for (const char* label :
         {"label_boardlayout_info", "label_fieldset_info", "label_cardset_info", "label_waterrounds_info"}) {
        contract.add({label, Kind::Label});
    }
    return contract;
}

void NewGameOptions::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_boardlayout", &NewGameOptions::_stepBoardLayout);
    bind("button_fieldset", &NewGameOptions::_stepFieldSet);
    bind("button_cardset", &NewGameOptions::_stepCardSet);
    bind("button_waterrounds", &NewGameOptions::_stepWaterRounds);
    bind("button_ok", &NewGameOptions::_close);
}

void NewGameOptions::_stepBoardLayout() {
    GameState* game = &System::game();
    game->setBoardLayout(game->getBoardLayout().next());
    _refreshAll();
}

void NewGameOptions::_stepFieldSet() {
    GameState* game = &System::game();
    game->setFieldSet(game->getFieldSet().next());
    _refreshAll();
}

// Custom cards only when there are enough of them; a few are mixed in, none leave the set alone.
void NewGameOptions::_stepCardSet() {
    GameState* game = &System::game();
    int usable = usableCustomCards();
    const GameState::CardSet& set = game->getCardSet();
    if (usable == 0) {
        _showMessage("gui.OkNoCustomCards");
    } else if (usable < MinCustomCards) {
        if (set == GameState::CardSet::Classic) {
            game->setCardSet(GameState::CardSet::Mixed);
            _showMessage("{%f} gui.OkNotEnoughCustomCards {" + kit::toString(MinCustomCards) + "}");
        } else if (set == GameState::CardSet::Mixed) {
            game->setCardSet(GameState::CardSet::Classic);
        }
    } else if (set == GameState::CardSet::Classic) {
        game->setCardSet(GameState::CardSet::Custom);
    } else {
        game->setCardSet(set == GameState::CardSet::Custom ? GameState::CardSet::Mixed
                                                           : GameState::CardSet::Classic);
    }
    _refreshAll();
}

// Off, every 5 rounds, every 10 rounds.
void NewGameOptions::_stepWaterRounds() {
    GameState* game = &System::game();
    auto next = std::find(WaterRounds.begin(), WaterRounds.end(), game->getWaterRounds()) + 1;
    game->setWaterRounds(next < WaterRounds.end() ? *next : WaterRounds.front());
    _refreshAll();
}

void NewGameOptions::_showMessage(const kit::String& text) {
    ventrel::sceneManager->showDialog(OkDialog, this, this, text, MessageContext);
}

void NewGameOptions::_close() {
    hide();
}

void NewGameOptions::_refreshAll() {
    if (getOwner()) {
        getOwner()->refresh();
    }
    refresh();
}

void NewGameOptions::refresh() {
    GameState* game = &System::game();
    System::setImage(this, "button_boardlayout", "gui.buttons/bar_360");
    System::setImage(this, "button_cardset", "gui.buttons/bar_360");
    System::setImage(this, "button_waterrounds", "gui.buttons/bar_360");
    System::setTextKey(this, "button_waterrounds", "gui.WaterRounds" + kit::toString(game->getWaterRounds()));
    struct Option {
        const char* button;
        const char* info;
        const char* key;
        unsigned int value;
    } const options[] = {
        {"button_boardlayout", "label_boardlayout_info", "BoardLayout", game->getBoardLayout().getValue()},
        {"button_fieldset", "label_fieldset_info", "FieldSet", game->getFieldSet().getValue()},
        {"button_cardset", "label_cardset_info", "CardSet", game->getCardSet().getValue()},
    };
    for (const Option& option : options) {
        kit::String value = kit::toString(option.value);
        System::setTextKey(this, option.button, kit::String("gui.") + option.key + value);
        System::setTextKey(this, option.info, kit::String("gui.") + option.key + "Info" + value);
    }
    Base::refresh();
}

}  // namespace Menu
