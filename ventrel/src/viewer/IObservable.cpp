#include "ventrel/viewer/IObservable.h"

namespace ventrel::viewer {

quadrix::Rectangle IObservable::getRect() const {
    return {_getX(), _getY(), _getWidth(), _getHeight()};
}

void IObservable::setRect(const quadrix::Rectangle& rect) {
    _setX(rect.x);
    _setY(rect.y);
    _setWidth(rect.w);
    _setHeight(rect.h);
}

void IObservable::setPosition(const quadrix::Vector2& position) {
    _setX(position.x);
    _setY(position.y);
}

void IObservable::setSize(const quadrix::Vector2& size) {
    _setWidth(size.x);
    _setHeight(size.y);
}

void IObservable::setScale(const quadrix::Vector2& scale) {
    _setScaleX(scale.x);
    _setScaleY(scale.y);
}

void IObservable::setCenter(const quadrix::Vector2& center) {
    _setCenterX(center.x);
    _setCenterY(center.y);
}

}  // namespace ventrel::viewer
