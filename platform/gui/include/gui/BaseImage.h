#pragma once

#include "host/Color.h"
#include "kit/Types.h"
#include "quadrix/Matrix3.h"
#include "quadrix/Rectangle.h"
#include "quadrix/Vector2.h"

namespace gui {

// Something an image box or button can show: a rectangle of a texture, or a composition of several.
class BaseImage {
public:
    explicit BaseImage(const kit::String& name) : name(name) {}
    virtual ~BaseImage() = default;
    BaseImage(const BaseImage&) = delete;
    BaseImage& operator=(const BaseImage&) = delete;

    const kit::String& getName() const { return name; }
    // Natural size in GUI units.
    virtual quadrix::Vector2 getSize() const = 0;
    float getWidth() const { return getSize().x; }
    float getHeight() const { return getSize().y; }

    // Draws the image stretched onto the area (in the space of the matrix), cut to the part given by
    // `part` (fractions 0..1 of the image: (0, 0, 1, 1) is all of it).
    virtual void draw(const quadrix::Matrix3& matrix, const quadrix::Rectangle& area,
                      const host::Color& color,
                      const quadrix::Rectangle& part = quadrix::Rectangle(0, 0, 1, 1)) const = 0;

private:
    kit::String name;
};

}  // namespace gui
