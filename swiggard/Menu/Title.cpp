#include "Menu/Title.h"

#include <gui/ImageButton.h>
#include <kit/Strings.h>
#include <ventrel/CfgParser.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/SaveManager.h>
#include <ventrel/system/SceneManager.h>

#include <algorithm>

#include "Menu/Localization.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/Navigation.h"
#include "System/TempState.h"

namespace Menu {

Title::Title(ventrel::system::Context* owner) : TitleBase(owner, "menu/title") {
    cancelObjectName = "button_exit";
    setAutoFocusMode(12, 2, false);
}

ventrel::system::Contract Title::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    ventrel::system::Contract contract = TitleBase::getContract();
    for (const char* button : {"button_resume", "button_play", "button_settings", "button_help",
                               "button_extras", "button_credits", "button_exit", "button_localization"}) {
        contract.add({button, Kind::Button});
    }
    return contract.add({"tutorial", Kind::Object});
}

// The language menu comes before the title's own.
void Title::_setupMenus() {
    localization = _registerMenu(std::make_unique<Localization>(this));
    TitleBase::_setupMenus();
}

void Title::_setupDataset() {
    TitleBase::_setupDataset();
    _placeResume(ventrel::saveManager && ventrel::saveManager->existsAuto());
    // The tutorial's first hint shows once, on the first visit of the title.
    if (System::profile().get("Tutorial") == "0") {
        System::profile().set("Tutorial", "1");
        System::profile().save();
        if (gui::Object* tutorial = getObject("tutorial")) {
            tutorial->setVisible(true);
        }
    }
    if (gui::Object* exit = getObject("button_exit")) {
        exit->setVisible(true);
    }
    if (gui::Object* language = getObject("button_localization")) {
        language->setVisible(_isLocalizationSwitcherOn());
    }
}

// Without a saved game, play takes the middle of the row resume shares with it.
void Title::_placeResume(bool saved) {
    gui::Object* resume = getObject("button_resume");
    gui::Object* play = getObject("button_play");
    if (!resume || !play) {
        return;
    }
    resume->setVisible(saved);
    if (saved) {
        return;
    }
    quadrix::Rectangle rect = play->getRect();
    float left = std::min(resume->getRect().x, rect.x);
    float right = std::max(resume->getRect().right(), rect.right());
    rect.x = left + (right - left - rect.w) * 0.5f;
    play->setRect(rect);
}

void Title::_setupCallbacks() {
    TitleBase::_setupCallbacks();
    bind("button_resume", &Title::_resume);
    bind("button_play", &Title::_play);
    bind("button_settings", &Title::_settings);
    bind("button_help", &Title::_help);
    bind("button_extras", &Title::_extras);
    bind("button_credits", &Title::_credits);
    bind("button_exit", &Title::_exit);
    bind("button_localization", &Title::_language);
}

void Title::refresh() {
    TitleBase::refresh();
    auto* language = dynamic_cast<gui::ImageButton*>(getObject("button_localization"));
    if (language && localization && _isLocalizationSwitcherOn()) {
        language->setImage(localization->getCurrentLocalizationImageName());
    }
}

bool Title::_isLocalizationSwitcherOn() {
    ventrel::CfgParser::Category* system = ventrel::cfg ? ventrel::cfg->getCategory("System") : nullptr;
    return system && kit::toBool(system->get("LocalizationSwitcher"));
}

void Title::_resume() {
    if (System::tempState()) {
        System::tempState()->clear();
    }
    if (!ventrel::gameState || !ventrel::saveManager) {
        return;
    }
    // Read into the game everybody holds; a damaged save leaves it as it was.
    if (!ventrel::saveManager->loadAutoInto(*ventrel::gameState)) {
        return;
    }
    System::game().repair();
    System::goToScene("Scene::Board", 0, 2.0f, 2.0f);
}

// A new game replaces the saved one: asked first when there is one.
void Title::_play() {
    if (ventrel::saveManager && ventrel::saveManager->existsAuto()) {
        ventrel::sceneManager->showDialog(PlayDialog, this, this, "gui.YesNoPlay", PlayContext);
        return;
    }
    System::goToScene("Scene::NewGame");
}

void Title::dialogResult(const kit::String& dialog, int button, const kit::String& context) {
    TitleBase::dialogResult(dialog, button, context);
    if (dialog == PlayDialog && context == PlayContext && button == 0) {
        System::goToScene("Scene::NewGame");
    }
}

void Title::_settings() {
    System::goToScene("Scene::Settings");
}

void Title::_help() {
    System::goToScene("Scene::Help");
}

void Title::_extras() {
    System::goToScene("Scene::Extras");
}

void Title::_credits() {
    System::goToScene("Scene::Credits");
}

void Title::_exit() {
    ventrel::sceneManager->showOverlay("menu/overlay/quit");
}

void Title::_language() {
    if (localization) {
        localization->show();
    }
}

}  // namespace Menu
