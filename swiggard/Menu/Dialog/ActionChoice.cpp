#include "Menu/Dialog/ActionChoice.h"

namespace Menu::Dialog {

ActionChoice::ActionChoice() : Base("menu/dialog/action_choice", Layout(2).focus(4, 2).withTexts(2)) {}

}  // namespace Menu::Dialog
