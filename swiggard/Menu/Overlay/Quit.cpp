#include "Menu/Overlay/Quit.h"

#include <ventrel/Ventrel.h>
#include <ventrel/system/Core.h>

namespace Menu::Overlay {

Quit::Quit() : Overlay("menu/overlay/quit") {
    confirmObjectName = "button_yes";
    cancelObjectName = "button_no";
    scaleObjectName = "foreground";
    useShowAnimation = true;
    setAutoFocusMode(2, 2, false);
}

ventrel::system::Contract Quit::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    return Overlay::getContract()
        .add({"foreground", Kind::Object})
        .add({"button_yes", Kind::Button})
        .add({"button_no", Kind::Button});
}

void Quit::_setupCallbacks() {
    Overlay::_setupCallbacks();
    bind("button_yes", &Quit::_quit);
    bind("button_no", &Quit::_stay);
}

void Quit::_quit() {
    if (ventrel::core) {
        ventrel::core->exitGame();
    }
}

void Quit::_stay() {
    hide();
}

}  // namespace Menu::Overlay
