#include "Menu/Dialog/YesNo.h"

namespace Menu::Dialog {

YesNo::YesNo() : Base("menu/dialog/yes_no", Layout(2, "button_dialog_0", "button_dialog_1").focus(2, 2)) {}

}  // namespace Menu::Dialog
