#include "Scene/Credits.h"

#include <gui/Label.h>

#include "System/Navigation.h"

namespace Scene {

Credits::Credits() : Base("scene/credits", "title") {
    confirmObjectName = "button_ok";
    cancelObjectName = "button_ok";
    setAutoFocusMode(1, 1, false);
}

ventrel::system::Contract Credits::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    return Base::getContract().add({"label_credits", Kind::Label}).add({"button_ok", Kind::Button});
}

// The label takes its text's height and starts below its frame, then rolls up and out in one pass.
void Credits::_setupDatasetAspect() {
    Base::_setupDatasetAspect();
    auto* label = dynamic_cast<gui::Label*>(getObject("label_credits"));
    if (!label || !label->getParent()) {
        return;
    }
    float frame = label->getParent()->getRect().h;
    quadrix::Rectangle rect = label->getRect();
    rect.h = label->getTextHeight() + 30.0f;
    rect.y = frame;
    label->setRect(rect);
    float distance = (frame + rect.h) * label->getScale().y;
    label->stopAnimations();
    label->moveY(rect.y - distance, RollSpeed / distance);
}

void Credits::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_ok", &Credits::_back);
}

void Credits::_back() {
    System::goToScene("Scene::Title");
}

}  // namespace Scene
