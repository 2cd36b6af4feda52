#include "Menu/Settings.h"

#include <gui/EditBox.h>
#include <host/Host.h>
#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/Core.h>

#include "System/Core.h"
#include "System/Globals.h"
#include "System/NightSettings.h"
#include "System/Objects.h"

namespace Menu {

Settings::Settings(ventrel::system::Context* owner)
    : ventrel::menu::Settings(owner, "menu/settings", "menu/dialog/ok", "gui.OkRestartGame", "gui.SettingOn",
                              "gui.SettingOff") {
    confirmObjectName = "button_ok";
    cancelObjectName = "button_ok";
    // The rows' switches and arrows, then OK, stepped through in reading order.
    setAutoFocusMode(18, 1, true);
    for (const char* toggle :
         {"CustomCursor", "Fullscreen", "AutoRoll", "AudioActive", "Phones", "ReadAloud"}) {
        toggleSettings[toggle] = {};
    }
    optionSettings["UnitSystem"].options = {"UnitSystemMetric", "UnitSystemImperial"};
    optionSettings["WaterNotice"].options = System::WaterNoticeOptions;
    for (const char* volume : {"AudioVolume", "MusicVolume", "SoundVolume"}) {
        numericSettings[volume] = {};
    }
}

ventrel::system::Contract Settings::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    ventrel::system::Contract contract = ventrel::menu::Settings::getContract();
    for (const kit::String& key : getSettingKeys()) {
        contract.add({key + "_title", Kind::Label});
    }
    return contract.add({"button_ok", Kind::Button})
        .add({"RideNumber_title", Kind::Label})
        .add({"RideNumber_value", Kind::EditBox});
}

// The glass-of-water levels are figures ("0.05 %"), the same in every language.
kit::String Settings::_getOptionTextKey(const kit::String& optionValue) {
    if (optionValue == "WaterNoticeOff") {
        return offTextKey;
    }
    if (kit::startsWith(optionValue, "WaterNotice")) {
        return "{%s} {0.0" + optionValue.substr(kit::String("WaterNotice").size()) + " %}";
    }
    return "gui." + optionValue;
}

// Stored at once: the cursor and the gains follow; the display mode waits for confirm.
kit::Array<kit::String> Settings::_updateSettings() {
    kit::Array<kit::String> changed = ventrel::menu::Settings::_updateSettings();
    if (ventrel::core && host::window) {
        ventrel::core->onInputModeChanged(host::window->getInputMode());
    }
    System::applyAudioVolumes();
    return changed;
}

void Settings::confirm() {
    _updateSettings();
    _storeRideNumber();
    bool fullscreen = kit::toBool(System::profile().get("Fullscreen"));
    if (host::window && host::window->isFullscreen() != fullscreen) {
        host::window->setFullscreen(fullscreen);
    }
}

void Settings::_setupCallbacks() {
    ventrel::menu::Settings::_setupCallbacks();
    bind("button_ok", &Settings::_ok);
    if (auto* ride = dynamic_cast<gui::EditBox*>(getObject(RideNumberBox))) {
        ride->setAcceptor(System::isRideNumber);
    }
    System::watchEditBox(this, RideNumberBox, [this] { _storeRideNumber(); });
}

void Settings::_refreshSettings() {
    ventrel::menu::Settings::_refreshSettings();
    System::setText(this, RideNumberBox, System::rideNumber());
}

void Settings::_storeRideNumber() {
    kit::String typed = kit::trim(System::getLabelText(this, RideNumberBox));
    if (!System::isRideNumber(typed) || typed == System::rideNumber()) {
        return;
    }
    System::profile().set("RideNumber", typed);
    System::profile().save();
}

void Settings::_ok() {
    confirm();
    hide();
    if (owner) {
        owner->refresh();
    }
}

}  // namespace Menu
