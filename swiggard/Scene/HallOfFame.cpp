#include "Scene/HallOfFame.h"

#include "Menu/HallOfFame.h"

namespace Scene {

HallOfFame::HallOfFame() : Base("scene/hall_of_fame", "title") {}

void HallOfFame::_setupMenus() {
    _registerMenu(std::make_unique<Menu::HallOfFame>(this));
}

}  // namespace Scene
