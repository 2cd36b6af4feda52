#include "Menu/Dialog/YesNoCancel.h"

namespace Menu::Dialog {

YesNoCancel::YesNoCancel()
    : Base("menu/dialog/yes_no_cancel", Layout(3, "button_dialog_0", "button_dialog_1").focus(3, 3)) {}

}  // namespace Menu::Dialog
