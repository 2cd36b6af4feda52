#include "Menu/Dialog/Ok.h"

namespace Menu::Dialog {

Ok::Ok() : Base("menu/dialog/ok", Layout(1, "button_dialog_0", "button_dialog_0").focus(1, 1)) {}

}  // namespace Menu::Dialog
