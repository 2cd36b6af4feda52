#include "gui/Object.h"

#include <algorithm>
#include <cmath>

#include "Internal.h"
#include "fonts/Renderer.h"
#include "gui/Dataset.h"
#include "gui/Gui.h"
#include "host/RenderSystem.h"

namespace gui {

namespace {

// Animations closer than this to their end finish (float time steps do not add up exactly).
constexpr float TimeEpsilon = 1e-4f;

unsigned char toByte(float value) {
    return static_cast<unsigned char>(std::clamp(std::lround(value), 0L, 255L));
}

void drawFrame(const quadrix::Matrix3& matrix, const quadrix::Rectangle& r, float thickness,
               const host::Color& color) {
    const quadrix::Rectangle edges[] = {{r.x, r.y, r.w, thickness},
                                        {r.x, r.bottom() - thickness, r.w, thickness},
                                        {r.x, r.y, thickness, r.h},
                                        {r.right() - thickness, r.y, thickness, r.h}};
    for (const quadrix::Rectangle& edge : edges) {
        host::rendersys->drawQuad({matrix * edge.getTopLeft(), matrix * edge.getTopRight(),
                                   matrix * edge.getBottomRight(), matrix * edge.getBottomLeft()},
                                  color);
    }
}

const host::Color DebugColor(255, 0, 255, 160);

// The object's outline and, inside its top-left corner, its name.
void drawDebug(const quadrix::Matrix3& matrix, const quadrix::Rectangle& rect, const kit::String& name) {
    drawFrame(matrix, quadrix::Rectangle(0, 0, rect.w, rect.h), 1.0f, DebugColor);
    if (name.empty() || fonts::renderer == nullptr || fonts::renderer->getDefaultFont() == nullptr) {
        return;
    }
    fonts::TextStyle style;
    style.font = fonts::renderer->getDefaultFont()->getName() + ":0.5";
    style.color = DebugColor;
    style.markup = false;
    const fonts::RenderedText* text = fonts::renderer->render(name, style, std::max(rect.w, 200.0f), 24.0f);
    if (text == nullptr || text->texture == nullptr) {
        return;
    }
    const quadrix::Rectangle& r = text->area;
    host::rendersys->drawQuad(
        text->texture,
        {matrix * r.getTopLeft(), matrix * r.getTopRight(), matrix * r.getBottomRight(),
         matrix * r.getBottomLeft()},
        {quadrix::Vector2(0, 0), quadrix::Vector2(1, 0), quadrix::Vector2(1, 1), quadrix::Vector2(0, 1)},
        host::Color::White);
}

}  // namespace

Object::Object(const kit::String& name) : BaseObject(name) {}

Object::~Object() {
    for (Object* child : children) {
        child->parent = nullptr;
        delete child;
    }
    if (getDataset() != nullptr) {
        getDataset()->_detach(this, true);
    } else {
        // Taken out of its tree earlier, it may still be the target of the animators it kept.
        internal::forgetAnimatorTarget(this);
    }
    if (parent != nullptr) {
        std::erase(parent->children, this);
    }
}

void Object::addChild(Object* child) {
    if (child == nullptr || child == this || isDescendantOf(child)) {
        return;
    }
    // Moving within a tree keeps the child's place in its data set (and its animators).
    if (child->parent != nullptr) {
        std::erase(child->parent->children, child);
    }
    child->parent = this;
    children.push_back(child);
    sortChildren();
    child->_setDataset(getDataset());
}

Object* Object::removeChild(Object* child) {
    auto found = std::find(children.begin(), children.end(), child);
    if (found == children.end()) {
        return nullptr;
    }
    children.erase(found);
    child->_setDataset(nullptr);
    child->parent = nullptr;
    return child;
}

Object* Object::findChildByName(const kit::String& childName, bool recursive) const {
    for (Object* child : children) {
        if (child->getName() == childName) {
            return child;
        }
    }
    if (!recursive) {
        return nullptr;
    }
    for (Object* child : children) {
        if (Object* found = child->findChildByName(childName, true)) {
            return found;
        }
    }
    return nullptr;
}

bool Object::isDescendantOf(const Object* ancestor) const {
    for (const Object* node = parent; node != nullptr; node = node->parent) {
        if (node == ancestor) {
            return true;
        }
    }
    return false;
}

void Object::_setDataset(Dataset* newDataset) {
    if (getDataset() != newDataset) {
        if (getDataset() != nullptr) {
            getDataset()->_detach(this, false);
        }
        BaseObject::_setDataset(newDataset);
        if (newDataset != nullptr) {
            newDataset->_attach(this);
        }
    }
    for (Object* child : children) {
        child->_setDataset(newDataset);
    }
}

void Object::setRect(const quadrix::Rectangle& newRect) {
    rect.setPosition(newRect.getPosition());
    setSize(newRect.getSize());
}

void Object::setPosition(const quadrix::Vector2& position) {
    rect.setPosition(position);
}

void Object::setSize(const quadrix::Vector2& size) {
    quadrix::Vector2 oldSize = rect.getSize();
    if (oldSize == size) {
        return;
    }
    rect.setSize(size);
    _onResize(oldSize);
}

void Object::_onResize(const quadrix::Vector2& oldSize) {
    quadrix::Vector2 delta = rect.getSize() - oldSize;
    for (Object* child : children) {
        child->applyAnchors(delta);
    }
}

void Object::applyAnchors(const quadrix::Vector2& delta) {
    quadrix::Rectangle r = rect;
    bool left = (anchors & AnchorLeft) != 0;
    bool right = (anchors & AnchorRight) != 0;
    bool top = (anchors & AnchorTop) != 0;
    bool bottom = (anchors & AnchorBottom) != 0;
    if (left && right) {
        r.w += delta.x;
    } else if (right) {
        r.x += delta.x;
    } else if (!left) {
        r.x += delta.x * 0.5f;
    }
    if (top && bottom) {
        r.h += delta.y;
    } else if (bottom) {
        r.y += delta.y;
    } else if (!top) {
        r.y += delta.y * 0.5f;
    }
    setRect(r);
}

float Object::getDerivedAlpha() const {
    float alpha = color.a / 255.0f;
    return parent == nullptr ? alpha : alpha * parent->getDerivedAlpha();
}

void Object::setZOrder(int newZOrder) {
    zOrder = newZOrder;
    if (parent != nullptr) {
        parent->sortChildren();
    }
}

void Object::sortChildren() {
    std::stable_sort(children.begin(), children.end(),
                     [](const Object* a, const Object* b) { return a->zOrder < b->zOrder; });
}

bool Object::isDerivedVisible() const {
    return isVisible() && (parent == nullptr || parent->isDerivedVisible());
}

bool Object::isDerivedEnabled() const {
    return isEnabled() && (parent == nullptr || parent->isDerivedEnabled());
}

bool Object::isInteractive() const {
    return interactive || hasEvent(Event::Click);
}

quadrix::Matrix3 Object::getLocalMatrix() const {
    quadrix::Matrix3 matrix;
    matrix.setTranslation(rect.x + pivot.x, rect.y + pivot.y);
    matrix.rotate(angle);
    matrix.scale(scaleFactor);
    matrix.translate(-pivot.x, -pivot.y);
    return matrix;
}

quadrix::Matrix3 Object::getWorldMatrix() const {
    return parent == nullptr ? getLocalMatrix() : parent->getWorldMatrix() * getLocalMatrix();
}

quadrix::Vector2 Object::toLocal(const quadrix::Vector2& guiPosition) const {
    quadrix::Matrix3 world = getWorldMatrix();
    if (world.det() == 0.0f) {
        return quadrix::Vector2(NAN, NAN);
    }
    return world.inversed() * guiPosition;
}

quadrix::Vector2 Object::toGlobal(const quadrix::Vector2& localPosition) const {
    return getWorldMatrix() * localPosition;
}

quadrix::Rectangle Object::getBoundingRect(const Object* relativeTo) const {
    quadrix::Matrix3 matrix = getWorldMatrix();
    if (relativeTo != nullptr) {
        quadrix::Matrix3 base = relativeTo->getWorldMatrix();
        if (base.det() != 0.0f) {
            matrix = base.inversed() * matrix;
        }
    }
    return internal::boundingBox(matrix, quadrix::Rectangle(0, 0, rect.w, rect.h));
}

bool Object::isPointInside(const quadrix::Vector2& guiPosition) const {
    quadrix::Vector2 local = toLocal(guiPosition);
    return quadrix::Rectangle(0, 0, rect.w, rect.h).isPointInside(local);
}

void Object::addTween(Channel channel, float target, float speed, bool queued, float delay) {
    if (!queued) {
        tweens[channel].clear();
    }
    Tween tween;
    tween.target = target;
    tween.duration = speed > 0.0f ? 1.0f / speed : 0.0f;
    tween.wait = std::max(delay, 0.0f);
    tweens[channel].push_back(tween);
}

void Object::move(const quadrix::Vector2& target, float speed, bool queued, float delay) {
    moveX(target.x, speed, queued, delay);
    moveY(target.y, speed, queued, delay);
}

void Object::moveX(float x, float speed, bool queued, float delay) {
    addTween(PositionX, x, speed, queued, delay);
}

void Object::moveY(float y, float speed, bool queued, float delay) {
    addTween(PositionY, y, speed, queued, delay);
}

void Object::moveStop() {
    tweens[PositionX].clear();
    tweens[PositionY].clear();
}

void Object::scale(const quadrix::Vector2& target, float speed, bool queued, float delay) {
    scaleX(target.x, speed, queued, delay);
    scaleY(target.y, speed, queued, delay);
}

void Object::scaleX(float x, float speed, bool queued, float delay) {
    addTween(ScaleX, x, speed, queued, delay);
}

void Object::scaleY(float y, float speed, bool queued, float delay) {
    addTween(ScaleY, y, speed, queued, delay);
}

void Object::scaleStop() {
    tweens[ScaleX].clear();
    tweens[ScaleY].clear();
}

void Object::rotate(float degrees, float speed, bool queued, float delay) {
    addTween(Rotation, degrees, speed, queued, delay);
}

void Object::rotateStop() {
    tweens[Rotation].clear();
}

void Object::fadeAlpha(unsigned char alpha, float speed, bool queued, float delay) {
    addTween(Alpha, alpha, speed, queued, delay);
}

void Object::fadeAlphaStop() {
    tweens[Alpha].clear();
}

void Object::fadeColor(const host::Color& target, float speed, bool queued, float delay) {
    addTween(Red, target.r, speed, queued, delay);
    addTween(Green, target.g, speed, queued, delay);
    addTween(Blue, target.b, speed, queued, delay);
}

void Object::fadeColorStop() {
    tweens[Red].clear();
    tweens[Green].clear();
    tweens[Blue].clear();
}

void Object::movePivot(const quadrix::Vector2& target, float speed, bool queued, float delay) {
    addTween(PivotX, target.x, speed, queued, delay);
    addTween(PivotY, target.y, speed, queued, delay);
}

void Object::movePivotStop() {
    tweens[PivotX].clear();
    tweens[PivotY].clear();
}

void Object::stopAnimations() {
    for (auto& queue : tweens) {
        queue.clear();
    }
}

bool Object::isAnimating() const {
    return std::any_of(tweens.begin(), tweens.end(), [](const auto& queue) { return !queue.empty(); });
}

bool Object::isWaitingAnimation() const {
    return std::any_of(tweens.begin(), tweens.end(), [](const auto& queue) {
        return std::any_of(queue.begin(), queue.end(), [](const Tween& tween) { return !tween.started; });
    });
}

float Object::getChannel(Channel channel) const {
    switch (channel) {
        case PositionX:
            return rect.x;
        case PositionY:
            return rect.y;
        case ScaleX:
            return scaleFactor.x;
        case ScaleY:
            return scaleFactor.y;
        case Rotation:
            return angle;
        case Alpha:
            return color.a;
        case Red:
            return color.r;
        case Green:
            return color.g;
        case Blue:
            return color.b;
        case PivotX:
            return pivot.x;
        case PivotY:
            return pivot.y;
        case ChannelCount:
            break;
    }
    return 0.0f;
}

void Object::setChannel(Channel channel, float value) {
    switch (channel) {
        case PositionX:
            rect.x = value;
            break;
        case PositionY:
            rect.y = value;
            break;
        case ScaleX:
            scaleFactor.x = value;
            break;
        case ScaleY:
            scaleFactor.y = value;
            break;
        case Rotation:
            angle = value;
            break;
        case Alpha:
            color.a = toByte(value);
            break;
        case Red:
            color.r = toByte(value);
            break;
        case Green:
            color.g = toByte(value);
            break;
        case Blue:
            color.b = toByte(value);
            break;
        case PivotX:
            pivot.x = value;
            break;
        case PivotY:
            pivot.y = value;
            break;
        case ChannelCount:
            break;
    }
}

void Object::updateChannel(Channel channel, float timeDelta) {
    auto& queue = tweens[channel];
    float budget = timeDelta;
    while (!queue.empty()) {
        Tween& tween = queue.front();
        if (tween.wait > 0.0f) {
            float waited = std::min(tween.wait, budget);
            tween.wait -= waited;
            budget -= waited;
            if (tween.wait > TimeEpsilon) {
                return;
            }
        }
        if (!tween.started) {
            tween.started = true;
            tween.from = getChannel(channel);
        }
        float step = std::min(tween.duration - tween.elapsed, budget);
        tween.elapsed += step;
        budget -= step;
        if (tween.duration - tween.elapsed > TimeEpsilon) {
            setChannel(channel, tween.from + (tween.target - tween.from) * (tween.elapsed / tween.duration));
            return;
        }
        setChannel(channel, tween.target);
        queue.pop_front();
    }
}

void Object::update(float timeDelta) {
    for (int channel = 0; channel < ChannelCount; ++channel) {
        if (!tweens[channel].empty()) {
            updateChannel(static_cast<Channel>(channel), timeDelta);
        }
    }
    // Updates may restructure the tree (callbacks of edit boxes): walk a copy.
    kit::Array<Object*> current = children;
    for (Object* child : current) {
        child->update(timeDelta);
    }
}

void Object::draw(const quadrix::Matrix3& parentMatrix, float parentAlpha) {
    if (!isVisible()) {
        return;
    }
    float alpha = parentAlpha * (color.a / 255.0f);
    if (alpha <= 0.0f) {
        return;
    }
    quadrix::Matrix3 matrix = parentMatrix * getLocalMatrix();
    if (background.a > 0 && host::rendersys != nullptr) {
        quadrix::Rectangle area(0, 0, rect.w, rect.h);
        host::rendersys->drawQuad({matrix * area.getTopLeft(), matrix * area.getTopRight(),
                                   matrix * area.getBottomRight(), matrix * area.getBottomLeft()},
                                  host::Color(background, toByte(background.a * alpha)));
    }
    _draw(matrix, alpha);
    _drawChildren(matrix, alpha);
    if (isDebugEnabled() && host::rendersys != nullptr) {
        drawDebug(matrix, rect, getName());
    }
    // The focus ring must be seen across a room on any background: yellow between two ink edges.
    if (isFocused() && isInteractive() && host::rendersys != nullptr) {
        drawFrame(matrix, quadrix::Rectangle(-10, -10, rect.w + 20, rect.h + 20), 10.0f,
                  host::Color(0x1B, 0x15, 0x30, toByte(255.0f * alpha)));
        drawFrame(matrix, quadrix::Rectangle(-8, -8, rect.w + 16, rect.h + 16), 6.0f,
                  host::Color(0xFF, 0xD6, 0x0A, toByte(255.0f * alpha)));
    }
}

void Object::_draw(const quadrix::Matrix3&, float) {}

void Object::_drawChildren(const quadrix::Matrix3& matrix, float alpha) {
    for (Object* child : children) {
        child->draw(matrix, alpha);
    }
}

void Object::onPress(const quadrix::Vector2&, host::Key) {}

void Object::onDrag(const quadrix::Vector2&) {}

void Object::onRelease(const quadrix::Vector2&, host::Key, bool) {}

void Object::onCancel() {}

void Object::onFocusChanged(bool focused) {
    triggerEvent(focused ? Event::FocusGained : Event::FocusLost);
}

bool Object::isHovered() const {
    return getDataset() != nullptr && getDataset()->getHoveredObject() == this;
}

bool Object::isPushed() const {
    return getDataset() != nullptr && getDataset()->getPushedObject() == this;
}

bool Object::isFocused() const {
    return getDataset() != nullptr && getDataset()->getFocusedObject() == this;
}

}  // namespace gui
