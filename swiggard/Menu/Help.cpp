#include "Menu/Help.h"

#include <gui/Label.h>

namespace Menu {

Help::Help(ventrel::system::Context* owner) : Base(owner, "menu/help") {
    cancelObjectName = "button_ok";
    setAutoFocusMode(1, 1, false);
}

ventrel::system::Contract Help::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    return Base::getContract()
        .add({"scroll_area", Kind::ScrollArea})
        .add({"container_help_1_2", Kind::Object})
        .add({"label_help_1_2", Kind::Label})
        .add({"button_ok", Kind::Button});
}

// The rules label is as tall as its text in this language, and the scrolled content ends with it.
void Help::_setupDatasetAspect() {
    Base::_setupDatasetAspect();
    auto* label = dynamic_cast<gui::Label*>(getObject("label_help_1_2"));
    gui::Object* container = getObject("container_help_1_2");
    gui::Object* area = getObject("scroll_area");
    if (!label || !container || !area || area->getChildren().empty()) {
        return;
    }
    quadrix::Rectangle rect = label->getRect();
    rect.h = label->getTextHeight();
    label->setRect(rect);
    gui::Object* content = area->getChildren().front();
    quadrix::Rectangle contentRect = content->getRect();
    contentRect.h = rect.h + rect.y + container->getRect().y;
    content->setRect(contentRect);
}

void Help::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_ok", &Help::_close);
}

void Help::_close() {
    hide();
}

}  // namespace Menu
