#pragma once

#include <ventrel/menu/Overlay.h>

namespace Menu::Overlay {

// "No connection": closed with its button, after which a running game's screen is refreshed.
class Network : public ventrel::menu::Overlay {
public:
    Network();

    ventrel::system::Contract getContract() const override;

protected:
    bool _inputCallback(gui::Object* object) override;
};

}  // namespace Menu::Overlay
