#pragma once

#include <ventrel/menu/Base.h>

namespace Menu::InGame {

// The warning a player gets once when his estimated blood alcohol runs high: a banner slides in,
// the advice fades in, and any tap or OK goes back to the board's bar.
class BacWarning : public ventrel::menu::Base {
public:
    explicit BacWarning(ventrel::system::Context* owner);

    ventrel::system::Contract getContract() const override;
    void refresh() override;

protected:
    void _setupCallbacks() override;
    void _animateShow() override;
    void _updateLogic() override;
    void _close();
};

}  // namespace Menu::InGame
