#pragma once

#include "Menu/Dialog/Picker.h"

namespace Menu::Dialog {

// The custom-card icons to choose a card's picture from.
class PickerIcon : public Picker {
public:
    PickerIcon();
};

}  // namespace Menu::Dialog
