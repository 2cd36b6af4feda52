#include "Menu/Dialog/Shirt.h"

namespace Menu::Dialog {

Shirt::Shirt() : Base("menu/dialog/shirt", Layout(3, "button_dialog_0", "button_dialog_1").focus(3, 3)) {}

}  // namespace Menu::Dialog
