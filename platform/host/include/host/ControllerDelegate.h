#pragma once

#include "host/Button.h"

namespace host {

// Receives game-controller buttons (Window::setControllerDelegate). Controllers plugged in while the
// program runs are opened at once.
class ControllerDelegate {
public:
    virtual ~ControllerDelegate() = default;

    virtual void onButtonDown(Button button);
    virtual void onButtonUp(Button button);
};

}  // namespace host
