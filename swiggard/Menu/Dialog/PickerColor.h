#pragma once

#include "Menu/Dialog/Picker.h"

namespace Menu::Dialog {

// The fourteen player colours; the new-game screen disables those other players use.
class PickerColor : public Picker {
public:
    PickerColor();
};

}  // namespace Menu::Dialog
