#include "Menu/InGame/BacWarning.h"

#include "Game/Player.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/Objects.h"

namespace Menu::InGame {

namespace {

const kit::String GuiMenu = "menu/ingame/gui";

}  // namespace

BacWarning::BacWarning(ventrel::system::Context* owner) : Base(owner, "menu/ingame/bac_warning") {
    confirmObjectName = "button_ok";
    cancelObjectName = "button_ok";
    visibleOnSetup = false;
    useShowAnimation = true;
    useHideAnimation = true;
    setAutoFocusMode(1, 1, false);
}

ventrel::system::Contract BacWarning::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    return Base::getContract()
        .add({"button_ok", Kind::Button})
        .add({"button_ok_full", Kind::Button})
        .add({"banner", Kind::Object})
        .add({"container", Kind::Object})
        .add({"label_name", Kind::Label})
        .add({"image_mark", Kind::ImageBox});
}

void BacWarning::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_ok", &BacWarning::_close);
    bind("button_ok_full", &BacWarning::_close);
}

void BacWarning::refresh() {
    Base::refresh();
    System::GameState* game = &System::game();
    if (const Game::Player* current = game->getCurrentPlayer()) {
        System::setText(this, "label_name", current->getRichName() + "!");
        System::showMark(this, "image_mark", current);
    }
}

void BacWarning::_animateShow() {
    Base::_animateShow();
    float showTime = 1.0f / visibilityAnimationSpeed;
    if (gui::Object* banner = getObject("banner")) {
        banner->setX(-banner->getWidth());
        banner->moveX(0.0f, 2.0f, false, 0.0f);
    }
    if (gui::Object* container = getObject("container")) {
        container->setAlpha(0);
        container->fadeAlpha(255, 2.0f, false, showTime + 0.5f);
    }
}

// Confirming the warning marks the player as warned: a game left while it shows warns again.
void BacWarning::_close() {
    System::GameState* game = &System::game();
    if (Game::Player* current = game->getCurrentPlayer()) {
        current->setWarned(true);
        game->record(Game::GameLog::Kind::Warning, current, current->getEstimate());
    }
    hide();
    if (owner && owner->getMenu(GuiMenu)) {
        owner->getMenu(GuiMenu)->show();
    }
}

// While the warning holds the board, the bar keeps its clock and counts going.
void BacWarning::_updateLogic() {
    Base::_updateLogic();
    if (owner && owner->getModalMenu() == this && owner->getMenu(GuiMenu)) {
        owner->getMenu(GuiMenu)->update();
    }
}

}  // namespace Menu::InGame
