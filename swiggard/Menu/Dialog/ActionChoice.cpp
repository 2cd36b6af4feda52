#include "Menu/Dialog/ActionChoice.h"

namespace Menu::Dialog {

ActionChoice::ActionChoice() : Base("menu/dialog/action_choice", Layout(2).focus(4, 2).withTexts(2)) {}

ventrel::system::Contract ActionChoice::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    return Base::getContract().add({"title", Kind::Label}).add({"image_mark", Kind::ImageBox});
}

}  // namespace Menu::Dialog
