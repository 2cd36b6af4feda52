#include "Menu/Dialog/ActionSelect.h"

namespace Menu::Dialog {

ActionSelect::ActionSelect() : Base("menu/dialog/action_select", Layout(1, "button_dialog_0").focus(3, 1)) {}

ventrel::system::Contract ActionSelect::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    return Base::getContract()
        .add({"button_ok", Kind::Button})
        .add({"player_name", Kind::Label})
        .add({"image_mark", Kind::ImageBox})
        .add({"image_back_0", Kind::ImageBox})
        .add({"image_0", Kind::ImageBox});
}

void ActionSelect::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_ok", &ActionSelect::_buttonOk);
}

// The same answer as the card itself.
bool ActionSelect::_buttonOk(gui::Object*) {
    return _buttonDialog(getObject("button_dialog_0"));
}

}  // namespace Menu::Dialog
