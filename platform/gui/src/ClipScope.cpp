#include "ClipScope.h"

#include "Internal.h"

#include <algorithm>

namespace gui::internal {

ClipScope::ClipScope(const quadrix::Matrix3& matrix, const quadrix::Rectangle& area) {
    if (host::rendersys == nullptr) {
        return;
    }
    quadrix::Rectangle clip = boundingBox(matrix, area);
    outer = host::rendersys->isClipping();
    previous = host::rendersys->getClipRect();
    if (outer) {
        clip.clip(previous);
    }
    visible = clip.w > 0.0f && clip.h > 0.0f;
    if (visible) {
        host::rendersys->setClipRect(clip);
    }
}

ClipScope::~ClipScope() {
    if (host::rendersys == nullptr || !visible) {
        return;
    }
    if (outer) {
        host::rendersys->setClipRect(previous);
    } else {
        host::rendersys->resetClipRect();
    }
}

quadrix::Rectangle boundingBox(const quadrix::Matrix3& matrix, const quadrix::Rectangle& area) {
    const quadrix::Vector2 corners[] = {matrix * area.getTopLeft(), matrix * area.getTopRight(),
                                        matrix * area.getBottomRight(), matrix * area.getBottomLeft()};
    float minX = corners[0].x, maxX = corners[0].x, minY = corners[0].y, maxY = corners[0].y;
    for (const quadrix::Vector2& corner : corners) {
        minX = std::min(minX, corner.x);
        maxX = std::max(maxX, corner.x);
        minY = std::min(minY, corner.y);
        maxY = std::max(maxY, corner.y);
    }
    return quadrix::Rectangle(minX, minY, maxX - minX, maxY - minY);
}

}  // namespace gui::internal
