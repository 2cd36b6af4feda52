#pragma once

#include <ventrel/menu/Dialog.h>

namespace Menu::Dialog {

// What every dialog of the game shares: a dim full-screen root, a "foreground" panel that pops in
// and out, numbered answer buttons with their confirm and cancel keys, a focus grid for keyboard and
// controller, and the labels "text_dialog_0" ... that the caller's texts go into.
class Base : public ventrel::menu::Dialog {
public:
    // The answer buttons with the objects the confirm and cancel keys press ("" for none), the focus
    // grid (slots, columns, whether moving past an edge wraps around; none by default) and the number
    // of text labels.
    struct Layout {
        explicit Layout(int buttons, const kit::String& confirm = "", const kit::String& cancel = "")
            : buttons(buttons), confirm(confirm), cancel(cancel) {}
        Layout& focus(int count, int columns, bool wrap = false) {
            focusCount = count;
            focusColumns = columns;
            focusWrap = wrap;
            return *this;
        }
        Layout& withTexts(int count) {
            texts = count;
            return *this;
        }

        int buttons;
        kit::String confirm;
        kit::String cancel;
        int focusCount = 0;
        int focusColumns = 0;
        bool focusWrap = false;
        int texts = 1;
    };

    // The answers of the small undo and redo buttons some questions have ("button_undo",
    // "button_redo"): the caller takes the last answer back, or gives it again. Hidden whenever the
    // dialog shows; the caller shows them.
    static constexpr int UndoAnswer = -2;
    static constexpr int RedoAnswer = -3;

    Base(const kit::String& name, const Layout& layout);

    ventrel::system::Contract getContract() const override;
    void show() override;

protected:
    int textCount;

    void _setupCallbacks() override;
    bool _buttonUndo(gui::Object* object);
};

}  // namespace Menu::Dialog
