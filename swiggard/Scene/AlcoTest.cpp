#include "Scene/AlcoTest.h"

#include "Menu/AlcoTest.h"

namespace Scene {

AlcoTest::AlcoTest() : Base("scene/alco_test", "title") {}

void AlcoTest::_setupMenus() {
    _registerMenu(std::make_unique<Menu::AlcoTest>(this));
}

}  // namespace Scene
