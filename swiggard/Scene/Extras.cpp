#include "Scene/Extras.h"

#include "Menu/Extras.h"

namespace Scene {

Extras::Extras() : Base("scene/extras", "title") {}

void Extras::_setupMenus() {
    _registerMenu(new Menu::Extras(this));
}

}  // namespace Scene
