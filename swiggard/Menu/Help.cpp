#include "Menu/Help.h"

#include <gui/Label.h>
#include <gui/ScrollArea.h>
#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/Input.h>

#include "System/Navigation.h"
#include "System/Objects.h"

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
        .add({"label_keys", Kind::Label})
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

void Help::refresh() {
    Base::refresh();
    kit::Array<kit::String> names = System::padButtonNames();
    System::setTextKey(this, "label_keys", "{%f} gui.HelpKeysText " + kit::join(names, " "));
}

void Help::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_ok", &Help::_close);
}

// Up and Down scroll a few lines, Page Up and Page Down most of a screen.
void Help::_updateInput() {
    Base::_updateInput();
    auto* area = dynamic_cast<gui::ScrollArea*>(getObject("scroll_area"));
    if (!area || !ventrel::input) {
        return;
    }
    float page = area->getHeight() * 0.8f / gui::ScrollArea::WheelStep;
    const std::pair<host::Key, float> steps[] = {{host::Key::Up, -2.0f},
                                                 {host::Key::Down, 2.0f},
                                                 {host::Key::PageUp, -page},
                                                 {host::Key::PageDown, page}};
    for (const auto& [key, lines] : steps) {
        if (ventrel::input->isKeyTriggered(key)) {
            area->scrollBy(0.0f, lines);
        }
    }
    if (ventrel::input->isButtonTriggered(host::Button::DPadUp)) {
        area->scrollBy(0.0f, -2.0f);
    } else if (ventrel::input->isButtonTriggered(host::Button::DPadDown)) {
        area->scrollBy(0.0f, 2.0f);
    }
}

void Help::_close() {
    hide();
}

}  // namespace Menu
