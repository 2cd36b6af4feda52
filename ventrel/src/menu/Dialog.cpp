#include "ventrel/menu/Dialog.h"

#include <gui/Label.h>
#include <kit/Format.h>
#include <kit/Log.h>
#include <kit/Strings.h>

#include <algorithm>

#include "ventrel/Ventrel.h"
#include "ventrel/system/Input.h"

namespace ventrel::menu {

namespace {

const kit::String ButtonPrefix = "button_dialog_";
const kit::String TextPrefix = "text_dialog_";

}  // namespace

Dialog::Dialog(const kit::String& name, int buttonCount) : Base(nullptr, name), buttonCount(buttonCount) {
    alwaysModal = true;
    visibleOnSetup = false;
}

system::Contract Dialog::getContract() const {
    return Base::getContract().add({ButtonPrefix + "%d", system::Contract::Kind::Button, 0, buttonCount - 1});
}

void Dialog::_setupCallbacks() {
    for (int i = 0; i < buttonCount; ++i) {
        kit::String name = ButtonPrefix + std::to_string(i);
        if (dataset && dataset->hasObject(name)) {
            bind(name, &Dialog::_buttonDialog);
        }
    }
}

void Dialog::showAsDialog(system::Context* caller, system::Context* owner,
                          const kit::Array<kit::String>& textKeys, const kit::String& context) {
    kit::Log::debug(
        LogTag, kit::format("Show dialog: context '%s', caller: '%s', owner '%s'", context.c_str(),
                            caller ? caller->getName().c_str() : "", owner ? owner->getName().c_str() : ""));
    this->owner = owner;
    this->caller = caller;
    this->context = context;
    for (size_t i = 0; i < textKeys.size() && dataset; ++i) {
        dataset->getObjectAs<gui::Label>(TextPrefix + std::to_string(i), "Label")->trySetTextKey(textKeys[i]);
    }
    for (int i = 0; i < buttonCount && dataset; ++i) {
        gui::Object* button = getObject(ButtonPrefix + std::to_string(i));
        button->setVisible(true);
        button->setEnabled(true);
    }
    show();
    if (input) {
        input->addState(context);
    }
}

void Dialog::dismiss() {
    if (!isVisible()) {
        return;
    }
    instantHide();
    _releaseInputState();
    caller = nullptr;
    owner = nullptr;
}

bool Dialog::_buttonDialog(gui::Object* object) {
    kit::String suffix = object->getName().substr(std::min(ButtonPrefix.size(), object->getName().size()));
    int index = -1;
    if (!suffix.empty() && std::all_of(suffix.begin(), suffix.end(), ::isdigit) && suffix.size() < 9) {
        index = std::stoi(suffix);
    }
    if (index < 0 || index >= buttonCount) {
        kit::Log::warn(
            LogTag, kit::format("Button '%s' is not properly named to be assigned as a dialog button in: %s",
                                object->getName().c_str(), rootName.c_str()));
        return true;
    }
    hide();
    _releaseInputState();
    if (caller) {
        caller->dialogResult(getName(), index, context);
    }
    return true;
}

// The input state this dialog pushed is taken back only while it is still on top: a reset of the states
// since (a scene switch) must not cost another screen its own.
void Dialog::_releaseInputState() {
    if (input && input->getCurrentState() == context) {
        input->removeState();
    }
}

}  // namespace ventrel::menu
