#pragma once

#include <ventrel/menu/Settings.h>

namespace Menu {

// The player's settings: cursor, full screen, units, auto-roll, the sound, phones, the level of the
// glass-of-water notice and the taxi number of the end of the night. Sound and cursor changes apply
// at once (the next sound plays at the new gain); the window changes when the settings are confirmed.
class Settings : public ventrel::menu::Settings {
public:
    static inline const kit::String RideNumberBox = "RideNumber_value";

    explicit Settings(ventrel::system::Context* owner);

    ventrel::system::Contract getContract() const override;
    // Stores the settings and switches the window to the chosen display mode.
    void confirm();

protected:
    kit::String _getOptionTextKey(const kit::String& optionValue) override;
    kit::Array<kit::String> _updateSettings() override;
    void _refreshSettings() override;
    void _setupCallbacks() override;
    void _ok();
    void _storeRideNumber();
};

}  // namespace Menu
