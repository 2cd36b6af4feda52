#include "Menu/InGame/Gui.h"

#include <gui/Gui.h>
#include <gui/Label.h>
#include <kit/Format.h>
#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/SceneManager.h>

#include <cmath>

#include "Game/Player.h"
#include "System/Core.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/Objects.h"
#include "System/TempState.h"

namespace Menu::InGame {

namespace {

constexpr unsigned char OutAlpha = 96;

bool isPlanets() {
    System::GameState* game = &System::game();
    return game->getBoardLayout() == System::GameState::BoardLayout::Planets;
}

// The bar counts what the player drinks now: alcohol, or the water of a water drinker.
int shownSips(const Game::Player& player) {
    return player.drinksAlcohol() ? player.getDrinks() : player.getWaterSips();
}

}  // namespace

Gui::Gui(ventrel::system::Context* owner) : Base(owner, "menu/ingame/gui") {
    cancelObjectName = "button_menu";
    setAutoFocusMode(5, 5, false);
}

ventrel::system::Contract Gui::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    ventrel::system::Contract contract = Base::getContract();
    for (const char* button : {"button_menu", "button_dice", "button_overview", "button_motd_cancel"}) {
        contract.add({button, Kind::Button});
    }
    for (const char* object : {"button_dice_back", "button_menu_back", "button_overview_back",
                               "container_menu", "tutorial", "container_motd", "container_rotation_hide_0",
                               "container_rotation_hide_1", "panel_current_player"}) {
        contract.add({object, Kind::Object});
    }
    for (const char* label : {"label_current_player", "label_time", "label_motd"}) {
        contract.add({label, Kind::Label});
    }
    return contract.add({"label_drinks_%d", Kind::Label, 0, PlayerSlots - 1})
        .add({"label_drinks_name_%d", Kind::Label, 0, PlayerSlots - 1})
        .add({"label_drinks_animation_%d", Kind::Label, 0, PlayerSlots - 1})
        .add({"row_drinks_%d", Kind::Object, 0, PlayerSlots - 1})
        .add({"image_drinks_%d", Kind::ImageBox, 0, PlayerSlots - 1})
        .add({"image_drinks_style_%d", Kind::ImageBox, 0, PlayerSlots - 1})
        .add({"image_drinks_mark_%d", Kind::ImageBox, 0, PlayerSlots - 1})
        .add({"image_current_mark", Kind::ImageBox})
        .add({"button_undo", Kind::Button})
        .add({"button_redo", Kind::Button});
}

// The names and counts are the game's from the first frame, also under a question asked while the
// board is set up, during which the bar is not updated.
void Gui::setup() {
    Base::setup();
    _updatePlayers();
    startMotd(false);
}

void Gui::_setupDataset() {
    Base::_setupDataset();
    _setupPlayers();
    _showTutorialOnce();
    if (isPlanets()) {
        _setupPlanetsButtons();
    }
}

void Gui::_setupPlayers() {
    System::GameState* game = &System::game();
    const auto& players = game->getPlayers();
    for (int i = 0; i < static_cast<int>(players.size()) && i < PlayerSlots; ++i) {
        host::Color color(players[i]->getColor());
        host::Color contrast(players[i]->getContrastColor());
        for (const char* prefix : {"label_drinks_", "label_drinks_name_", "label_drinks_animation_"}) {
            if (auto* label = dynamic_cast<gui::Label*>(getObject(System::slotName(prefix, i)))) {
                label->setTextColor(color);
                label->setBorderColor(contrast);
            }
        }
        System::setVisible(this, System::slotName("row_drinks_", i), true);
        System::setVisible(this, System::slotName("label_drinks_animation_", i), false);
        System::setImage(this, System::slotName("image_drinks_", i),
                         "gui.character_icons/" + players[i]->getCharacter());
    }
}

// The board's hint shows in the first game only: the title's hint set the value to 2 before.
void Gui::_showTutorialOnce() {
    if (System::profile().get("Tutorial") != "2") {
        return;
    }
    System::profile().set("Tutorial", "3");
    System::profile().save();
    System::setVisible(this, "tutorial", true);
}

void Gui::_setupPlanetsButtons() {
    System::setImage(this, "button_overview", "gui.buttons/rotate");
    for (const char* back : {"button_dice_back", "button_menu_back", "button_overview_back"}) {
        System::setVisible(this, back, true);
    }
}

void Gui::refresh() {
    Base::refresh();
    System::TempState* temp = System::tempState();
    int viewMode = temp ? temp->getViewMode() : 1;
    if (!isPlanets()) {
        System::setImage(this, "button_overview",
                         viewMode == 0 ? "gui.buttons/zoom_in" : "gui.buttons/zoom_out");
        // The overview shows the whole board: the turn banner would cover its top row.
        System::setVisible(this, "panel_current_player", viewMode != 0);
        return;
    }
    System::setVisible(this, "container_rotation_hide_0", viewMode == 1);
    System::setVisible(this, "container_rotation_hide_1", viewMode == 1);
    cancelObjectName = viewMode == 1 ? "button_menu" : "button_overview";
    System::setImage(this, "button_overview", viewMode == 0 ? "gui.buttons/cancel" : "gui.buttons/rotate");
}

void Gui::_updateLogic() {
    Base::_updateLogic();
    _updatePlayers();
    _updateMotd();
}

void Gui::_updatePlayers() {
    System::GameState* game = &System::game();
    if (const Game::Player* current = game->getCurrentPlayer()) {
        System::setText(this, "label_current_player", current->getRichName());
        System::showMarkBeside(this, "image_current_mark", "label_current_player", current);
    }
    const auto& players = game->getPlayers();
    for (int i = 0; i < static_cast<int>(players.size()) && i < PlayerSlots; ++i) {
        kit::String name = System::slotName("label_drinks_", i);
        System::setText(this, name, kit::toString(shownSips(*players[i])));
        kit::String badge = System::slotName("image_drinks_style_", i);
        bool plain = players[i]->getStyle() == Game::Player::Style::Drinks;
        System::setVisible(this, badge, !plain);
        if (!plain) {
            System::setImage(this, badge, "gui.gui/badge_" + kit::toLower(players[i]->getStyle().getName()));
        }
        System::setPlainText(this, System::slotName("label_drinks_name_", i), players[i]->getName());
        System::showMark(this, System::slotName("image_drinks_mark_", i), players[i]);
        // A player out of the game fades in the bar as in the list.
        if (gui::Object* row = getObject(System::slotName("row_drinks_", i))) {
            row->setAlpha(players[i]->isPlaying() ? 255 : OutAlpha);
        }
    }
}

void Gui::_updateMotd() {
    float frame = ventrel::sceneManager ? ventrel::sceneManager->getTimeDelta() : 0.0f;
    motdCountdown -= frame;
    if (motdPending || motdCountdown < 0.0f) {
        startMotd(false);
    }
    if (!System::isAnimating(this, "label_motd") && !System::isAnimating(this, "container_motd")) {
        _slideMotdOut();
    }
}

// Once out of view the ticker is hidden, so that its close button can neither be reached by the
// focus nor pressed.
void Gui::_slideMotdOut() {
    gui::Object* container = getObject("container_motd");
    if (!container) {
        return;
    }
    if (container->getY() > -container->getHeight()) {
        container->moveY(-container->getHeight(), 2.0f);
    } else {
        container->setVisible(false);
    }
}

void Gui::draw() {
    System::setText(this, "label_time", System::TempState::currentTimeText());
    Base::draw();
}

void Gui::drinkAnimation(const Game::Player* player, int amount) {
    System::GameState* game = &System::game();
    if (!player) {
        return;
    }
    int index = game->seatOf(player);
    if (index < 0 || index >= PlayerSlots) {
        return;
    }
    auto* count = dynamic_cast<gui::Label*>(getObject(System::slotName("label_drinks_", index)));
    auto* pop = dynamic_cast<gui::Label*>(getObject(System::slotName("label_drinks_animation_", index)));
    if (!count || !pop) {
        return;
    }
    count->setText(kit::toString(shownSips(*player)));
    pop->stopAnimations();
    pop->setVisible(true);
    pop->setText("+" + kit::toString(amount));
    pop->setX(count->getX() + count->getTextWidth());
    pop->setWidth(pop->getTextWidth() * 1.5f);
    pop->resetPivot();
    pop->setAlpha(255);
    pop->setScale(1.0f);
    pop->scale(quadrix::Vector2(2.0f, 2.0f), 2.0f);
    pop->scale(quadrix::Vector2(1.6f, 1.6f), 2.0f, true, 0.25f);
    pop->scale(quadrix::Vector2(1.2f, 1.2f), 2.0f, true, 0.5f);
    pop->fadeAlpha(0, 1.0f, false, 0.75f);
}

void Gui::startMotd(bool requestIfBusy) {
    gui::Object* label = getObject("label_motd");
    if (label && label->isAnimating()) {
        motdPending = motdPending || requestIfBusy;
        return;
    }
    motdPending = false;
    System::Core* core = System::core();
    kit::String message = _chooseMotdLine(System::profile().get("MOTD"));
    if (!label || !core || core->getMotdShowCount() <= 0 || message.empty()) {
        return;
    }
    gui::Object* container = getObject("container_motd");
    if (container) {
        container->setVisible(true);
    }
    if (container && container->getY() != 0.0f && container->getHeight() > 0.0f) {
        container->moveY(0.0f, 2.0f * -container->getY() / container->getHeight());
    }
    System::setText(this, "label_motd", message);
    float parentWidth = label->getParent() ? label->getParent()->getWidth() : root->getWidth();
    auto* text = dynamic_cast<gui::Label*>(label);
    float width = text ? text->getTextWidth() : label->getWidth();
    label->setX(parentWidth + 80.0f);
    label->setWidth(width);
    label->moveX(-width, 160.0f / (parentWidth + width));
    core->setMotdShowCount(core->getMotdShowCount() - 1);
    motdCountdown = MotdInterval;
}

// Lines are "en:Hello"; the player's language first, else the default one.
kit::String Gui::_chooseMotdLine(const kit::String& text) {
    kit::String language =
        gui::getLocalization().empty() ? gui::getDefaultLocalization() : gui::getLocalization();
    kit::Array<kit::String> lines = kit::split(text, "\n");
    for (const kit::String& prefix : {language + ":", gui::getDefaultLocalization() + ":"}) {
        for (const kit::String& line : lines) {
            if (line.rfind(prefix, 0) == 0) {
                return kit::trim(line.substr(prefix.size()));
            }
        }
    }
    return "";
}

}  // namespace Menu::InGame
