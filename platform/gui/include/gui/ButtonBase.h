#pragma once

#include "gui/Label.h"

namespace gui {

// The common base of the buttons: a label (a button may carry text) that takes pointer input, shows
// whether the pointer hovers over it or presses it, and raises Event::Click for a press and release
// on it while it is enabled and visible.
class ButtonBase : public Label {
public:
    explicit ButtonBase(const kit::String& name) : Label(name) {}

    bool isInteractive() const override { return true; }
    // The look to show now: disabled, pushed, hovered (only while hover effects are on) or normal.
    enum class Look { Normal, Hover, Pushed, Disabled };
    Look getLook() const;
};

}  // namespace gui
