#pragma once

#include "gui/Object.h"

namespace gui {

class BaseImage;

// Shows an image stretched over its rectangle, or, with keepAspect, as large as fits while keeping
// the image's proportions, centred (the parts outside the rectangle stay undrawn).
class ImageBox : public Object {
public:
    explicit ImageBox(const kit::String& name) : Object(name) {}
    const char* getKindName() const override { return "ImageBox"; }

    // A name "set.folder/picture" or an image registered with the data set; "" clears the image. A
    // missing name raises kit::ResourceNotExistsException and leaves the image as it was.
    void setImage(const kit::String& name);
    void setImage(BaseImage* image);
    BaseImage* getImage() const { return image; }
    // The name the image was set by ("" without an image).
    const kit::String& getImageName() const { return imageName; }
    bool isKeepAspect() const { return keepAspect; }
    void setKeepAspect(bool keepAspect) { this->keepAspect = keepAspect; }
    // Whether the box should take the image's size when the image is set.
    bool isAutoSize() const { return autoSize; }
    void setAutoSize(bool autoSize) { this->autoSize = autoSize; }

protected:
    void _draw(const quadrix::Matrix3& matrix, float alpha) override;

private:
    BaseImage* image = nullptr;
    kit::String imageName;
    bool keepAspect = false;
    bool autoSize = false;
};

}  // namespace gui
