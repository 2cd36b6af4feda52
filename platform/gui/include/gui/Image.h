#pragma once

#include "gui/BaseImage.h"

namespace gui {

class Texture;

// A rectangle of a texture, in texture pixels. Its size in GUI units is the rectangle divided by the
// texture's pixel scale (2 for a double-density variant picked by setTextureExtensionPrefixes).
class Image : public BaseImage {
public:
    Image(const kit::String& name, Texture* texture, const quadrix::Rectangle& rect, float pixelScale = 1.0f);

    Texture* getTexture() const { return texture; }
    const quadrix::Rectangle& getRect() const { return rect; }
    quadrix::Vector2 getSize() const override;

    void draw(const quadrix::Matrix3& matrix, const quadrix::Rectangle& area, const host::Color& color,
              const quadrix::Rectangle& part = quadrix::Rectangle(0, 0, 1, 1)) const override;

private:
    Texture* texture;
    quadrix::Rectangle rect;
    float pixelScale;
};

}  // namespace gui
