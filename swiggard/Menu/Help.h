#pragma once

#include <ventrel/menu/Base.h>

namespace Menu {

// The rules and the kinds of spaces, scrolled by wheel, drag, the arrow and page keys and the
// controller's stick directions; its own "button_ok" closes it (inside the pause menu that leads back
// to the pause menu).
class Help : public ventrel::menu::Base {
public:
    explicit Help(ventrel::system::Context* owner);

    ventrel::system::Contract getContract() const override;
    // The key legend names the buttons of the controller in use.
    void refresh() override;

protected:
    void _setupDatasetAspect() override;
    void _setupCallbacks() override;
    void _updateInput() override;
    void _close();
};

}  // namespace Menu
