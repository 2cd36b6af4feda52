#include "Scene/Help.h"

#include "Menu/Help.h"
#include "System/Navigation.h"

namespace Scene {

Help::Help() : Base("scene/help", "title") {
    cancelObjectName = "button_ok";
    // Its back button joins the text's focus: Up from the text reaches it.
    setAutoFocusMode(1, 1, false);
}

ventrel::system::Contract Help::getContract() const {
    return Base::getContract().add({"button_ok", ventrel::system::Contract::Kind::Button});
}

void Help::_setupMenus() {
    menu = _registerMenu(std::make_unique<Menu::Help>(this));
}

// The screen's own button leads back; the menu's, which closes it inside the pause menu, is not
// needed here.
void Help::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_ok", &Help::_back);
    if (gui::Object* menuOk = menu ? menu->getObject("button_ok") : nullptr) {
        menuOk->setVisible(false);
    }
}

void Help::_back() {
    System::goToScene("Scene::Title");
}

}  // namespace Scene
