#include "Scene/Disclaimer.h"

#include "System/Navigation.h"

namespace Scene {

Disclaimer::Disclaimer() : Base("scene/disclaimer", "") {
    confirmObjectName = "button_ok";
    cancelObjectName = "button_ok";
    setAutoFocusMode(1, 1, false);
}

ventrel::system::Contract Disclaimer::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    return Base::getContract().add({"button_ok", Kind::Button}).add({"label_disclaimer", Kind::Label});
}

void Disclaimer::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_ok", &Disclaimer::_accept);
}

void Disclaimer::_accept() {
    System::goToScene("Scene::Logos");
}

}  // namespace Scene
