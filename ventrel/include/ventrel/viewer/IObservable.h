#pragma once

#include <kit/Types.h>
#include <quadrix/Rectangle.h>
#include <quadrix/Vector2.h>

namespace ventrel::viewer {

// What a game object exposes of its picture: a viewer copies this state onto a GUI object every frame.
// The game object implements the accessors; the public methods are built on them.
class IObservable {
public:
    virtual ~IObservable() = default;

    kit::String getName() const { return _getName(); }
    bool isVisible() const { return _isVisible(); }
    void setVisible(bool value) { _setVisible(value); }
    bool isEnabled() const { return _isEnabled(); }
    void setEnabled(bool value) { _setEnabled(value); }

    quadrix::Rectangle getRect() const;
    void setRect(const quadrix::Rectangle& rect);
    quadrix::Vector2 getPosition() const { return {_getX(), _getY()}; }
    void setPosition(const quadrix::Vector2& position);
    float getX() const { return _getX(); }
    void setX(float value) { _setX(value); }
    float getY() const { return _getY(); }
    void setY(float value) { _setY(value); }

    quadrix::Vector2 getSize() const { return {_getWidth(), _getHeight()}; }
    void setSize(const quadrix::Vector2& size);
    float getWidth() const { return _getWidth(); }
    void setWidth(float value) { _setWidth(value); }
    float getHeight() const { return _getHeight(); }
    void setHeight(float value) { _setHeight(value); }

    quadrix::Vector2 getScale() const { return {_getScaleX(), _getScaleY()}; }
    void setScale(const quadrix::Vector2& scale);
    float getScaleX() const { return _getScaleX(); }
    void setScaleX(float value) { _setScaleX(value); }
    float getScaleY() const { return _getScaleY(); }
    void setScaleY(float value) { _setScaleY(value); }

    quadrix::Vector2 getCenter() const { return {_getCenterX(), _getCenterY()}; }
    void setCenter(const quadrix::Vector2& center);
    float getCenterX() const { return _getCenterX(); }
    void setCenterX(float value) { _setCenterX(value); }
    float getCenterY() const { return _getCenterY(); }
    void setCenterY(float value) { _setCenterY(value); }

    int getZOrder() const { return _getZOrder(); }
    void setZOrder(int value) { _setZOrder(value); }
    float getAngle() const { return _getAngle(); }
    void setAngle(float value) { _setAngle(value); }
    unsigned char getAlpha() const { return _getAlpha(); }
    void setAlpha(unsigned char value) { _setAlpha(value); }
    kit::String getId() const { return _getId(); }
    void setId(const kit::String& value) { _setId(value); }

protected:
    virtual kit::String _getName() const = 0;
    virtual bool _isVisible() const = 0;
    virtual void _setVisible(bool value) = 0;
    virtual bool _isEnabled() const = 0;
    virtual void _setEnabled(bool value) = 0;
    virtual float _getX() const = 0;
    virtual void _setX(float value) = 0;
    virtual float _getY() const = 0;
    virtual void _setY(float value) = 0;
    virtual float _getWidth() const = 0;
    virtual void _setWidth(float value) = 0;
    virtual float _getHeight() const = 0;
    virtual void _setHeight(float value) = 0;
    virtual float _getScaleX() const = 0;
    virtual void _setScaleX(float value) = 0;
    virtual float _getScaleY() const = 0;
    virtual void _setScaleY(float value) = 0;
    virtual float _getCenterX() const = 0;
    virtual void _setCenterX(float value) = 0;
    virtual float _getCenterY() const = 0;
    virtual void _setCenterY(float value) = 0;
    virtual int _getZOrder() const = 0;
    virtual void _setZOrder(int value) = 0;
    virtual float _getAngle() const = 0;
    virtual void _setAngle(float value) = 0;
    virtual unsigned char _getAlpha() const = 0;
    virtual void _setAlpha(unsigned char value) = 0;
    virtual void _setId(const kit::String& value) = 0;
    virtual kit::String _getId() const = 0;
};

}  // namespace ventrel::viewer
