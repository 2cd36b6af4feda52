#pragma once

#include "gui/BaseImage.h"

namespace gui {

// Several images placed side by side in one picture (a logo made of a left and a right half). The
// parts are not owned: they belong to the data set they are registered with.
class CompositeImage : public BaseImage {
public:
    CompositeImage(const kit::String& name, const quadrix::Vector2& size);

    // Places the image at the rectangle, in the composite's own units.
    void addImage(BaseImage* image, const quadrix::Rectangle& rect);
    quadrix::Vector2 getSize() const override { return size; }

    void draw(const quadrix::Matrix3& matrix, const quadrix::Rectangle& area, const host::Color& color,
              const quadrix::Rectangle& part = quadrix::Rectangle(0, 0, 1, 1)) const override;

private:
    struct Part {
        BaseImage* image;
        quadrix::Rectangle rect;
    };

    quadrix::Vector2 size;
    kit::Array<Part> parts;
};

}  // namespace gui
