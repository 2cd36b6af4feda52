#include "Menu/InGame/Status.h"

#include <gui/Label.h>
#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/SaveManager.h>
#include <ventrel/system/SceneManager.h>
#include <ctime>

#include "Game/AlcoTestUnits.h"
#include "Game/Player.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/Objects.h"

namespace Menu::InGame {

namespace {

const char* const DeleteButton = "button_player_delete_";
const char* const StyleButton = "button_player_style_";
// The focus slots of a row: style, body data (or back), delete.
constexpr int FocusPerRow = 3;

int rowOf(const gui::Object* button, const char* prefix) {
    kit::String index = button ? button->getName().substr(kit::String(prefix).size()) : "";
    System::GameState* game = &System::game();
    if (!kit::isInt(index) || kit::toInt(index) >= static_cast<int>(game->getPlayers().size())) {
        return -1;
    }
    return kit::toInt(index);
}

// When the game started, short enough for the status list's heading: the time of day for a game of
// today, the date for one resumed on a later day.
kit::String startText(std::time_t start) {
    std::time_t now = std::time(nullptr);
    std::tm started{};
    std::tm today{};
    localtime_r(&start, &started);
    localtime_r(&now, &today);
    bool sameDay = started.tm_year == today.tm_year && started.tm_yday == today.tm_yday;
    char text[32];
    std::strftime(text, sizeof(text), sameDay ? "%H:%M" : "%Y-%m-%d", &started);
    return text;
}

}  // namespace

Status::Status(ventrel::system::Context* owner) : Menu::Status(owner, "menu/ingame/status") {
    // Keys and the pad move along a row and from row to row; past the list, on to the pause menu.
    setAutoFocusMode(FocusPerRow * PlayerSlots, FocusPerRow, false);
}

ventrel::system::Contract Status::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    return Menu::Status::getContract()
        .add({"label_game_start", Kind::Label})
        .add({"container_player_bac_%d", Kind::Object, 0, PlayerSlots - 1})
        .add({"label_player_bac_%d", Kind::Label, 0, PlayerSlots - 1})
        .add({"label_player_drinks_%d", Kind::Label, 0, PlayerSlots - 1})
        .add({"label_player_water_%d", Kind::Label, 0, PlayerSlots - 1});
}

void Status::_setupDataset() {
    Menu::Status::_setupDataset();
    System::GameState* game = &System::game();
    const auto& players = game->getPlayers();
    for (int i = 0; i < static_cast<int>(players.size()) && i < PlayerSlots; ++i) {
        if (auto* name = dynamic_cast<gui::Label*>(getObject(System::slotName("text_player_name_", i)))) {
            name->setTextColor(host::Color(players[i]->getColor()));
            name->setEffect(fonts::Effect::Border);
            name->setBorderColor(host::Color(players[i]->getContrastColor()));
        }
        const std::pair<const char*, int> slots[] = {{StyleButton, 0},
                                                     {"button_player_alco_test_data_", 1},
                                                     {"button_alco_test_back_", 1},
                                                     {DeleteButton, 2}};
        for (const auto& [button, slot] : slots) {
            if (gui::Object* object = getObject(System::slotName(button, i))) {
                object->setFocusIndex(FocusPerRow * i + slot);
            }
        }
    }
}

void Status::_setupCallbacks() {
    Menu::Status::_setupCallbacks();
    for (int i = 0; i < PlayerSlots; ++i) {
        bind(System::slotName(DeleteButton, i), &Status::_askPresence);
        bind(System::slotName(StyleButton, i), &Status::_askStyle);
    }
}

void Status::refresh() {
    System::GameState* game = &System::game();
    if (!game->getPlayers().empty()) {
        unsigned int start = game->getPlayers().front()->getAlcoTestData()->getStartTime();
        System::setTextKey(this, "label_game_start", "{%s %s} gui.GameStarted {" + startText(start) + "}");
        for (int i = 0; i < static_cast<int>(game->getPlayers().size()) && i < PlayerSlots; ++i) {
            _refreshEstimate(i);
        }
    }
    Menu::Status::refresh();
}

void Status::_refreshEstimate(int index) {
    const Game::Player* player = System::game().getPlayers()[index];
    const Game::AlcoTestData* data = player->getAlcoTestData();
    System::setText(this, System::slotName("label_player_drinks_", index),
                    kit::toString(player->getDrinks()));
    System::setText(this, System::slotName("label_player_water_", index),
                    kit::toString(player->getWaterSips()));
    System::setVisible(this, System::slotName("container_player_bac_", index),
                       data->isComplete() && !player->hasPhone());
    System::setEnabled(this, System::slotName("button_player_alco_test_data_", index),
                       player->isPlaying() && data->isComplete());
    if (data->isComplete()) {
        System::setText(this, System::slotName("label_player_bac_", index),
                        Game::AlcoTestUnits::formatEstimate(player->getEstimate()) + " %");
    }
}

// The cross takes a player out, the plus of a player who is out brings him back; both ask first.
bool Status::_askPresence(gui::Object* button) {
    System::GameState* game = &System::game();
    if (!button || !ventrel::sceneManager) {
        return true;
    }
    kit::String index = button->getName().substr(kit::String(DeleteButton).size());
    int player = kit::toInt(index);
    if (player < 0 || player >= static_cast<int>(game->getPlayers().size())) {
        return true;
    }
    const Game::Player* asked = game->getPlayers()[player];
    bool playing = asked->isPlaying();
    kit::String text = kit::String("{%f} gui.") + (playing ? "YesNoPlayerDisable" : "YesNoPlayerEnable") +
                       " {" + asked->getRichName() + "}";
    ventrel::sceneManager->showDialog(DisableDialog, this, this, text,
                                      (playing ? DisableContext : EnableContext) + index);
    return true;
}

void Status::dialogResult(const kit::String& dialog, int button, const kit::String& context) {
    Menu::Status::dialogResult(dialog, button, context);
    if (dialog != DisableDialog || button != 0) {
        return;
    }
    if (kit::startsWith(context, StyleContext) && kit::isInt(context.substr(StyleContext.size()))) {
        _switchStyle(kit::toInt(context.substr(StyleContext.size())));
        return;
    }
    for (const kit::String& prefix : {DisableContext, EnableContext}) {
        kit::String index = kit::startsWith(context, prefix) ? context.substr(prefix.size()) : "";
        if (kit::isInt(index)) {
            _setPlaying(kit::toInt(index), prefix == EnableContext);
        }
    }
}

// Taking out the player whose turn it is passes the turn on at once. A player brought back keeps his
// place and waiting states and plays when the turn next reaches his seat.
void Status::_setPlaying(int index, bool playing) {
    System::GameState* game = &System::game();
    if (index < 0 || index >= static_cast<int>(game->getPlayers().size())) {
        return;
    }
    Game::Player* player = game->getPlayers()[index];
    if (player->isPlaying() == playing || (!playing && game->getPlayingPlayers().size() <= 2)) {
        return;
    }
    player->setPlaying(playing);
    Game::Player* current = game->getCurrentPlayer();
    if (current && !current->isPlaying()) {
        game->nextTurn();
    }
    _save();
}

// Water is one tap away; drinking again only after a question, which also lifts the sip limit that
// may have switched the player.
bool Status::_askStyle(gui::Object* button) {
    int index = rowOf(button, StyleButton);
    if (index < 0 || !ventrel::sceneManager) {
        return true;
    }
    const Game::Player* player = System::game().getPlayers()[index];
    kit::String text = kit::String("{%f} gui.") +
                       (player->drinksAlcohol() ? "YesNoSwitchToWater" : "YesNoBackToDrinking") + " {" +
                       player->getRichName() + "}";
    ventrel::sceneManager->showDialog(DisableDialog, this, this, text, StyleContext + kit::toString(index));
    return true;
}

void Status::_switchStyle(int index) {
    System::GameState* game = &System::game();
    if (index < 0 || index >= static_cast<int>(game->getPlayers().size())) {
        return;
    }
    Game::Player* player = game->getPlayers()[index];
    if (player->drinksAlcohol()) {
        player->setStyle(Game::Player::Style::Water);
    } else {
        player->setStyle(Game::Player::Style::Drinks);
        player->setSipLimit(0);
    }
    _save();
}

void Status::_save() {
    if (ventrel::saveManager) {
        ventrel::saveManager->saveAuto(ventrel::gameState);
    }
    refresh();
}

}  // namespace Menu::InGame
