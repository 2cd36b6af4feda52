#include "Menu/Dialog/Base.h"

#include <gui/Dataset.h>

namespace Menu::Dialog {

Base::Base(const kit::String& name, const Layout& layout)
    : ventrel::menu::Dialog(name, layout.buttons), textCount(layout.texts) {
    confirmObjectName = layout.confirm;
    cancelObjectName = layout.cancel;
    scaleObjectName = "foreground";
    useShowAnimation = true;
    useHideAnimation = true;
    setAutoFocusMode(layout.focusCount, layout.focusColumns, layout.focusWrap);
}

ventrel::system::Contract Base::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    ventrel::system::Contract contract = Dialog::getContract();
    contract.add({"root", Kind::Object}).add({"foreground", Kind::Object});
    if (textCount > 0) {
        contract.add({"text_dialog_%d", Kind::Label, 0, textCount - 1});
    }
    return contract;
}

// A question opens with nothing of the last one's focus: the keys and the controller start on its
// first answer.
void Base::show() {
    for (const char* button : {"button_undo", "button_redo"}) {
        if (gui::Object* object = getObject(button)) {
            object->setVisible(false);
        }
    }
    if (getDataset()) {
        getDataset()->removeFocus();
    }
    Dialog::show();
}

void Base::_setupCallbacks() {
    Dialog::_setupCallbacks();
    for (const char* button : {"button_undo", "button_redo"}) {
        if (dataset && dataset->hasObject(button)) {
            bind(button, &Base::_buttonUndo);
        }
    }
}

// Like an answer: the dialog goes and its caller hears which way to go.
bool Base::_buttonUndo(gui::Object* object) {
    hide();
    _releaseInputState();
    if (caller) {
        caller->dialogResult(getName(), object->getName() == "button_undo" ? UndoAnswer : RedoAnswer,
                             context);
    }
    return true;
}

}  // namespace Menu::Dialog
