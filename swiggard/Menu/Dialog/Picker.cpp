#include "Menu/Dialog/Picker.h"

namespace Menu::Dialog {

Picker::Picker(const kit::String& name, int buttons, int columns, bool wrap)
    : Base(name, Layout(buttons, "", "button_cancel").focus(buttons, columns, wrap).withTexts(0)) {}

ventrel::system::Contract Picker::getContract() const {
    return Base::getContract().add({"button_cancel", ventrel::system::Contract::Kind::Button});
}

void Picker::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_cancel", &Picker::_cancel);
}

// The input state the showing pushed is taken back, as an answer would.
void Picker::_cancel() {
    hide();
    _releaseInputState();
}

}  // namespace Menu::Dialog
