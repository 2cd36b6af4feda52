#include "gui/ToggleButton.h"

namespace gui {

void ToggleButton::setToggledImage(const kit::String& name) {
    _setNamedImage(toggledImages[0], name);
}

void ToggleButton::setToggledHoverImage(const kit::String& name) {
    _setNamedImage(toggledImages[1], name);
}

void ToggleButton::setToggledPushedImage(const kit::String& name) {
    _setNamedImage(toggledImages[2], name);
}

void ToggleButton::setToggledDisabledImage(const kit::String& name) {
    _setNamedImage(toggledImages[3], name);
}

void ToggleButton::onRelease(const quadrix::Vector2& guiPosition, host::Key key, bool inside) {
    ImageButton::onRelease(guiPosition, key, inside);
    if (inside && isDerivedEnabled()) {
        toggled = !toggled;
        triggerEvent(Event::Toggled, static_cast<unsigned int>(key));
    }
}

void ToggleButton::_draw(const quadrix::Matrix3& matrix, float alpha) {
    // Without toggled pictures the state shows through the normal set.
    bool useToggled = toggled && toggledImages[0].image != nullptr;
    _drawImages(useToggled ? toggledImages : images, matrix, alpha);
}

}  // namespace gui
