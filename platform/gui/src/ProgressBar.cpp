#include "gui/ProgressBar.h"

#include <algorithm>

#include "Internal.h"
#include "gui/BaseImage.h"

namespace gui {

void ProgressBar::setProgress(float value) {
    progress = std::clamp(value, 0.0f, 1.0f);
}

void ProgressBar::setImage(const kit::String& name) {
    image = internal::lookupImage(this, name);
    imageName = name;
}

void ProgressBar::setProgressImage(const kit::String& name) {
    progressImage = internal::lookupImage(this, name);
    progressImageName = name;
}

void ProgressBar::setFromPointer(const quadrix::Vector2& guiPosition) {
    if (getWidth() <= 0.0f) {
        return;
    }
    float value = std::clamp(toLocal(guiPosition).x / getWidth(), 0.0f, 1.0f);
    if (value == progress) {
        return;
    }
    progress = value;
    triggerEvent(Event::SetProgressValue);
}

void ProgressBar::onPress(const quadrix::Vector2& guiPosition, host::Key) {
    if (!draggable) {
        return;
    }
    dragging = true;
    setFromPointer(guiPosition);
}

void ProgressBar::onDrag(const quadrix::Vector2& guiPosition) {
    if (dragging) {
        setFromPointer(guiPosition);
    }
}

void ProgressBar::onRelease(const quadrix::Vector2& guiPosition, host::Key, bool) {
    if (dragging) {
        setFromPointer(guiPosition);
    }
    dragging = false;
}

void ProgressBar::_draw(const quadrix::Matrix3& matrix, float alpha) {
    host::Color tint(getColor(), static_cast<unsigned char>(255.0f * alpha));
    quadrix::Rectangle area(0, 0, getWidth(), getHeight());
    if (image != nullptr) {
        image->draw(matrix, area, tint);
    }
    if (progressImage != nullptr && progress > 0.0f) {
        progressImage->draw(matrix, quadrix::Rectangle(0, 0, area.w * progress, area.h), tint,
                            quadrix::Rectangle(0, 0, progress, 1));
    }
}

}  // namespace gui
