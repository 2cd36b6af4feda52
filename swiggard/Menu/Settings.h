#pragma once

#include <ventrel/menu/Settings.h>

namespace Menu {

// The player's settings: cursor, full screen, units, auto-roll and the sound. Sound and cursor
// changes apply at once (the next sound plays at the new gain); the window changes when the settings
// are confirmed.
class Settings : public ventrel::menu::Settings {
public:
    explicit Settings(ventrel::system::Context* owner);

    ventrel::system::Contract getContract() const override;
    // Stores the settings and switches the window to the chosen display mode.
    void confirm();

protected:
    kit::String _getOptionTextKey(const kit::String& optionValue) override;
    kit::Array<kit::String> _updateSettings() override;
    void _setupCallbacks() override;
    void _ok();
};

}  // namespace Menu
