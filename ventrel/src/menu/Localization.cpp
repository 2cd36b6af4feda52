#include "ventrel/menu/Localization.h"

#include <gui/Gui.h>
#include <gui/ImageButton.h>
#include <kit/Exception.h>
#include <kit/Log.h>

#include "ventrel/Ventrel.h"
#include "ventrel/system/SceneManager.h"

namespace ventrel::menu {

namespace {

kit::String languageOf(const kit::String& localization) {
    return localization.substr(0, localization.find('_'));
}

}  // namespace

// Modal: while the flags show, every click is theirs, never a button of the screen beneath.
// Modal: while the flags show, every click is theirs, never a button of the screen beneath.
Localization::Localization(system::Context* owner, const kit::String& name) : Base(owner, name) {
    alwaysModal = true;
    visibleOnSetup = false;
}

kit::String Localization::getCurrentLocalizationImageName() {
    kit::String language = languageOf(_getCurrentLocalization());
    if (language.empty()) {
        language = gui::getDefaultLocalization();
    }
    if (language.empty()) {
        language = "en";
    }
    return imagePrefix + language;
}

system::Contract Localization::getContract() const {
    system::Contract contract = Base::getContract();
    contract.add({containerName, system::Contract::Kind::Object});
    if (!cancelObjectName.empty()) {
        contract.add({cancelObjectName, system::Contract::Kind::Button});
    }
    return contract;
}

void Localization::_setupDataset() {
    Base::_setupDataset();
    gui::Object* container = getObject(containerName);
    if (!container) {
        return;
    }
    const kit::Array<kit::String>& localizations = gui::getSupportedLocalizations();
    for (size_t i = 0; i < localizations.size(); ++i) {
        _createButton(container, localizations[i], static_cast<int>(i));
    }
}

// A flag that cannot be shown costs only its picture: the rest of the grid is still built.
void Localization::_createButton(gui::Object* container, const kit::String& localization, int index) {
    try {
        auto* button = new gui::ImageButton(localization);
        container->addChild(button);
        languages.push_back(localization);
        float x = static_cast<float>((index % columns) * (cellWidth + cellSpacing));
        float y = static_cast<float>((index / columns) * (cellHeight + cellSpacing));
        button->setRect(
            quadrix::Rectangle(x, y, static_cast<float>(cellWidth), static_cast<float>(cellHeight)));
        button->setImage(imagePrefix + languageOf(localization));
    } catch (const kit::Exception& e) {
        kit::Log::warn(LogTag, e.what());
    }
}

void Localization::_setupCallbacks() {
    for (const kit::String& language : languages) {
        bind(language, &Localization::_buttonLocalization);
    }
    if (!cancelObjectName.empty()) {
        bind(cancelObjectName, &Localization::_buttonCancel);
    }
}

void Localization::_updateInput() {
    confirmObjectName = _getCurrentLocalization();
    Base::_updateInput();
}

bool Localization::_buttonLocalization(gui::Object* object) {
    const kit::String& name = object->getName();
    if (name != _getCurrentLocalization()) {
        kit::Log::write(LogTag, "Changing language: " + name);
        auto alias = localizationAliases.find(name);
        gui::setLocalization(alias == localizationAliases.end() ? name : alias->second);
        _setCurrentLocalization(name);
    }
    hide();
    if (sceneManager) {
        sceneManager->trySceneRefresh();
    }
    return true;
}

bool Localization::_buttonCancel(gui::Object*) {
    hide();
    return true;
}

}  // namespace ventrel::menu
