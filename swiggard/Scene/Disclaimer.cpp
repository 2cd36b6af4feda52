#include "Scene/Disclaimer.h"

#include <ventrel/Ventrel.h>
#include <ventrel/system/Core.h>

#include "System/Navigation.h"
#include "System/Objects.h"

namespace Scene {

Disclaimer::Disclaimer() : Base("scene/disclaimer", "") {
    confirmObjectName = "button_ok";
    cancelObjectName = "button_ok";
    setAutoFocusMode(1, 1, false);
}

ventrel::system::Contract Disclaimer::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    return Base::getContract()
        .add({"button_ok", Kind::Button})
        .add({"label_disclaimer", Kind::Label})
        .add({"label_version", Kind::Label});
}

void Disclaimer::_setupDataset() {
    Base::_setupDataset();
    if (ventrel::core) {
        System::setText(this, "label_version", ventrel::core->getGameVersion().toString(3));
    }
}

void Disclaimer::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_ok", &Disclaimer::_accept);
}

void Disclaimer::_accept() {
    System::goToScene("Scene::Logos");
}

}  // namespace Scene
