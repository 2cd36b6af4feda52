#include "Menu/Dialog/Base.h"

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

}  // namespace Menu::Dialog
