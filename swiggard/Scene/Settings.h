#pragma once

#include <ventrel/scene/Base.h>

namespace Menu {
class Settings;
}

namespace Scene {

// The settings from the title: its "button_ok" confirms them and goes back to the title.
class Settings : public ventrel::scene::Base {
public:
    Settings();

    ventrel::system::Contract getContract() const override;

protected:
    Menu::Settings* menu = nullptr;

    void _setupMenus() override;
    void _setupCallbacks() override;
    std::unique_ptr<Base> _createNew() override { return std::make_unique<Settings>(); }
    void _back();
};

}  // namespace Scene
