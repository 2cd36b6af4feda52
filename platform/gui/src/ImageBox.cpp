#include "gui/ImageBox.h"

#include <algorithm>

#include "Internal.h"
#include "gui/BaseImage.h"

namespace gui {

void ImageBox::setImage(const kit::String& name) {
    BaseImage* found = internal::lookupImage(this, name);
    image = found;
    imageName = name;
    if (autoSize && image != nullptr) {
        setSize(image->getSize());
    }
}

void ImageBox::setImage(BaseImage* newImage) {
    image = newImage;
    imageName = newImage == nullptr ? kit::String() : newImage->getName();
    if (autoSize && image != nullptr) {
        setSize(image->getSize());
    }
}

void ImageBox::_draw(const quadrix::Matrix3& matrix, float alpha) {
    if (image == nullptr) {
        return;
    }
    host::Color tint(getColor(), static_cast<unsigned char>(255.0f * alpha));
    quadrix::Rectangle area(0, 0, getWidth(), getHeight());
    quadrix::Vector2 size = image->getSize();
    if (keepAspect && size.x > 0.0f && size.y > 0.0f) {
        float factor = std::min(area.w / size.x, area.h / size.y);
        quadrix::Vector2 fitted(size.x * factor, size.y * factor);
        area = quadrix::Rectangle((area.w - fitted.x) * 0.5f, (area.h - fitted.y) * 0.5f, fitted);
    }
    image->draw(matrix, area, tint);
}

}  // namespace gui
