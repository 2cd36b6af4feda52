#include "Menu/Dialog/Shirt.h"

namespace Menu::Dialog {

Shirt::Shirt() : Base("menu/dialog/shirt", Layout(3, "button_dialog_0", "button_dialog_1")) {}

}  // namespace Menu::Dialog
