#include "Scene/EndOfNight.h"

#include "Menu/EndOfNight.h"

namespace Scene {

EndOfNight::EndOfNight() : Base("scene/end_of_night", "title") {}

void EndOfNight::_setupMenus() {
    _registerMenu(std::make_unique<Menu::EndOfNight>(this));
}

}  // namespace Scene
