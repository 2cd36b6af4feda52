#include "Menu/Dialog/PickerIcon.h"

namespace Menu::Dialog {

PickerIcon::PickerIcon() : Picker("menu/dialog/picker_icon", 28, 7, true) {}

}  // namespace Menu::Dialog
