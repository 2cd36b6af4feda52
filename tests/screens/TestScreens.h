#pragma once

#include <gui/MemberCallbackEvent.h>
#include <ventrel/menu/Base.h>
#include <ventrel/scene/Base.h>

#include <tuple>

namespace screenstest {

// A sub-menu with one button; records its clicks and logic updates.
class SubMenu : public ventrel::menu::Base {
public:
    explicit SubMenu(ventrel::system::Context* owner) : Base(owner, "menu/sub") {}
    kit::Array<kit::String> clicked;
    int logicUpdates = 0;

protected:
    void _setupCallbacks() override { bind("button_sub", &SubMenu::_buttonSub); }
    void _updateLogic() override {
        ++logicUpdates;
        Base::_updateLogic();
    }
    bool _buttonSub(gui::Object* object) {
        clicked.push_back(object->getName());
        return true;
    }
};

// The scene "scene/main": buttons a, b and c (c preselectable), the sub-menu "menu/sub", and a record
// of clicks, updates and dialog answers.
class MainScene : public ventrel::scene::Base {
public:
    explicit MainScene(const kit::String& name = "scene/main") : Base(name, "") {}

    SubMenu* sub = nullptr;
    kit::Array<kit::String> clicked;
    int logicUpdates = 0;
    int displayUpdates = 0;
    kit::Array<std::tuple<kit::String, int, kit::String>> answers;

    void dialogResult(const kit::String& dialog, int button, const kit::String& context) override {
        answers.emplace_back(dialog, button, context);
    }
    gui::Object* getPreselected() const { return preselected; }

protected:
    void _setupMenus() override {
        if (rootName == "scene/main") {
            sub = _registerMenu(std::make_unique<SubMenu>(this));
        }
    }
    void _setupCallbacks() override {
        if (rootName != "scene/main") {
            return;
        }
        for (const char* name : {"button_a", "button_b", "button_c"}) {
            bind(name, &MainScene::_button);
        }
        preselectableObjects.push_back(getObject("button_c"));
        // Queued and sounding, without a handler.
        gui::Object* plain = getObject("button_plain");
        buttonObjects.push_back(plain);
        plain->registerEvent(gui::Event::Click,
                             new gui::MemberCallbackEvent<Context>(this, &Context::onClick));
    }
    void _updateLogic() override {
        ++logicUpdates;
        Base::_updateLogic();
    }
    void _updateDisplay() override { ++displayUpdates; }
    bool _button(gui::Object* object) {
        clicked.push_back(object->getName());
        return true;
    }
    std::unique_ptr<Base> _createNew() override { return std::make_unique<MainScene>(rootName); }
};

}  // namespace screenstest
