#include "gui/ScrollArea.h"

#include <algorithm>
#include <cmath>

#include "ClipScope.h"

namespace gui {

namespace {

// Share of the glide speed kept per second after a drag, and the speed at which it stops.
constexpr float GlideKeptPerSecond = 0.05f;
constexpr float GlideStopSpeed = 5.0f;
// A drag that rested longer than this before release does not glide.
constexpr float GlideRestTime = 0.1f;

}  // namespace

Object* ScrollArea::getContent() const {
    return getChildren().empty() ? nullptr : getChildren().front();
}

quadrix::Vector2 ScrollArea::getMaxScrollOffset() const {
    Object* content = getContent();
    if (content == nullptr) {
        return quadrix::Vector2();
    }
    quadrix::Vector2 size = content->getSize();
    return quadrix::Vector2(std::max(size.x * content->getScale().x - getWidth(), 0.0f),
                            std::max(size.y * content->getScale().y - getHeight(), 0.0f));
}

void ScrollArea::setScrollOffset(const quadrix::Vector2& newOffset) {
    quadrix::Vector2 limit = getMaxScrollOffset();
    offset = quadrix::Vector2(std::clamp(newOffset.x, 0.0f, limit.x), std::clamp(newOffset.y, 0.0f, limit.y));
    applyOffset();
}

void ScrollArea::applyOffset() {
    if (Object* content = getContent()) {
        content->setPosition(-offset.x, -offset.y);
    }
}

void ScrollArea::scrollBy(float x, float y) {
    velocity = quadrix::Vector2();
    setScrollOffset(quadrix::Vector2(offset.x + x * WheelStep, offset.y + y * WheelStep));
}

void ScrollArea::onPress(const quadrix::Vector2& guiPosition, host::Key) {
    pressed = true;
    dragging = false;
    velocity = quadrix::Vector2();
    pressPosition = toLocal(guiPosition);
    lastPosition = pressPosition;
    pressOffset = offset;
    sinceLastDrag = 0.0f;
}

void ScrollArea::onDrag(const quadrix::Vector2& guiPosition) {
    if (!pressed || !drag) {
        return;
    }
    // The area's own frame moves with neither the content nor the offset, so distances are stable.
    quadrix::Vector2 local = toLocal(guiPosition);
    if (local == lastPosition) {
        return;
    }
    quadrix::Vector2 moved = local - pressPosition;
    if (!dragging && std::hypot(moved.x, moved.y) < DragThreshold) {
        return;
    }
    dragging = true;
    quadrix::Vector2 before = offset;
    setScrollOffset(pressOffset - moved);
    if (sinceLastDrag > 0.0f) {
        velocity = (offset - before) / sinceLastDrag;
    }
    lastPosition = local;
    sinceLastDrag = 0.0f;
}

void ScrollArea::onRelease(const quadrix::Vector2& guiPosition, host::Key, bool) {
    if (dragging) {
        onDrag(guiPosition);
        if (sinceLastDrag > GlideRestTime) {
            velocity = quadrix::Vector2();
        }
    } else {
        velocity = quadrix::Vector2();
    }
    pressed = false;
    dragging = false;
}

void ScrollArea::onCancel() {
    pressed = false;
    dragging = false;
    velocity = quadrix::Vector2();
}

void ScrollArea::update(float timeDelta) {
    sinceLastDrag += timeDelta;
    if (!pressed && (velocity.x != 0.0f || velocity.y != 0.0f)) {
        setScrollOffset(offset + velocity * timeDelta);
        velocity = velocity * std::pow(GlideKeptPerSecond, timeDelta);
        if (std::hypot(velocity.x, velocity.y) < GlideStopSpeed) {
            velocity = quadrix::Vector2();
        }
    } else if (!pressed) {
        // Content resized or replaced: keep the offset within its extent.
        setScrollOffset(offset);
    }
    Object::update(timeDelta);
}

void ScrollArea::_drawChildren(const quadrix::Matrix3& matrix, float alpha) {
    internal::ClipScope clip(matrix, quadrix::Rectangle(0, 0, getWidth(), getHeight()));
    if (clip.isVisible()) {
        Object::_drawChildren(matrix, alpha);
    }
}

}  // namespace gui
