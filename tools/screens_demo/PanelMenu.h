#pragma once

#include <gui/Label.h>
#include <ventrel/menu/Base.h>

namespace demo {

// A strip at the bottom of the menu scene that reports the last answer; it scales in when shown.
class PanelMenu : public ventrel::menu::Base {
public:
    explicit PanelMenu(ventrel::system::Context* owner) : Base(owner, "demo/panel") {
        useShowAnimation = true;
        scaleObjectName = "container_panel";
    }

    void setAnswer(const kit::String& text) {
        dataset->getObjectAs<gui::Label>("label_answer", "Label")->setText(text);
    }
};

}  // namespace demo
