#include "Menu/Overlay/Notification.h"

#include <audio/Manager.h>
#include <gui/Label.h>

#include "System/Globals.h"
#include "System/TempState.h"

namespace Menu::Overlay {

namespace {

// Room around the text inside the banner.
constexpr float Padding = 24.0f;

}  // namespace

Notification::Notification() : Overlay("menu/overlay/notification") {
    // The banner never takes input from the screen below.
    alwaysModal = false;
}

ventrel::system::Contract Notification::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    return Overlay::getContract().add({"container", Kind::Object}).add({"text", Kind::Label});
}

void Notification::_updateLogic() {
    Overlay::_updateLogic();
    gui::Object* container = getObject("container");
    if (!container || container->isAnimating() || !System::tempState()) {
        return;
    }
    System::Notification next = System::tempState()->popNotification();
    if (!next.textKey.empty()) {
        _show(next.textKey, next.sound);
    }
}

void Notification::_show(const kit::String& textKey, const kit::String& sound) {
    gui::Object* container = getObject("container");
    auto* text = dynamic_cast<gui::Label*>(getObject("text"));
    if (!container || !text || !root) {
        return;
    }
    if (!isVisible()) {
        instantShow();
    }
    text->setTextKey(textKey);
    quadrix::Rectangle textRect = text->getRect();
    textRect.h = text->getTextHeight();
    text->setRect(textRect);
    quadrix::Rectangle rect = container->getRect();
    rect.h = textRect.h + 2.0f * Padding;
    float bottom = root->getRect().h;
    rect.y = bottom;
    container->setRect(rect);
    container->moveY(bottom - rect.h, SlideSpeed);
    container->moveY(bottom, SlideSpeed, true, ShowTime);
    if (!sound.empty() && audio::manager) {
        audio::manager->play(sound);
    }
}

}  // namespace Menu::Overlay
