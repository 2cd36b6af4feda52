#pragma once

#include "Menu/Dialog/Base.h"

namespace Menu::Dialog {

// The two actions of a field to choose from; the board fills in their pictures and texts.
class ActionChoice : public Base {
public:
    ActionChoice();

    ventrel::system::Contract getContract() const override;
};

}  // namespace Menu::Dialog
