#include "Menu/Overlay/Loading.h"

namespace Menu::Overlay {

Loading::Loading() : Transition(nullptr, "menu/overlay/loading") {
    visibleOnSetup = false;
}

ventrel::system::Contract Loading::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    return Transition::getContract()
        .add({"transition_color", Kind::Object})
        .add({"transition_image", Kind::ImageBox});
}

void Loading::startTransition(int kind, float duration) {
    Transition::startTransition(kind, duration);
    setVisible(true);
    if (gui::Object* color = getObject("transition_color")) {
        color->setVisible(true);
    }
    if (gui::Object* image = getObject("transition_image")) {
        image->setVisible(kind == 0);
    }
    if (root) {
        root->setAlpha(0);
    }
    _fadeRoot(255, duration);
}

void Loading::finishTransition(int kind, float duration) {
    Transition::finishTransition(kind, duration);
    _fadeRoot(0, duration);
}

void Loading::_fadeRoot(unsigned char alpha, float duration) {
    if (!root) {
        return;
    }
    if (duration <= 0.0f) {
        root->fadeAlphaStop();
        root->setAlpha(alpha);
        return;
    }
    root->fadeAlpha(alpha, 1.0f / duration);
}

}  // namespace Menu::Overlay
