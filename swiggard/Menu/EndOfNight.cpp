#include "Menu/EndOfNight.h"

#include <kit/Strings.h>
#include <kit/Time.h>

#include "Game/Player.h"
#include "Game/Sobering.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/Navigation.h"
#include "System/NightSettings.h"
#include "System/Objects.h"
#include "System/TempState.h"

namespace Menu {

namespace {

const char* const RowPrefix = "container_night_player_";
const char* const NoFigure = "\u2013";

}  // namespace

EndOfNight::EndOfNight(ventrel::system::Context* owner) : Base(owner, "menu/end_of_night") {
    confirmObjectName = "button_same_players";
    cancelObjectName = "button_title";
    setAutoFocusMode(2, 2, false);
}

ventrel::system::Contract EndOfNight::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    ventrel::system::Contract contract = Base::getContract();
    contract.add({"container_night_player_%d", Kind::Object, 0, PlayerSlots - 1})
        .add({"image_night_character_%d", Kind::ImageBox, 0, PlayerSlots - 1})
        .add({"image_night_style_%d", Kind::ImageBox, 0, PlayerSlots - 1});
    for (const char* label : {"label_night_name_%d", "label_night_sips_%d", "label_night_water_%d",
                              "label_night_now_%d", "label_night_hours_%d"}) {
        contract.add({label, Kind::Label, 0, PlayerSlots - 1});
    }
    return contract.add({"scroll_area", Kind::ScrollArea})
        .add({"label_drivers", Kind::Label})
        .add({"label_ride_number", Kind::Label})
        .add({"label_no_ride", Kind::Label})
        .add({"image_taxi", Kind::ImageBox})
        .add({"button_same_players", Kind::Button})
        .add({"button_title", Kind::Button});
}

void EndOfNight::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_same_players", &EndOfNight::_samePlayers);
    bind("button_title", &EndOfNight::_title);
}

void EndOfNight::refresh() {
    System::GameState* game = System::gameState();
    int count = game ? static_cast<int>(game->getPlayers().size()) : 0;
    auto now = static_cast<unsigned int>(kit::time());
    for (int row = 0; row < PlayerSlots; ++row) {
        System::setVisible(this, System::slotName(RowPrefix, row), row < count);
        if (row < count) {
            _refreshPlayer(row, now);
        }
    }
    System::fitScrollContent(this, "scroll_area", System::slotName(RowPrefix, 1), count);
    _refreshRide();
    Base::refresh();
}

// Without body data there is no estimate to wear off: the figures show a dash.
void EndOfNight::_refreshPlayer(int row, unsigned int now) {
    const Game::Player* player = System::gameState()->getPlayers()[row];
    auto slot = [row](const char* prefix) { return System::slotName(prefix, row); };
    System::setImage(this, slot("image_night_character_"), "gui.character_icons/" + player->getCharacter());
    System::setText(this, slot("label_night_name_"), player->getRichName());
    System::setImage(this, slot("image_night_style_"),
                     "gui.gui/badge_" + kit::toLower(player->getStyle().getName()));
    System::setText(this, slot("label_night_sips_"), kit::toString(player->getDrinks()));
    System::setText(this, slot("label_night_water_"), kit::toString(player->getWaterSips()));
    if (!player->getAlcoTestData()->isComplete()) {
        System::setText(this, slot("label_night_now_"), NoFigure);
        System::setText(this, slot("label_night_hours_"), NoFigure);
        return;
    }
    using Game::Sobering;
    float left = Sobering::estimateAfter(player->getEstimate(),
                                         Sobering::hoursBetween(player->getFirstSipTime(), now));
    System::setText(this, slot("label_night_now_"), Sobering::formatEstimate(left) + " %");
    System::setTextKey(
        this, slot("label_night_hours_"),
        "{%f} gui.EndOfNightHours {" + Sobering::formatHours(Sobering::hoursToZero(left)) + "}");
}

void EndOfNight::_refreshRide() {
    System::GameState* game = System::gameState();
    kit::Array<Game::Player*> driving = game ? game->getPlayers() : kit::Array<Game::Player*>();
    std::erase_if(driving, [](const Game::Player* p) { return !p->isDriver(); });
    kit::String drivers = Game::Player::richNames(driving);
    System::setTextKey(this, "label_drivers",
                       drivers.empty() ? kit::String("gui.EndOfNightNoDriver")
                                       : "{%f} gui.EndOfNightDrivers {" + drivers + "}");
    kit::String ride = System::rideNumber();
    System::setPlainText(this, "label_ride_number", ride);
    System::setVisible(this, "label_ride_number", !ride.empty());
    System::setVisible(this, "label_no_ride", ride.empty());
}

// The new-game screen opens with these players, their styles and body data, and nothing counted.
void EndOfNight::_samePlayers() {
    System::GameState* game = System::gameState();
    System::TempState* temp = System::tempState();
    if (game && temp) {
        game->keepPlayersForNewGame();
        temp->setSamePlayers(true);
    }
    System::goToScene("Scene::NewGame");
}

void EndOfNight::_title() {
    System::goToScene("Scene::Title");
}

}  // namespace Menu
