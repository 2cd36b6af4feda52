#pragma once

#include <kit/Format.h>
#include <ventrel/Ventrel.h>
#include <ventrel/scene/Base.h>
#include <ventrel/system/SceneManager.h>
#include <ventrel/system/TransitionManager.h>

#include "PanelMenu.h"

namespace demo {

// The first scene: "Ask" opens the yes/no dialog; yes switches to the logo show through the curtain.
class MenuScene : public ventrel::scene::Base {
public:
    static inline const kit::String AskContext = "Demo:ShowLogos";

    MenuScene() : Base("demo/menu", "") { confirmObjectName = "button_ask"; }

    void dialogResult(const kit::String& dialog, int button, const kit::String& context) override {
        Base::dialogResult(dialog, button, context);
        if (context != AskContext) {
            return;
        }
        panel->setAnswer(button == 0 ? "Yes: on to the logos" : "No: ask again");
        if (button == 0) {
            ventrel::transitionManager->activate(0, 0.5f, 0.5f, false);
            ventrel::sceneManager->switchScene("Scene::Logos");
        }
    }

protected:
    PanelMenu* panel = nullptr;

    void _setupMenus() override { panel = _registerMenu(std::make_unique<PanelMenu>(this)); }
    void _setupCallbacks() override { bind("button_ask", &MenuScene::_buttonAsk); }
    std::unique_ptr<Base> _createNew() override { return std::make_unique<MenuScene>(); }

    bool _buttonAsk(gui::Object*) {
        ventrel::sceneManager->showDialog("demo/dialog", this, this, "", AskContext);
        return true;
    }
};

}  // namespace demo
