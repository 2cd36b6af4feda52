#include "gui/CompositeImage.h"

#include <algorithm>

namespace gui {

CompositeImage::CompositeImage(const kit::String& name, const quadrix::Vector2& size)
    : BaseImage(name), size(size) {}

void CompositeImage::addImage(BaseImage* image, const quadrix::Rectangle& rect) {
    if (image != nullptr) {
        parts.push_back({image, rect});
    }
}

void CompositeImage::draw(const quadrix::Matrix3& matrix, const quadrix::Rectangle& area,
                          const host::Color& color, const quadrix::Rectangle& part) const {
    if (size.x <= 0.0f || size.y <= 0.0f) {
        return;
    }
    // The shown window of the composite, in its own units, mapped onto the area.
    quadrix::Rectangle window(part.x * size.x, part.y * size.y, part.w * size.x, part.h * size.y);
    if (window.w <= 0.0f || window.h <= 0.0f) {
        return;
    }
    float sx = area.w / window.w;
    float sy = area.h / window.h;
    for (const Part& piece : parts) {
        quadrix::Rectangle shown = piece.rect.clipped(window);
        if (shown.w <= 0.0f || shown.h <= 0.0f || piece.rect.w <= 0.0f || piece.rect.h <= 0.0f) {
            continue;
        }
        quadrix::Rectangle target(area.x + (shown.x - window.x) * sx, area.y + (shown.y - window.y) * sy,
                                  shown.w * sx, shown.h * sy);
        quadrix::Rectangle piecePart((shown.x - piece.rect.x) / piece.rect.w,
                                     (shown.y - piece.rect.y) / piece.rect.h, shown.w / piece.rect.w,
                                     shown.h / piece.rect.h);
        piece.image->draw(matrix, target, color, piecePart);
    }
}

}  // namespace gui
