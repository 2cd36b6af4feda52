#pragma once

#include "Menu/Dialog/Base.h"

namespace Menu::Dialog {

// The one action of a field, shown as its card; the card and "button_ok" both answer 0.
class ActionSelect : public Base {
public:
    ActionSelect();

    ventrel::system::Contract getContract() const override;

protected:
    void _setupCallbacks() override;
    bool _buttonOk(gui::Object* object);
};

}  // namespace Menu::Dialog
