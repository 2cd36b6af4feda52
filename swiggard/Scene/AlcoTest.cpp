#include "Scene/AlcoTest.h"

#include "Menu/AlcoTest.h"

namespace Scene {

AlcoTest::AlcoTest() : Base("scene/alco_test", "title") {}

void AlcoTest::_setupMenus() {
    _registerMenu(new Menu::AlcoTest(this));
}

}  // namespace Scene
