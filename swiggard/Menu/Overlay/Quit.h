#pragma once

#include <ventrel/menu/Overlay.h>

namespace Menu::Overlay {

// "Quit Swiggard?": yes ends the program, no goes back to where the player was.
class Quit : public ventrel::menu::Overlay {
public:
    Quit();

    ventrel::system::Contract getContract() const override;

protected:
    void _setupCallbacks() override;
    void _quit();
    void _stay();
};

}  // namespace Menu::Overlay
