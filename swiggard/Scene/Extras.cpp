#include "Scene/Extras.h"

#include "Menu/Extras.h"

namespace Scene {

Extras::Extras() : Base("scene/extras", "title") {}

void Extras::_setupMenus() {
    _registerMenu(std::make_unique<Menu::Extras>(this));
}

}  // namespace Scene
