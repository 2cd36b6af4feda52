#include "Menu/Status.h"

#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/SceneManager.h>

#include "Game/AlcoTestUnits.h"
#include "Game/Player.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/Objects.h"
#include "System/Phones.h"

namespace Menu {

namespace {

const char* const AlcoTestButton = "button_player_alco_test_data_";
// What of a row fades while its player is out of the game.
const char* const FadedWhenOut[] = {"image_player_character_",
                                    "image_player_mark_",
                                    "button_player_gender_",
                                    "text_player_name_",
                                    "label_player_drinks_",
                                    "container_player_bac_",
                                    "button_player_alco_test_data_",
                                    "button_player_style_",
                                    "label_player_water_"};
constexpr unsigned char OutAlpha = 96;
const char* const AlcoTestBack = "button_alco_test_back_";
const char* const PhoneButton = "button_player_phone_";

}  // namespace

Status::Status(ventrel::system::Context* owner, const kit::String& name) : Base(owner, name) {}

ventrel::system::Contract Status::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    ventrel::system::Contract contract = Base::getContract();
    contract.add({"scroll_area", Kind::ScrollArea});
    for (const char* object :
         {"container_player_%d", "container_player_basic_%d", "container_alco_test_%d"}) {
        contract.add({object, Kind::Object, 0, PlayerSlots - 1});
    }
    for (const char* button :
         {"button_player_alco_test_data_%d", "button_alco_test_back_%d", "button_player_delete_%d",
          "button_player_gender_%d", "button_alco_test_stomach_%d", "button_player_phone_%d",
          "button_player_style_%d"}) {
        contract.add({button, Kind::Button, 0, PlayerSlots - 1});
    }
    for (const char* label :
         {"text_player_name_%d", "text_alco_test_permille_%d", "text_alco_test_volume_%d",
          "text_alco_test_weight_%d", "label_alco_test_volume_%d", "label_alco_test_weight_%d"}) {
        contract.add({label, Kind::Label, 0, PlayerSlots - 1});
    }
    return contract.add({"image_player_character_%d", Kind::ImageBox, 0, PlayerSlots - 1})
        .add({"image_player_mark_%d", Kind::ImageBox, 0, PlayerSlots - 1});
}

void Status::_setupCallbacks() {
    Base::_setupCallbacks();
    for (int i = 0; i < PlayerSlots; ++i) {
        bind(System::slotName(AlcoTestButton, i), &Status::_showAlcoTest);
        bind(System::slotName(AlcoTestBack, i), &Status::_hideAlcoTest);
        bind(System::slotName(PhoneButton, i), &Status::_askRelease);
    }
}

// The phone's mark frees the row, once the TV has said yes.
bool Status::_askRelease(gui::Object* button) {
    System::GameState* game = &System::game();
    kit::String index = button ? button->getName().substr(kit::String(PhoneButton).size()) : "";
    if (!kit::isInt(index) || kit::toInt(index) >= static_cast<int>(game->getPlayers().size())) {
        return true;
    }
    const Game::Player* player = game->getPlayers()[kit::toInt(index)];
    ventrel::sceneManager->showDialog(ReleaseDialog, this, this,
                                      "{%f} gui.YesNoReleasePhone {" + player->getRichName() + "}",
                                      ReleaseContext + index);
    return true;
}

void Status::dialogResult(const kit::String& dialog, int button, const kit::String& context) {
    System::GameState* game = &System::game();
    if (dialog != ReleaseDialog || !kit::startsWith(context, ReleaseContext)) {
        Base::dialogResult(dialog, button, context);
        return;
    }
    int index = kit::toInt(context.substr(ReleaseContext.size()));
    if (button == 0 && System::phones && index < static_cast<int>(game->getPlayers().size())) {
        System::phones->release(game->getPlayers()[index]);
    }
    refresh();
}

bool Status::_showAlcoTest(gui::Object* button) {
    _showAlcoTestView(button, AlcoTestButton, true);
    return true;
}

bool Status::_hideAlcoTest(gui::Object* button) {
    _showAlcoTestView(button, AlcoTestBack, false);
    return true;
}

void Status::_showAlcoTestView(gui::Object* button, const kit::String& prefix, bool alcoTest) {
    if (!button || !kit::startsWith(button->getName(), prefix)) {
        return;
    }
    kit::String index = button->getName().substr(prefix.size());
    System::setVisible(this, "container_player_basic_" + index, !alcoTest);
    System::setVisible(this, "container_alco_test_" + index, alcoTest);
    if (alcoTest && kit::isInt(index)) {
        _rowOpened(kit::toInt(index));
    }
}

void Status::refresh() {
    System::GameState* game = &System::game();
    int count = static_cast<int>(game->getPlayers().size());
    for (int i = 0; i < PlayerSlots; ++i) {
        if (i < count) {
            _refreshPlayer(i);
        } else {
            System::setVisible(this, System::slotName("container_player_", i), false);
        }
    }
    _resizeScrollArea();
    Base::refresh();
}

void Status::_refreshPlayer(int index) {
    System::GameState* game = &System::game();
    const Game::Player* player = game->getPlayers()[index];
    System::setVisible(this, System::slotName("container_player_", index), true);
    _refreshPresence(index, player->isPlaying());
    auto units = Game::AlcoTestUnits::getUnitSystem();
    bool imperial = units == Game::AlcoTestUnits::UnitSystem::Imperial;
    System::setText(this, System::slotName("label_alco_test_volume_", index), imperial ? "oz" : "ml");
    System::setText(this, System::slotName("label_alco_test_weight_", index), imperial ? "lbs" : "kg");
    System::setImage(this, System::slotName("image_player_character_", index),
                     "gui.character_icons/" + player->getCharacter());
    System::setPlainText(this, System::slotName("text_player_name_", index), player->getName());
    System::showMark(this, System::slotName("image_player_mark_", index), player);
    const Game::AlcoTestData* data = player->getAlcoTestData();
    // A phone's player keeps his body data on the phone; the row shows the phone instead.
    bool phone = player->hasPhone();
    System::setVisible(this, System::slotName(PhoneButton, index), phone);
    System::setImage(this, System::slotName(PhoneButton, index),
                     data->isComplete() ? "gui.buttons/phone_ready" : "gui.buttons/phone");
    System::setVisible(this, System::slotName(AlcoTestButton, index), !phone);
    if (phone) {
        System::setVisible(this, System::slotName("container_player_basic_", index), true);
        System::setVisible(this, System::slotName("container_alco_test_", index), false);
    }
    System::setImage(this, System::slotName("button_player_gender_", index),
                     "gui.buttons/" + data->getGender().getName());
    System::setImage(this, System::slotName("button_player_style_", index),
                     "gui.buttons/style_" + kit::toLower(player->getStyle().getName()));
    System::setImage(this, System::slotName("button_alco_test_stomach_", index),
                     "gui.buttons/" + data->getStomach().getName());
    System::setText(
        this, System::slotName("text_alco_test_permille_", index),
        Game::AlcoTestUnits::formatNumber(Game::AlcoTestUnits::permilleToPercent(data->getPermille())));
    System::setText(
        this, System::slotName("text_alco_test_volume_", index),
        Game::AlcoTestUnits::formatNumber(Game::AlcoTestUnits::volumeToDisplay(data->getVolume(), units)));
    System::setText(this, System::slotName("text_alco_test_weight_", index),
                    Game::AlcoTestUnits::formatWholeNumber(
                        Game::AlcoTestUnits::weightToDisplay(data->getWeight(), units)));
}

// A player taken out shows faded, with a plus that brings him back instead of the cross that takes
// him out; the cross stays only while more than two play.
void Status::_refreshPresence(int index, bool playing) {
    if (!playing) {
        System::setVisible(this, System::slotName("container_player_basic_", index), true);
        System::setVisible(this, System::slotName("container_alco_test_", index), false);
    }
    for (const char* faded : FadedWhenOut) {
        if (gui::Object* object = getObject(System::slotName(faded, index))) {
            object->setAlpha(playing ? 255 : OutAlpha);
        }
    }
    kit::String button = System::slotName("button_player_delete_", index);
    System::setImage(this, button, playing ? "gui.buttons/cancel" : "gui.buttons/plus");
    System::setEnabled(this, button, !playing || System::game().getPlayingPlayers().size() > 2);
}

void Status::_resizeScrollArea() {
    System::GameState* game = &System::game();
    System::fitScrollContent(this, "scroll_area", "container_player_1",
                             static_cast<int>(game->getPlayers().size()));
}

}  // namespace Menu
