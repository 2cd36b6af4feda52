#include "gui/ScrollArea.h"

#include <algorithm>
#include <cmath>

#include "ClipScope.h"
#include "host/RenderSystem.h"

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

quadrix::Rectangle ScrollArea::getScrollThumb() const {
    Object* content = getContent();
    float limit = getMaxScrollOffset().y;
    if (!scrollBar || content == nullptr || limit <= 0.0f) {
        return quadrix::Rectangle();
    }
    float height = getHeight();
    float extent = content->getHeight() * content->getScale().y;
    float thumb = std::clamp(height * height / extent, std::min(ScrollThumbMinHeight, height), height);
    return quadrix::Rectangle(getWidth() - ScrollBarWidth, (height - thumb) * offset.y / limit,
                              ScrollBarWidth, thumb);
}

void ScrollArea::_drawChildren(const quadrix::Matrix3& matrix, float alpha) {
    {
        internal::ClipScope clip(matrix, quadrix::Rectangle(0, 0, getWidth(), getHeight()));
        if (clip.isVisible()) {
            Object::_drawChildren(matrix, alpha);
        }
    }
    drawScrollBar(matrix, alpha);
}

// A pale track with a cream thumb in an ink edge: seen on the night background and on a cream panel.
void ScrollArea::drawScrollBar(const quadrix::Matrix3& matrix, float alpha) const {
    quadrix::Rectangle thumb = getScrollThumb();
    if (thumb.h <= 0.0f || host::rendersys == nullptr) {
        return;
    }
    auto fill = [&](const quadrix::Rectangle& area, const host::Color& color) {
        host::rendersys->drawQuad(
            {matrix * area.getTopLeft(), matrix * area.getTopRight(), matrix * area.getBottomRight(),
             matrix * area.getBottomLeft()},
            host::Color(color.r, color.g, color.b,
                        static_cast<unsigned char>(static_cast<float>(color.a) * alpha)));
    };
    fill(quadrix::Rectangle(thumb.x, 0.0f, thumb.w, getHeight()), host::Color(0xD6, 0xC8, 0xFF, 0x59));
    fill(thumb, host::Color(0x1B, 0x15, 0x30, 0xFF));
    fill(quadrix::Rectangle(thumb.x + 3.0f, thumb.y + 3.0f, thumb.w - 6.0f, thumb.h - 6.0f),
         host::Color(0xFF, 0xF4, 0xDC, 0xFF));
}

}  // namespace gui
