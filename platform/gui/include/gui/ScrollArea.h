#pragma once

#include "gui/Object.h"

namespace gui {

// A window onto its first child, the content: the content is cut to the area and moved by the scroll
// offset (offset (0, 0) shows the content's top-left corner). The offset follows the wheel, code
// and, with the drag flag, dragging, which keeps gliding for a moment after release.
class ScrollArea : public Object {
public:
    explicit ScrollArea(const kit::String& name) : Object(name) {}
    const char* getKindName() const override { return "ScrollArea"; }

    bool isInteractive() const override { return true; }
    Object* getContent() const;

    bool isDrag() const { return drag; }
    void setDrag(bool drag) { this->drag = drag; }
    // A bar on the right edge shows that the content scrolls, and where the view is in it.
    bool hasScrollBar() const { return scrollBar; }
    void setScrollBar(bool scrollBar) { this->scrollBar = scrollBar; }
    // The bar's thumb: where it lies and how tall it is, in the area's units; empty when all of the
    // content is in view.
    quadrix::Rectangle getScrollThumb() const;
    const quadrix::Vector2& getScrollOffset() const { return offset; }
    // Clamped to the content's extent.
    void setScrollOffset(const quadrix::Vector2& offset);
    quadrix::Vector2 getMaxScrollOffset() const;
    // Wheel steps as the mouse delegate reports them: positive y (towards the user) moves the content
    // up, showing what lies below; positive x shows what lies to the right.
    void scrollBy(float x, float y);
    // Whether a press here has turned into a drag (presses on children are then cancelled).
    bool isDragging() const { return dragging; }

    void onPress(const quadrix::Vector2& guiPosition, host::Key key) override;
    void onDrag(const quadrix::Vector2& guiPosition) override;
    void onRelease(const quadrix::Vector2& guiPosition, host::Key key, bool inside) override;
    void onCancel() override;
    void update(float timeDelta) override;

    // Units the wheel scrolls per step.
    static constexpr float WheelStep = 40.0f;
    // Distance a press must move before it becomes a drag.
    static constexpr float DragThreshold = 8.0f;
    // The scroll bar's width and its thumb's least height.
    static constexpr float ScrollBarWidth = 16.0f;
    static constexpr float ScrollThumbMinHeight = 48.0f;

protected:
    void _drawChildren(const quadrix::Matrix3& matrix, float alpha) override;

private:
    void applyOffset();
    void drawScrollBar(const quadrix::Matrix3& matrix, float alpha) const;

    quadrix::Vector2 offset;
    bool drag = false;
    bool scrollBar = false;
    bool pressed = false;
    bool dragging = false;
    quadrix::Vector2 pressPosition;
    quadrix::Vector2 pressOffset;
    quadrix::Vector2 lastPosition;
    quadrix::Vector2 velocity;
    float sinceLastDrag = 0.0f;
};

}  // namespace gui
