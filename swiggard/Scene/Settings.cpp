#include "Scene/Settings.h"

#include "Menu/Settings.h"
#include "System/Navigation.h"

namespace Scene {

Settings::Settings() : Base("scene/settings", "title") {
    cancelObjectName = "button_ok";
    // Its back button joins the settings' focus: Up from the top row reaches it.
    setAutoFocusMode(1, 1, false);
}

ventrel::system::Contract Settings::getContract() const {
    return Base::getContract().add({"button_ok", ventrel::system::Contract::Kind::Button});
}

void Settings::_setupMenus() {
    menu = _registerMenu(std::make_unique<Menu::Settings>(this));
}

// The screen's own button leads back; the menu's, meant for the pause menu, is not needed here.
void Settings::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_ok", &Settings::_back);
    if (gui::Object* menuOk = menu ? menu->getObject("button_ok") : nullptr) {
        menuOk->setVisible(false);
    }
}

void Settings::_back() {
    if (menu) {
        menu->confirm();
    }
    System::goToScene("Scene::Title");
}

}  // namespace Scene
