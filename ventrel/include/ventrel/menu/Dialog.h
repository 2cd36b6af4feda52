#pragma once

#include "ventrel/menu/Base.h"

namespace ventrel::menu {

// A modal question with numbered buttons ("button_dialog_0" ...) and texts ("text_dialog_0" ...);
// the pressed button goes back to the screen that asked, through its dialogResult, with the context
// string the dialog was shown with.
class Dialog : public Base {
public:
    Dialog(const kit::String& name, int buttonCount);

    void showAsDialog(system::Context* caller, system::Context* owner,
                      const kit::Array<kit::String>& textKeys, const kit::String& context);
    // Closes at once without an answer, for a screen that goes away while it asks.
    void dismiss();
    int getButtonCount() const { return buttonCount; }
    system::Contract getContract() const override;
    system::Context* getCaller() const { return caller; }
    const kit::String& getContext() const { return context; }

protected:
    system::Context* caller = nullptr;
    int buttonCount;
    kit::String context;

    void _setupCallbacks() override;
    bool _buttonDialog(gui::Object* object);
    void _releaseInputState();
};

}  // namespace ventrel::menu
