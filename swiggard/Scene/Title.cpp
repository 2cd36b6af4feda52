#include "Scene/Title.h"

#include "Menu/Title.h"

namespace Scene {

Title::Title() : Base("scene/title", "title") {}

void Title::_setupMenus() {
    _registerMenu(std::make_unique<Menu::Title>(this));
}

}  // namespace Scene
