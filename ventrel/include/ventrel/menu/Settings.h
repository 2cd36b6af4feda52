#pragma once

#include <gui/EventArgs.h>
#include <kit/Types.h>

#include "ventrel/menu/Base.h"
#include "ventrel/system/BoolSetting.h"
#include "ventrel/system/NumericSetting.h"
#include "ventrel/system/OptionSetting.h"
#include "ventrel/system/ProgressSetting.h"
#include "ventrel/system/ToggleSetting.h"

namespace ventrel::menu {

// Shows and edits player settings stored in the active profile. Each setting is a row of objects
// named by its key and a suffix ("_container", "_increase", "_decrease", "_value", "_progress_bar");
// the setting's type decides which ones the row has and how they react. Subclasses fill the maps
// and restartKeys in their constructor.
class Settings : public Base {
public:
    Settings(system::Context* owner, const kit::String& name, const kit::String& restartDialogName,
             const kit::String& restartTextKey, const kit::String& onTextKey, const kit::String& offTextKey);

    void setup() override;

    // Keys of all settings, in the order numeric, progress, bool, toggle, option, special.
    kit::Array<kit::String> getSettingKeys() const;
    kit::Array<kit::String> getEnabledSettingKeys() const;
    system::Contract getContract() const override;

    // Context string of the restart notice's dialog.
    static inline const kit::String RestartContext = "Ventrel:Menu:Settings:RestartRequired";

protected:
    bool applyImmediately = true;
    bool restartPending = false;
    kit::String restartTextKey;
    kit::String onTextKey;
    kit::String offTextKey;
    kit::String restartDialogName;
    kit::Map<kit::String, system::NumericSetting> numericSettings;
    kit::Map<kit::String, system::ProgressSetting> progressSettings;
    kit::Map<kit::String, system::BoolSetting> boolSettings;
    kit::Map<kit::String, system::ToggleSetting> toggleSettings;
    kit::Map<kit::String, system::OptionSetting> optionSettings;
    kit::Map<kit::String, system::SpecialSetting> specialSettings;
    kit::Array<kit::String> restartKeys;

    void _setupDataset() override;
    void _setupCallbacks() override;
    // The text key shown for an option's value.
    virtual kit::String _getOptionTextKey(const kit::String& optionValue) = 0;
    // Shows every value in its row.
    virtual void _refreshSettings();
    // Stores every setting in the profile and saves it; returns the keys whose stored value changed.
    virtual kit::Array<kit::String> _updateSettings();

    bool _buttonNumericIncrease(gui::Object* object);
    bool _buttonNumericDecrease(gui::Object* object);
    bool _buttonProgressBarIncrease(gui::Object* object);
    bool _buttonProgressBarDecrease(gui::Object* object);
    bool _buttonBoolChange(gui::Object* object);
    bool _buttonToggleChange(gui::Object* object);
    bool _buttonOptionIncrease(gui::Object* object);
    bool _buttonOptionDecrease(gui::Object* object);
    bool _buttonSpecialIncrease(gui::Object* object);
    bool _buttonSpecialDecrease(gui::Object* object);
    bool _buttonSpecialChange(gui::Object* object);
    void _progressBarSetProgressValue(gui::EventArgs* args);
    // Marks a pending restart, stores the settings when they apply at once, and shows the values.
    void _onSettingChange(const kit::String& key);

private:
    void _loadSettings();
    bool _hasObjects(const kit::String& key, std::initializer_list<const char*> suffixes) const;
    void _setLabelText(const kit::String& name, const kit::String& text);
    void _setLabelTextKey(const kit::String& name, const kit::String& key);
    void _setProgress(const kit::String& name, float value);
};

}  // namespace ventrel::menu
