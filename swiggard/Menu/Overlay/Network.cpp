#include "Menu/Overlay/Network.h"

#include <ventrel/Ventrel.h>
#include <ventrel/scene/Base.h>
#include <ventrel/system/GameState.h>
#include <ventrel/system/SceneManager.h>

namespace Menu::Overlay {

Network::Network() : Overlay("menu/overlay/network") {
    confirmObjectName = "button_ok";
    cancelObjectName = "button_ok";
    scaleObjectName = "foreground";
    setAutoFocusMode(1, 1, false);
}

ventrel::system::Contract Network::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    return Overlay::getContract()
        .add({"foreground", Kind::Object})
        .add({"text", Kind::Label})
        .add({"button_ok", Kind::Button});
}

// Not reported as handled: the click goes on to the screen below in the same frame.
bool Network::_inputCallback(gui::Object* object) {
    if (object && object == getObject("button_ok")) {
        hide();
        if (ventrel::gameState && ventrel::gameState->isRunning() && ventrel::sceneManager &&
            ventrel::sceneManager->getScene()) {
            ventrel::sceneManager->getScene()->refresh();
        }
    }
    return Overlay::_inputCallback(object);
}

}  // namespace Menu::Overlay
