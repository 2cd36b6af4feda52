#pragma once

#include <array>
#include <deque>

#include "gui/BaseObject.h"
#include "host/Color.h"
#include "host/Key.h"
#include "quadrix/Matrix3.h"
#include "quadrix/Rectangle.h"
#include "quadrix/Vector2.h"

namespace gui {

// Edges of an object that keep their distance to the parent's matching edge when the parent is
// resized. Left and right together stretch the width; neither keeps the object centred.
enum Anchor : unsigned int {
    AnchorNone = 0,
    AnchorLeft = 1,
    AnchorTop = 2,
    AnchorRight = 4,
    AnchorBottom = 8,
    AnchorAll = 15,
};

// A node of the object tree. Its rectangle is in the parent's units; the pivot (relative to the
// object's top-left corner) is the point it scales and rotates about. The transform of every object
// composes down the tree, for drawing and for hit testing alike. A positive angle turns
// anticlockwise on screen. Children are drawn in z order (equal z: in the order they were added) and
// owned by their parent.
class Object : public BaseObject {
public:
    explicit Object(const kit::String& name);
    // The element name of the kind in a data-set file ("ImageButton").
    virtual const char* getKindName() const { return "Object"; }
    ~Object() override;

    // Tree.
    Object* getParent() const { return parent; }
    const kit::Array<Object*>& getChildren() const { return children; }
    // Takes ownership; the child joins this object's data set.
    void addChild(Object* child);
    // Gives ownership back to the caller (null when it is not a child).
    Object* removeChild(Object* child);
    // Depth first, this object not included.
    Object* findChildByName(const kit::String& name, bool recursive = true) const;
    bool isDescendantOf(const Object* ancestor) const;

    // Geometry, in the parent's units.
    const quadrix::Rectangle& getRect() const { return rect; }
    void setRect(const quadrix::Rectangle& rect);
    quadrix::Vector2 getPosition() const { return rect.getPosition(); }
    void setPosition(const quadrix::Vector2& position);
    void setPosition(float x, float y) { setPosition(quadrix::Vector2(x, y)); }
    float getX() const { return rect.x; }
    float getY() const { return rect.y; }
    void setX(float x) { setPosition(x, rect.y); }
    void setY(float y) { setPosition(rect.x, y); }
    quadrix::Vector2 getSize() const { return rect.getSize(); }
    // Resizing moves and stretches the anchored children.
    void setSize(const quadrix::Vector2& size);
    void setSize(float w, float h) { setSize(quadrix::Vector2(w, h)); }
    float getWidth() const { return rect.w; }
    float getHeight() const { return rect.h; }
    void setWidth(float w) { setSize(w, rect.h); }
    void setHeight(float h) { setSize(rect.w, h); }
    const quadrix::Vector2& getPivot() const { return pivot; }
    void setPivot(const quadrix::Vector2& pivot) { this->pivot = pivot; }
    // The pivot goes to the centre of the object.
    void resetPivot() { pivot = quadrix::Vector2(rect.w * 0.5f, rect.h * 0.5f); }
    unsigned int getAnchors() const { return anchors; }
    void setAnchors(unsigned int anchors) { this->anchors = anchors; }
    const quadrix::Vector2& getScale() const { return scaleFactor; }
    void setScale(const quadrix::Vector2& scale) { scaleFactor = scale; }
    void setScale(float factor) { scaleFactor = quadrix::Vector2(factor, factor); }
    float getAngle() const { return angle; }
    void setAngle(float degrees) { angle = degrees; }

    // Look. The colour tints the object's pictures and its alpha fades the object and its children.
    const host::Color& getColor() const { return color; }
    void setColor(const host::Color& color) { this->color = color; }
    unsigned char getAlpha() const { return color.a; }
    void setAlpha(unsigned char alpha) { color.a = alpha; }
    // Product of the alphas down the tree, 0..1.
    float getDerivedAlpha() const;
    // A filled rectangle under the object's content (clear by default).
    const host::Color& getBackground() const { return background; }
    void setBackground(const host::Color& background) { this->background = background; }
    int getZOrder() const { return zOrder; }
    void setZOrder(int zOrder);

    bool isDerivedVisible() const override;
    bool isDerivedEnabled() const override;

    // Keyboard and controller focus: -1 takes no focus.
    int getFocusIndex() const { return focusIndex; }
    void setFocusIndex(int index) { focusIndex = index; }
    // Whether pointer input stops at this object. Buttons, edit boxes, progress bars and scroll areas
    // always take it; other objects when they have a click callback or were made interactive.
    virtual bool isInteractive() const;
    void setInteractive(bool interactive) { this->interactive = interactive; }

    // Transforms: parent units from own units, and GUI units (the viewport) from own units.
    quadrix::Matrix3 getLocalMatrix() const;
    quadrix::Matrix3 getWorldMatrix() const;
    quadrix::Vector2 toLocal(const quadrix::Vector2& guiPosition) const;
    quadrix::Vector2 toGlobal(const quadrix::Vector2& localPosition) const;
    // The axis-aligned box around the transformed object, in the units of `relativeTo` (an
    // ancestor; null: GUI units).
    quadrix::Rectangle getBoundingRect(const Object* relativeTo = nullptr) const;
    // Whether the point (GUI units) lies on the object, through all transforms.
    bool isPointInside(const quadrix::Vector2& guiPosition) const;

    // Dynamic animations: to a target at a speed where the whole change takes 1 / speed seconds.
    // Without `queued` an animation replaces the running ones of its kind and starts after `delay`;
    // queued, it starts `delay` seconds after the ones of its kind before it have ended.
    void move(const quadrix::Vector2& target, float speed, bool queued = false, float delay = 0.0f);
    void moveX(float x, float speed, bool queued = false, float delay = 0.0f);
    void moveY(float y, float speed, bool queued = false, float delay = 0.0f);
    void moveStop();
    void scale(const quadrix::Vector2& target, float speed, bool queued = false, float delay = 0.0f);
    void scaleX(float x, float speed, bool queued = false, float delay = 0.0f);
    void scaleY(float y, float speed, bool queued = false, float delay = 0.0f);
    void scaleStop();
    void rotate(float degrees, float speed, bool queued = false, float delay = 0.0f);
    void rotateStop();
    void fadeAlpha(unsigned char alpha, float speed, bool queued = false, float delay = 0.0f);
    void fadeAlphaStop();
    void fadeColor(const host::Color& color, float speed, bool queued = false, float delay = 0.0f);
    void fadeColorStop();
    void movePivot(const quadrix::Vector2& target, float speed, bool queued = false, float delay = 0.0f);
    void movePivotStop();
    void stopAnimations();
    // Whether a dynamic animation is running or queued.
    bool isAnimating() const;
    // Whether a dynamic animation is queued but has not started yet.
    bool isWaitingAnimation() const;

    // One frame: animations, then the children.
    virtual void update(float timeDelta);
    // Draws the object and its children under the parent's transform.
    void draw(const quadrix::Matrix3& parentMatrix, float parentAlpha);

    // Pointer input on this object (cursor in GUI units). Returning true claims the press.
    virtual void onPress(const quadrix::Vector2& guiPosition, host::Key key);
    virtual void onDrag(const quadrix::Vector2& guiPosition);
    virtual void onRelease(const quadrix::Vector2& guiPosition, host::Key key, bool inside);
    virtual void onCancel();
    // Focus changes, raised by the data set.
    virtual void onFocusChanged(bool focused);
    bool isHovered() const;
    bool isPushed() const;
    bool isFocused() const;

protected:
    // Own content, under the object's full transform, with its derived alpha.
    virtual void _draw(const quadrix::Matrix3& matrix, float alpha);
    virtual void _drawChildren(const quadrix::Matrix3& matrix, float alpha);
    virtual void _onResize(const quadrix::Vector2& oldSize);
    void _setDataset(Dataset* newDataset) override;

private:
    friend class Dataset;
    enum Channel {
        PositionX,
        PositionY,
        ScaleX,
        ScaleY,
        Rotation,
        Alpha,
        Red,
        Green,
        Blue,
        PivotX,
        PivotY,
        ChannelCount
    };
    struct Tween {
        float target;
        float duration;
        float wait;
        bool started = false;
        float from = 0.0f;
        float elapsed = 0.0f;
    };

    void addTween(Channel channel, float target, float speed, bool queued, float delay);
    void updateChannel(Channel channel, float timeDelta);
    float getChannel(Channel channel) const;
    void setChannel(Channel channel, float value);
    void sortChildren();
    void applyAnchors(const quadrix::Vector2& delta);

    Object* parent = nullptr;
    kit::Array<Object*> children;
    quadrix::Rectangle rect;
    quadrix::Vector2 pivot;
    quadrix::Vector2 scaleFactor{1.0f, 1.0f};
    float angle = 0.0f;
    unsigned int anchors = AnchorLeft | AnchorTop;
    host::Color color;
    host::Color background = host::Color::Clear;
    int zOrder = 0;
    int focusIndex = -1;
    bool interactive = false;
    std::array<std::deque<Tween>, ChannelCount> tweens;
};

}  // namespace gui
