#pragma once

#include "gui/ImageButton.h"

namespace gui {

// An image button with a second set of images for its toggled state; a click flips the state
// (raising Event::Toggled) before Event::Click is raised.
class ToggleButton : public ImageButton {
public:
    explicit ToggleButton(const kit::String& name) : ImageButton(name) {}
    const char* getKindName() const override { return "ToggleButton"; }

    bool isToggled() const { return toggled; }
    void setToggled(bool toggled) { this->toggled = toggled; }
    void setToggledImage(const kit::String& name);
    void setToggledHoverImage(const kit::String& name);
    void setToggledPushedImage(const kit::String& name);
    void setToggledDisabledImage(const kit::String& name);
    const kit::String& getToggledImageName() const { return toggledImages[0].name; }
    const kit::String& getToggledHoverImageName() const { return toggledImages[1].name; }
    const kit::String& getToggledPushedImageName() const { return toggledImages[2].name; }
    const kit::String& getToggledDisabledImageName() const { return toggledImages[3].name; }

    void onRelease(const quadrix::Vector2& guiPosition, host::Key key, bool inside) override;

protected:
    void _draw(const quadrix::Matrix3& matrix, float alpha) override;

private:
    NamedImage toggledImages[4];
    bool toggled = false;
};

}  // namespace gui
