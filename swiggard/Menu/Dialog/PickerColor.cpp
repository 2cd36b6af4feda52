#include "Menu/Dialog/PickerColor.h"

namespace Menu::Dialog {

PickerColor::PickerColor() : Picker("menu/dialog/picker_color", 14, 5, true) {}

}  // namespace Menu::Dialog
