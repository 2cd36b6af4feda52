#include "Menu/Localization.h"

#include <fonts/Fonts.h>
#include <gui/Gui.h>
#include <kit/Log.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/SceneManager.h>

#include "System/GameInit.h"
#include "System/Globals.h"

namespace Menu {

Localization::Localization(ventrel::system::Context* owner)
    : ventrel::menu::Localization(owner, "menu/localization") {
    imagePrefix = "gui.flags/";
    containerName = "container_flags";
    cancelObjectName = "button_cancel";
}

void Localization::_setupCallbacks() {
    ventrel::menu::Localization::_setupCallbacks();
    for (const kit::String& language : languages) {
        bind(language, &Localization::_choose);
    }
}

kit::String Localization::_getCurrentLocalization() {
    return System::profile().get("Language");
}

void Localization::_setCurrentLocalization(const kit::String& name) {
    System::profile().set("Language", name);
    System::profile().save();
    if (fonts::renderer) {
        fonts::renderer->destroyAllFonts();
    }
    System::loadFonts();
    System::reloadCatalogue();
}

// Unlike the engine's choice, the current language is loaded again too: its fonts may be the ones
// another language left behind.
bool Localization::_choose(gui::Object* object) {
    const kit::String& name = object->getName();
    kit::Log::write(System::LogTag, "Changing language: " + name);
    auto alias = localizationAliases.find(name);
    gui::setLocalization(alias == localizationAliases.end() ? name : alias->second);
    _setCurrentLocalization(name);
    hide();
    if (ventrel::sceneManager) {
        ventrel::sceneManager->trySceneRefresh();
    }
    // The screen that opened the flags shows the language now in use.
    if (owner) {
        owner->refresh();
    }
    return true;
}

}  // namespace Menu
