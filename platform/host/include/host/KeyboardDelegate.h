#pragma once

#include "host/Key.h"

namespace host {

// Receives keyboard events (Window::setKeyboardDelegate). Every handler does nothing by default.
class KeyboardDelegate {
public:
    virtual ~KeyboardDelegate() = default;

    // A key went down. A held key repeats onKeyDown at the system's typing rate (as on Windows);
    // onKeyUp comes once.
    virtual void onKeyDown(Key key);
    virtual void onKeyUp(Key key);
    // A typed character, as its Unicode code point (text input, after the keyboard layout and input
    // method; control keys such as Backspace or Return do not produce characters).
    virtual void onChar(unsigned int charCode);
};

}  // namespace host
