#pragma once

#include "gui/Object.h"

namespace gui {

class BaseImage;

// A value from 0 to 1 drawn as a background image with the progress image over the left part. With
// dragging allowed, a press or drag on the bar sets the value and raises Event::SetProgressValue.
class ProgressBar : public Object {
public:
    explicit ProgressBar(const kit::String& name) : Object(name) {}
    const char* getKindName() const override { return "ProgressBar"; }

    bool isInteractive() const override { return true; }
    float getProgress() const { return progress; }
    // Clamped to 0..1.
    void setProgress(float progress);
    void setImage(const kit::String& name);
    void setProgressImage(const kit::String& name);
    const kit::String& getImageName() const { return imageName; }
    const kit::String& getProgressImageName() const { return progressImageName; }
    bool isDraggable() const { return draggable; }
    void setDraggable(bool draggable) { this->draggable = draggable; }

    void onPress(const quadrix::Vector2& guiPosition, host::Key key) override;
    void onDrag(const quadrix::Vector2& guiPosition) override;
    void onRelease(const quadrix::Vector2& guiPosition, host::Key key, bool inside) override;

protected:
    void _draw(const quadrix::Matrix3& matrix, float alpha) override;

private:
    void setFromPointer(const quadrix::Vector2& guiPosition);

    float progress = 0.0f;
    kit::String imageName;
    kit::String progressImageName;
    BaseImage* image = nullptr;
    BaseImage* progressImage = nullptr;
    bool draggable = true;
    bool dragging = false;
};

}  // namespace gui
