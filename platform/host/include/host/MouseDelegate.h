#pragma once

#include "host/Key.h"

namespace host {

// Receives mouse events (Window::setMouseDelegate); the buttons are the keys MouseLeft, MouseRight,
// MouseMiddle, MouseX1, MouseX2. The cursor position is Window::getCursorPosition, already updated
// when a handler runs. A single touch is reported here as the left button too (see TouchDelegate).
class MouseDelegate {
public:
    virtual ~MouseDelegate() = default;

    virtual void onMouseDown(Key button);
    virtual void onMouseUp(Key button);
    // The press ended without a release: a second finger turned a touch into a multi-touch gesture.
    virtual void onMouseCancel(Key button);
    virtual void onMouseMove();
    // Scroll wheel steps: positive x to the right, positive y towards the user (content moves up, as
    // screen y grows downwards).
    virtual void onMouseScroll(float x, float y);
};

}  // namespace host
