#include "Menu/NewGame.h"

#include <gui/Dataset.h>
#include <gui/EditBox.h>
#include <gui/ScrollArea.h>
#include <kit/Format.h>
#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/menu/Dialog.h>
#include <ventrel/system/SceneManager.h>

#include <algorithm>
#include <cmath>

#include "Game/AlcoTestUnits.h"
#include "Game/Player.h"
#include "Menu/Dialog/PickerCharacter.h"
#include "System/Core.h"
#include "System/DataManager.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/Navigation.h"
#include "System/Objects.h"
#include "System/Phones.h"
#include "System/PlayerNames.h"

namespace Menu {

namespace {

const char* const NameBox = "text_player_name_";
const char* const DeleteButton = "button_player_delete_";
const char* const ColorButton = "button_player_color_";
const char* const ColorImage = "image_player_color_";
const char* const CharacterButton = "button_player_character_";
const char* const CharacterImage = "image_player_character_";
const char* const GenderButton = "button_player_gender_";
const char* const StyleButton = "button_player_style_";
const char* const StomachButton = "button_alco_test_stomach_";
const char* const PermilleBox = "text_alco_test_permille_";
const char* const VolumeBox = "text_alco_test_volume_";
const char* const WeightBox = "text_alco_test_weight_";
const char* const LimitBox = "text_alco_test_limit_";
const kit::String ColorPrefix = "gui.buttons/color_";
const kit::String CharacterPrefix = "gui.character_icons/";
// Room for the focus ring, which reaches 10 units beyond what it surrounds.
constexpr float FocusRingRoom = 16.0f;

// The focus slots of a row: the basic view's seven, and the body-data view's six over the same slots.
const char* const BasicFocus[] = {DeleteButton,
                                  NameBox,
                                  ColorButton,
                                  CharacterButton,
                                  GenderButton,
                                  StyleButton,
                                  "button_player_alco_test_data_"};
const char* const AlcoTestFocus[] = {StomachButton, PermilleBox, VolumeBox,
                                     WeightBox,     LimitBox,    "button_alco_test_back_"};
constexpr int AlcoTestFocusCount = 6;

kit::String withoutPrefix(const kit::String& text, const kit::String& prefix) {
    return kit::startsWith(text, prefix) ? text.substr(prefix.size()) : text;
}

int playerCount() {
    return static_cast<int>(System::game().getPlayers().size());
}

Game::Player* playerAt(int row) {
    return row >= 0 && row < playerCount() ? System::game().getPlayers()[row] : nullptr;
}

}  // namespace

NewGame::NewGame(ventrel::system::Context* owner) : Status(owner, "menu/new_game") {
    setAutoFocusMode(AddPlayerFocus + 1, FocusPerRow, false);
}

ventrel::system::Contract NewGame::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    ventrel::system::Contract contract = Status::getContract();
    for (const char* box : {"text_player_name_%d", "text_alco_test_permille_%d", "text_alco_test_volume_%d",
                            "text_alco_test_weight_%d", "text_alco_test_limit_%d"}) {
        contract.add({box, Kind::EditBox, 0, PlayerSlots - 1});
    }
    for (const char* button : {"button_player_color_%d", "button_player_character_%d"}) {
        contract.add({button, Kind::Button, 0, PlayerSlots - 1});
    }
    return contract.add({"image_player_color_%d", Kind::ImageBox, 0, PlayerSlots - 1})
        .add({"button_add_player", Kind::Button})
        .add({"label_add_player", Kind::Label})
        .add({"container_player_1", Kind::Object})
        .add({"tutorial", Kind::Object});
}

void NewGame::_setupDataset() {
    Status::_setupDataset();
    for (int row = 0; row < PlayerSlots; ++row) {
        _setupRow(row);
    }
    if (gui::Object* add = getObject("button_add_player")) {
        add->setFocusIndex(AddPlayerFocus);
    }
    bool firstVisit = System::profile().get("Tutorial") == "1";
    if (firstVisit) {
        System::profile().set("Tutorial", "2");
        System::profile().save();
    }
    System::setVisible(this, "tutorial", firstVisit);
}

void NewGame::_setupRow(int row) {
    if (auto* name = dynamic_cast<gui::EditBox*>(getObject(System::slotName(NameBox, row)))) {
        name->setEmptyTextKey("{%s %s} gui.Player {" + kit::toString(row + 1) + "}");
        // A name stops where the turn banner would have to cut it.
        name->setAcceptor(System::fitsNameWidth);
    }
    for (int slot = 0; slot < FocusPerRow; ++slot) {
        if (gui::Object* object = getObject(System::slotName(BasicFocus[slot], row))) {
            object->setFocusIndex(FocusPerRow * row + slot);
        }
        if (gui::Object* object =
                slot < AlcoTestFocusCount ? getObject(System::slotName(AlcoTestFocus[slot], row)) : nullptr) {
            object->setFocusIndex(FocusPerRow * row + slot);
        }
    }
    // Leaving a box, by any means, keeps what was typed; typing into one keeps its row in view.
    for (const char* box : {NameBox, PermilleBox, VolumeBox, WeightBox, LimitBox}) {
        System::watchEditBox(this, System::slotName(box, row), [this] {
            collect();
            refresh();
        });
        System::onEditBoxFocus(this, System::slotName(box, row), [this, row] { _showRow(row); });
    }
}

void NewGame::_setupCallbacks() {
    Status::_setupCallbacks();
    bind("button_add_player", &NewGame::_addPlayer);
    for (int row = 0; row < PlayerSlots; ++row) {
        bind(System::slotName(DeleteButton, row), &NewGame::_deletePlayer);
        bind(System::slotName(ColorButton, row), &NewGame::_pickColor);
        bind(System::slotName(CharacterButton, row), &NewGame::_pickCharacter);
        bind(System::slotName(GenderButton, row), &NewGame::_toggleGender);
        bind(System::slotName(StomachButton, row), &NewGame::_stepStomach);
        bind(System::slotName(StyleButton, row), &NewGame::_stepStyle);
    }
}

void NewGame::refresh() {
    int count = playerCount();
    for (int row = 0; row < count && row < PlayerSlots; ++row) {
        const Game::Player* player = playerAt(row);
        const Game::AlcoTestData* data = player->getAlcoTestData();
        System::setImage(this, System::slotName(ColorImage, row), ColorPrefix + player->getColor());
        System::setImage(this, System::slotName(GenderButton, row),
                         "gui.buttons/" + data->getGender().getName());
        System::setImage(this, System::slotName(StomachButton, row),
                         "gui.buttons/" + data->getStomach().getName());
        System::setText(this, System::slotName(LimitBox, row),
                        player->getSipLimit() > 0 ? kit::toString(player->getSipLimit()) : "");
    }
    for (const char* add : {"button_add_player", "label_add_player"}) {
        System::setVisible(this, add, count < System::GameState::MaxPlayers);
    }
    Status::refresh();
}

void NewGame::collect() {
    for (int row = 0; row < playerCount() && row < PlayerSlots; ++row) {
        _collectPlayer(row);
    }
}

void NewGame::_collectPlayer(int row) {
    using Units = Game::AlcoTestUnits;
    Game::Player* player = playerAt(row);
    auto number = [this, row](const char* box) {
        return Units::parseNumber(System::getLabelText(this, System::slotName(box, row)));
    };
    auto units = Units::getUnitSystem();
    player->setName(kit::trim(System::getLabelText(this, System::slotName(NameBox, row))));
    kit::String color = withoutPrefix(System::getImage(this, System::slotName(ColorImage, row)), ColorPrefix);
    if (!color.empty()) {
        player->setColor(color);
    }
    kit::String character =
        withoutPrefix(System::getImage(this, System::slotName(CharacterImage, row)), CharacterPrefix);
    if (!character.empty()) {
        player->setCharacter(character);
    }
    Game::AlcoTestData* data = player->getAlcoTestData();
    data->setPermille(Units::permilleFromPercent(number(PermilleBox)));
    data->setVolume(Units::volumeFromDisplay(number(VolumeBox), units));
    data->setWeight(Units::weightFromDisplay(number(WeightBox), units));
    float limit = std::clamp(number(LimitBox), 0.0f, static_cast<float>(Game::Player::MaxDrinks));
    player->setSipLimit(static_cast<int>(std::lround(limit)));
}

// A row left empty plays as its placeholder ("Player 3"), which the game remembers as such.
void NewGame::fillEmptyNames() {
    for (int row = 0; row < playerCount() && row < PlayerSlots; ++row) {
        auto* name = dynamic_cast<gui::EditBox*>(getObject(System::slotName(NameBox, row)));
        bool empty = name && kit::trim(name->getText()).empty();
        if (empty) {
            name->setText(getText(name->getEmptyTextKey()));
        }
        playerAt(row)->setDefaultNumber(empty ? row + 1 : 0);
    }
}

int NewGame::_rowOf(const gui::Object* button, const kit::String& prefix) const {
    if (!button || !kit::startsWith(button->getName(), prefix)) {
        return -1;
    }
    int row = kit::toInt(button->getName().substr(prefix.size()));
    return playerAt(row) ? row : -1;
}

// The new row comes into view with its name ready to be typed (with a controller, which cannot type,
// its colour focused); the rows above move only as far as needed, so none of them looks deleted.
void NewGame::_addPlayer() {
    collect();
    if (!System::game().addDefaultPlayer()) {
        return;
    }
    refresh();
    int row = playerCount() - 1;
    _showRow(row);
    gui::Object* name = getObject(System::isControllerInUse() ? System::slotName("button_player_color_", row)
                                                              : System::slotName(NameBox, row));
    if (name && getDataset()) {
        getDataset()->setFocusedObject(name);
    }
}

int NewGame::addRow() {
    collect();
    if (!System::game().addDefaultPlayer()) {
        return -1;
    }
    refresh();
    return playerCount() - 1;
}

bool NewGame::applyChoices(int row, const lan::Message& message) {
    collect();
    Game::Player* player = playerAt(row);
    if (!player) {
        return true;
    }
    bool fits = true;
    if (message.name) {
        kit::String name = kit::trim(*message.name);
        while (!name.empty() && !System::fitsNameWidth(name)) {
            kit::eraseLastCharacter(name);
            fits = false;
        }
        player->setName(kit::trim(name));
    }
    const auto& players = System::game().getPlayers();
    auto isFree = [&](PlayerChoice used, const kit::String& entry) {
        return std::none_of(players.begin(), players.end(), [&](const Game::Player* other) {
            return other != player && (other->*used)() == entry;
        });
    };
    if (message.color) {
        for (const kit::String& color : System::dataManager->getColors()) {
            if (kit::toUpper(color.substr(0, 6)) == kit::toUpper(*message.color) &&
                isFree(&Game::Player::getColor, color)) {
                player->setColor(color);
            }
        }
    }
    if (message.character) {
        kit::String character = kit::format("%02d", *message.character);
        const auto& characters = System::dataManager->getCharacters();
        bool known = std::find(characters.begin(), characters.end(), character) != characters.end();
        if (known && System::isCharacterUnlocked(character) &&
            isFree(&Game::Player::getCharacter, character)) {
            player->setCharacter(character);
        }
    }
    Game::AlcoTestData* data = player->getAlcoTestData();
    if (message.gender) {
        data->setGender(*message.gender == "male" ? Game::AlcoTestData::Gender::male
                                                  : Game::AlcoTestData::Gender::female);
    }
    if (message.style) {
        player->setStyle(Game::Player::Style::fromName(*message.style));
    }
    System::applyPhoneBody(message, *data);
    refresh();
    return fits;
}

// Below the last row the list keeps room for the focus ring of its name.
void NewGame::_resizeScrollArea() {
    Status::_resizeScrollArea();
    auto* area = dynamic_cast<gui::ScrollArea*>(getObject("scroll_area"));
    if (area && area->getContent()) {
        area->getContent()->setHeight(area->getContent()->getHeight() + FocusRingRoom);
    }
}

void NewGame::_showRow(int row) {
    auto* area = dynamic_cast<gui::ScrollArea*>(getObject("scroll_area"));
    gui::Object* container = getObject(System::slotName("container_player_", row));
    if (!area || !container) {
        return;
    }
    float top = container->getY();
    float bottom = top + container->getHeight() + FocusRingRoom;
    float offset = area->getScrollOffset().y;
    if (bottom > offset + area->getHeight()) {
        offset = bottom - area->getHeight();
    }
    area->setScrollOffset(quadrix::Vector2(0.0f, std::min(offset, top)));
}

bool NewGame::_deletePlayer(gui::Object* button) {
    collect();
    int row = _rowOf(button, DeleteButton);
    if (row < 0 || System::game().getPlayingPlayers().size() <= System::GameState::MinPlayers) {
        return true;
    }
    System::game().removePlayer(static_cast<size_t>(row));
    refresh();
    return true;
}

bool NewGame::_pickColor(gui::Object* button) {
    collect();
    int row = _rowOf(button, ColorButton);
    if (row >= 0) {
        _showPicker(ColorPicker, ColorContext, row, System::dataManager->getColors(),
                    &Game::Player::getColor);
    }
    return true;
}

bool NewGame::_pickCharacter(gui::Object* button) {
    collect();
    int row = _rowOf(button, CharacterButton);
    if (row >= 0) {
        _showPicker(CharacterPicker, CharacterContext, row, System::dataManager->getCharacters(),
                    &Game::Player::getCharacter);
    }
    return true;
}

// What another player has is not on offer; the row's own choice is.
void NewGame::_showPicker(const kit::String& dialog, const kit::String& context, int row,
                          const kit::Array<kit::String>& entries, PlayerChoice used) {
    ventrel::menu::Dialog* picker =
        ventrel::sceneManager->showDialog(dialog, this, this, "", context + kit::toString(row));
    if (!picker) {
        return;
    }
    const auto& players = System::game().getPlayers();
    for (int index = 0; index < static_cast<int>(entries.size()); ++index) {
        bool taken = std::any_of(players.begin(), players.end(), [&](const Game::Player* other) {
            return other != players[row] && (other->*used)() == entries[index];
        });
        System::setEnabled(picker, System::slotName("button_dialog_", index), !taken);
    }
    picker->refresh();
}

bool NewGame::_toggleGender(gui::Object* button) {
    collect();
    if (Game::Player* player = playerAt(_rowOf(button, GenderButton))) {
        Game::AlcoTestData* data = player->getAlcoTestData();
        data->setGender(data->getGender().next());
        refresh();
    }
    return true;
}

bool NewGame::_stepStomach(gui::Object* button) {
    collect();
    if (Game::Player* player = playerAt(_rowOf(button, StomachButton))) {
        Game::AlcoTestData* data = player->getAlcoTestData();
        data->setStomach(data->getStomach().next());
        refresh();
    }
    return true;
}

// Drinks, Light, Water, Driver and round again.
bool NewGame::_stepStyle(gui::Object* button) {
    collect();
    if (Game::Player* player = playerAt(_rowOf(button, StyleButton))) {
        player->setStyle(player->getStyle().next());
        refresh();
    }
    return true;
}

void NewGame::dialogResult(const kit::String& dialog, int button, const kit::String& context) {
    if (dialog == ColorPicker && kit::startsWith(context, ColorContext)) {
        _choose(context, ColorContext, button);
    } else if (dialog == CharacterPicker && kit::startsWith(context, CharacterContext)) {
        _choose(context, CharacterContext, button);
    } else {
        Status::dialogResult(dialog, button, context);
    }
}

void NewGame::_choose(const kit::String& context, const kit::String& prefix, int answer) {
    Game::Player* player = playerAt(kit::toInt(context.substr(prefix.size())));
    bool color = prefix == ColorContext;
    const kit::Array<kit::String>& entries =
        color ? System::dataManager->getColors() : System::dataManager->getCharacters();
    if (!player || answer < 0 || answer >= static_cast<int>(entries.size())) {
        return;
    }
    const kit::String& chosen = entries[answer];
    if (color) {
        player->setColor(chosen);
    } else if (!System::isCharacterUnlocked(chosen)) {
        ventrel::system::Context* scene = getOwner();
        ventrel::sceneManager->showDialog("menu/dialog/yes_no_cancel", scene, scene,
                                          "gui.YesNoCancelUnlockFBGirl", "Dialog:FbLike");
        return;
    } else {
        player->setCharacter(chosen);
    }
    refresh();
}

}  // namespace Menu
