#pragma once

#include "Menu/Dialog/Base.h"

namespace Menu::Dialog {

// A grid of choices with a cancel button that closes the picker without an answer, so the caller
// keeps what it had.
class Picker : public Base {
public:
    Picker(const kit::String& name, int buttons, int columns, bool wrap);

    ventrel::system::Contract getContract() const override;

protected:
    void _setupCallbacks() override;
    void _cancel();
};

}  // namespace Menu::Dialog
