#include "Scene/CustomCards.h"

#include "Menu/CustomCards.h"

namespace Scene {

CustomCards::CustomCards() : Base("scene/custom_cards", "title") {}

void CustomCards::_setupMenus() {
    _registerMenu(std::make_unique<Menu::CustomCards>(this));
}

}  // namespace Scene
