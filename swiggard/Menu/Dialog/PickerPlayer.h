#pragma once

#include "Menu/Dialog/Base.h"

namespace Menu::Dialog {

// Fourteen player slots to pick a victim from; the board fills in names and pictures.
class PickerPlayer : public Base {
public:
    PickerPlayer();

    ventrel::system::Contract getContract() const override;
};

}  // namespace Menu::Dialog
