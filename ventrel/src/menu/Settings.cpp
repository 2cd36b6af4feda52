#include "ventrel/menu/Settings.h"

#include <gui/Label.h>
#include <gui/MemberCallbackEvent.h>
#include <gui/ProgressBar.h>
#include <gui/ToggleButton.h>
#include <kit/Format.h>
#include <kit/Strings.h>

#include <algorithm>
#include <cmath>

#include "ventrel/Ventrel.h"
#include "ventrel/system/Profile.h"
#include "ventrel/system/ProfileManager.h"
#include "ventrel/system/SceneManager.h"

namespace ventrel::menu {

namespace {

// The setting's key: the object's name without the suffix of its role.
kit::String keyOf(const gui::Object* object, const kit::String& suffix) {
    const kit::String& name = object->getName();
    return kit::endsWith(name, suffix) ? name.substr(0, name.size() - suffix.size()) : name;
}

template <class Setting, class Change>
bool changeSetting(kit::Map<kit::String, Setting>& settings, const kit::String& key, Change change) {
    auto found = settings.find(key);
    if (found == settings.end()) {
        return false;
    }
    change(found->second);
    return true;
}

template <class Settings>
void appendKeys(kit::Array<kit::String>& keys, const Settings& settings, bool enabledOnly) {
    for (const auto& [key, setting] : settings) {
        if (!enabledOnly || setting.enabled) {
            keys.push_back(key);
        }
    }
}

// An option read from the profile that is not offered becomes the first option.
template <class Setting>
void loadOption(Setting& setting, const kit::String& text) {
    setting.value = text;
    bool offered = std::find(setting.options.begin(), setting.options.end(), text) != setting.options.end();
    if (!offered && !setting.options.empty()) {
        setting.value = setting.options.front();
    }
}

kit::String percentText(int value, bool showPercent) {
    return kit::format(showPercent ? "%d%%" : "%d", value);
}

}  // namespace

Settings::Settings(system::Context* owner, const kit::String& name, const kit::String& restartDialogName,
                   const kit::String& restartTextKey, const kit::String& onTextKey,
                   const kit::String& offTextKey)
    : Base(owner, name),
      restartTextKey(restartTextKey),
      onTextKey(onTextKey),
      offTextKey(offTextKey),
      restartDialogName(restartDialogName) {}

void Settings::setup() {
    Base::setup();
    _loadSettings();
    _refreshSettings();
}

kit::Array<kit::String> Settings::getSettingKeys() const {
    kit::Array<kit::String> keys;
    appendKeys(keys, numericSettings, false);
    appendKeys(keys, progressSettings, false);
    appendKeys(keys, boolSettings, false);
    appendKeys(keys, toggleSettings, false);
    appendKeys(keys, optionSettings, false);
    appendKeys(keys, specialSettings, false);
    return keys;
}

kit::Array<kit::String> Settings::getEnabledSettingKeys() const {
    kit::Array<kit::String> keys;
    appendKeys(keys, numericSettings, true);
    appendKeys(keys, progressSettings, true);
    appendKeys(keys, boolSettings, true);
    appendKeys(keys, toggleSettings, true);
    appendKeys(keys, optionSettings, true);
    appendKeys(keys, specialSettings, true);
    return keys;
}

// A profile without a stored value keeps the setting's own default: an empty text would otherwise
// read as 0 (a silent volume, say).
void Settings::_loadSettings() {
    auto stored = [](const kit::String& key, kit::String& text) {
        text = currentProfile().get(key);
        return !text.empty();
    };
    kit::String text;
    for (auto& [key, setting] : numericSettings) {
        if (stored(key, text)) {
            setting.value = kit::toInt(text);
        }
    }
    for (auto& [key, setting] : progressSettings) {
        if (stored(key, text)) {
            setting.value = kit::toFloat(text);
        }
    }
    for (auto& [key, setting] : boolSettings) {
        if (stored(key, text)) {
            setting.value = kit::toBool(text);
        }
    }
    for (auto& [key, setting] : toggleSettings) {
        if (stored(key, text)) {
            setting.value = kit::toBool(text);
        }
    }
    for (auto& [key, setting] : optionSettings) {
        loadOption(setting, currentProfile().get(key));
    }
    for (auto& [key, setting] : specialSettings) {
        loadOption(setting, currentProfile().get(key));
    }
}

system::Contract Settings::getContract() const {
    using Kind = system::Contract::Kind;
    system::Contract contract = Base::getContract();
    auto add = [&contract](const kit::String& key,
                           std::initializer_list<std::pair<const char*, Kind>> parts) {
        for (const auto& [suffix, kind] : parts) {
            contract.add({key + suffix, kind});
        }
    };
    for (const kit::String& key : getSettingKeys()) {
        add(key, {{"_container", Kind::Object}});
    }
    for (const auto& [key, setting] : numericSettings) {
        add(key, {{"_increase", Kind::Button}, {"_decrease", Kind::Button}});
    }
    for (const auto& [key, setting] : progressSettings) {
        add(key, {{"_progress_bar", Kind::ProgressBar}});
    }
    for (const auto& [key, setting] : boolSettings) {
        add(key, {{"_increase", Kind::Button}, {"_decrease", Kind::Button}});
    }
    for (const auto& [key, setting] : toggleSettings) {
        add(key, {{"_value", Kind::ToggleButton}});
    }
    for (const auto& [key, setting] : optionSettings) {
        add(key, {{"_increase", Kind::Button}, {"_decrease", Kind::Button}});
    }
    for (const auto& [key, setting] : specialSettings) {
        add(key, {{"_value", Kind::Object}});
    }
    return contract;
}

void Settings::_setupDataset() {
    Base::_setupDataset();
    kit::Array<kit::String> enabledKeys = getEnabledSettingKeys();
    for (const kit::String& key : getSettingKeys()) {
        gui::Object* container = getObject(key + "_container");
        if (!container) {
            continue;
        }
        container->setVisible(true);
        bool enabled = std::find(enabledKeys.begin(), enabledKeys.end(), key) != enabledKeys.end();
        if (container->isEnabled() != enabled) {
            container->setEnabled(enabled);
        }
    }
}

void Settings::_setupCallbacks() {
    for (const auto& [key, setting] : numericSettings) {
        bind(key + "_increase", &Settings::_buttonNumericIncrease);
        bind(key + "_decrease", &Settings::_buttonNumericDecrease);
    }
    for (const auto& [key, setting] : progressSettings) {
        if (gui::Object* bar = getObject(key + "_progress_bar")) {
            bar->registerEvent(
                gui::Event::SetProgressValue,
                new gui::MemberCallbackEvent<Settings>(this, &Settings::_progressBarSetProgressValue));
        }
        bind(key + "_increase", &Settings::_buttonProgressBarIncrease);
        bind(key + "_decrease", &Settings::_buttonProgressBarDecrease);
    }
    for (const auto& [key, setting] : boolSettings) {
        bind(key + "_increase", &Settings::_buttonBoolChange);
        bind(key + "_decrease", &Settings::_buttonBoolChange);
    }
    for (const auto& [key, setting] : toggleSettings) {
        bind(key + "_value", &Settings::_buttonToggleChange);
    }
    for (const auto& [key, setting] : optionSettings) {
        bind(key + "_increase", &Settings::_buttonOptionIncrease);
        bind(key + "_decrease", &Settings::_buttonOptionDecrease);
    }
    for (const auto& [key, setting] : specialSettings) {
        if (_hasObjects(key, {"_increase", "_decrease"})) {
            bind(key + "_increase", &Settings::_buttonSpecialIncrease);
            bind(key + "_decrease", &Settings::_buttonSpecialDecrease);
        }
        bind(key + "_value", &Settings::_buttonSpecialChange);
    }
}

void Settings::_refreshSettings() {
    for (const auto& [key, setting] : numericSettings) {
        if (setting.useProgressBar) {
            _setProgress(key + "_progress_bar", setting.value * 0.01f);
        } else if (dataset->hasObject(key + "_value")) {
            _setLabelText(key + "_value", percentText(setting.value, setting.showPercent));
        }
    }
    for (const auto& [key, setting] : progressSettings) {
        if (dataset->hasObject(key + "_value")) {
            int percent = static_cast<int>(std::lround(setting.value * 100.0f));
            _setLabelText(key + "_value", percentText(percent, setting.showPercent));
        }
        _setProgress(key + "_progress_bar", setting.value);
    }
    for (const auto& [key, setting] : boolSettings) {
        _setLabelTextKey(key + "_value", setting.value ? onTextKey : offTextKey);
    }
    for (const auto& [key, setting] : toggleSettings) {
        dataset->getObjectAs<gui::ToggleButton>(key + "_value", "ToggleButton")->setToggled(setting.value);
    }
    for (const auto& [key, setting] : optionSettings) {
        _setLabelTextKey(key + "_value", _getOptionTextKey(setting.value));
    }
    for (const auto& [key, setting] : specialSettings) {
        if (_hasObjects(key, {"_increase", "_decrease", "_value"})) {
            _setLabelText(key + "_value", setting.value);
        }
    }
}

kit::Array<kit::String> Settings::_updateSettings() {
    kit::Array<kit::String> changed;
    auto store = [&](const kit::String& key, const kit::String& text) {
        if (currentProfile().set(key, text)) {
            changed.push_back(key);
        }
    };
    for (const auto& [key, setting] : numericSettings) {
        store(key, kit::toString(setting.value));
    }
    for (const auto& [key, setting] : progressSettings) {
        store(key, kit::toString(setting.value));
    }
    for (const auto& [key, setting] : boolSettings) {
        store(key, setting.value ? "1" : "0");
    }
    for (const auto& [key, setting] : toggleSettings) {
        store(key, setting.value ? "1" : "0");
    }
    for (const auto& [key, setting] : optionSettings) {
        store(key, setting.value);
    }
    for (const auto& [key, setting] : specialSettings) {
        store(key, setting.value);
    }
    if (profileManager) {
        profileManager->save();
    }
    if (restartPending) {
        sceneManager->showDialog(restartDialogName, this, this, restartTextKey, RestartContext);
        restartPending = false;
    }
    return changed;
}

bool Settings::_buttonNumericIncrease(gui::Object* object) {
    kit::String key = keyOf(object, "_increase");
    if (changeSetting(numericSettings, key, [](system::NumericSetting& setting) { setting.increase(); })) {
        _onSettingChange(key);
    }
    return true;
}

bool Settings::_buttonNumericDecrease(gui::Object* object) {
    kit::String key = keyOf(object, "_decrease");
    if (changeSetting(numericSettings, key, [](system::NumericSetting& setting) { setting.decrease(); })) {
        _onSettingChange(key);
    }
    return true;
}

bool Settings::_buttonProgressBarIncrease(gui::Object* object) {
    kit::String key = keyOf(object, "_increase");
    if (changeSetting(progressSettings, key, [](system::ProgressSetting& setting) { setting.increase(); })) {
        _onSettingChange(key);
    }
    return true;
}

bool Settings::_buttonProgressBarDecrease(gui::Object* object) {
    kit::String key = keyOf(object, "_decrease");
    if (changeSetting(progressSettings, key, [](system::ProgressSetting& setting) { setting.decrease(); })) {
        _onSettingChange(key);
    }
    return true;
}

bool Settings::_buttonBoolChange(gui::Object* object) {
    kit::String key =
        keyOf(object, kit::endsWith(object->getName(), "_increase") ? "_increase" : "_decrease");
    if (changeSetting(boolSettings, key, [](system::BoolSetting& setting) { setting.change(); })) {
        _onSettingChange(key);
    }
    return true;
}

bool Settings::_buttonToggleChange(gui::Object* object) {
    kit::String key = keyOf(object, "_value");
    if (changeSetting(toggleSettings, key, [](system::ToggleSetting& setting) { setting.change(); })) {
        _onSettingChange(key);
    }
    return true;
}

bool Settings::_buttonOptionIncrease(gui::Object* object) {
    kit::String key = keyOf(object, "_increase");
    if (changeSetting(optionSettings, key, [](system::OptionSetting& setting) { setting.increase(); })) {
        _onSettingChange(key);
    }
    return true;
}

bool Settings::_buttonOptionDecrease(gui::Object* object) {
    kit::String key = keyOf(object, "_decrease");
    if (changeSetting(optionSettings, key, [](system::OptionSetting& setting) { setting.decrease(); })) {
        _onSettingChange(key);
    }
    return true;
}

bool Settings::_buttonSpecialIncrease(gui::Object* object) {
    kit::String key = keyOf(object, "_increase");
    if (changeSetting(specialSettings, key, [](system::SpecialSetting& setting) { setting.increase(); })) {
        _onSettingChange(key);
    }
    return true;
}

bool Settings::_buttonSpecialDecrease(gui::Object* object) {
    kit::String key = keyOf(object, "_decrease");
    if (changeSetting(specialSettings, key, [](system::SpecialSetting& setting) { setting.decrease(); })) {
        _onSettingChange(key);
    }
    return true;
}

bool Settings::_buttonSpecialChange(gui::Object* object) {
    kit::String key = keyOf(object, "_value");
    if (changeSetting(specialSettings, key, [](system::SpecialSetting& setting) { setting.increase(); })) {
        _onSettingChange(key);
    }
    return true;
}

void Settings::_progressBarSetProgressValue(gui::EventArgs* args) {
    auto* bar = dynamic_cast<gui::ProgressBar*>(args->getBaseObject());
    if (!bar) {
        return;
    }
    kit::String key = keyOf(bar, "_progress_bar");
    auto found = progressSettings.find(key);
    if (found == progressSettings.end() || found->second.value == bar->getProgress()) {
        return;
    }
    found->second.value = bar->getProgress();
    _onSettingChange(key);
}

void Settings::_onSettingChange(const kit::String& key) {
    if (!restartTextKey.empty() &&
        std::find(restartKeys.begin(), restartKeys.end(), key) != restartKeys.end()) {
        restartPending = true;
    }
    if (applyImmediately) {
        _updateSettings();
    }
    _refreshSettings();
}

bool Settings::_hasObjects(const kit::String& key, std::initializer_list<const char*> suffixes) const {
    return std::all_of(suffixes.begin(), suffixes.end(),
                       [&](const char* suffix) { return dataset->hasObject(key + suffix); });
}

void Settings::_setLabelText(const kit::String& name, const kit::String& text) {
    dataset->getObjectAs<gui::Label>(name, "Label")->setText(text);
}

void Settings::_setLabelTextKey(const kit::String& name, const kit::String& key) {
    dataset->getObjectAs<gui::Label>(name, "Label")->setTextKey(key);
}

void Settings::_setProgress(const kit::String& name, float value) {
    dataset->getObjectAs<gui::ProgressBar>(name, "ProgressBar")->setProgress(value);
}

}  // namespace ventrel::menu
