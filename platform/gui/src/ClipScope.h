#pragma once

#include "host/RenderSystem.h"
#include "quadrix/Matrix3.h"
#include "quadrix/Rectangle.h"

namespace gui::internal {

// Cuts drawing to an area (in the space of a matrix) for as long as it lives, within any clipping
// already set, and puts the previous clipping back. The render system clips to axis-aligned
// rectangles, so a turned area clips to its bounding box.
class ClipScope {
public:
    ClipScope(const quadrix::Matrix3& matrix, const quadrix::Rectangle& area);
    ~ClipScope();
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

    // False when nothing of the area is visible (skip the drawing).
    bool isVisible() const { return visible; }

private:
    bool outer = false;
    bool visible = false;
    quadrix::Rectangle previous;
};

}  // namespace gui::internal
