#pragma once

#include "quadrix/Vector2.h"

namespace quadrix {

// A screen area: (x, y) is the top-left corner and y grows downwards. Comparisons are exact.
class Rectangle {
public:
    float x = 0.0f;
    float y = 0.0f;
    float w = 0.0f;
    float h = 0.0f;

    Rectangle() = default;
    Rectangle(float x, float y, float w, float h) : x(x), y(y), w(w), h(h) {}
    Rectangle(const Vector2& position, const Vector2& size)
        : Rectangle(position.x, position.y, size.x, size.y) {}
    Rectangle(const Vector2& position, float w, float h) : Rectangle(position.x, position.y, w, h) {}
    Rectangle(float x, float y, const Vector2& size) : Rectangle(x, y, size.x, size.y) {}

    void set(float newX, float newY, float newW, float newH) { *this = Rectangle(newX, newY, newW, newH); }
    void set(const Vector2& position, const Vector2& size) { *this = Rectangle(position, size); }
    void set(const Vector2& position, float newW, float newH) { *this = Rectangle(position, newW, newH); }
    void set(float newX, float newY, const Vector2& size) { *this = Rectangle(newX, newY, size); }

    Vector2 getPosition() const { return {x, y}; }
    void setPosition(const Vector2& position) { setPosition(position.x, position.y); }
    void setPosition(float newX, float newY) {
        x = newX;
        y = newY;
    }
    Vector2 getSize() const { return {w, h}; }
    void setSize(const Vector2& size) { setSize(size.x, size.y); }
    void setSize(float newW, float newH) {
        w = newW;
        h = newH;
    }

    Vector2 getTopLeft() const { return {x, y}; }
    Vector2 getTopRight() const { return {x + w, y}; }
    Vector2 getBottomLeft() const { return {x, y + h}; }
    Vector2 getBottomRight() const { return {x + w, y + h}; }
    Vector2 getCenter() const { return {centerX(), centerY()}; }

    float left() const { return x; }
    float right() const { return x + w; }
    float top() const { return y; }
    float bottom() const { return y + h; }
    float centerX() const { return x + w * 0.5f; }
    float centerY() const { return y + h * 0.5f; }

    // Width over height; a zero height is not guarded against.
    float getAspect() const { return w / h; }

    // The left and top edges are inside, the right and bottom edges outside.
    bool isPointInside(float px, float py) const { return px >= x && py >= y && px < x + w && py < y + h; }
    bool isPointInside(const Vector2& p) const { return isPointInside(p.x, p.y); }

    // Rectangles that only touch do not intersect.
    bool intersects(const Rectangle& r) const {
        return x + w > r.x && r.x + r.w > x && y + h > r.y && r.y + r.h > y;
    }
    // Edges may coincide.
    bool contains(const Rectangle& r) const {
        return r.x >= x && x + w >= r.x + r.w && r.y >= y && y + h >= r.y + r.h;
    }

    // Cuts this rectangle down to r. One lying wholly outside r ends with a zero or negative width or
    // height (nothing is clamped), so check the size before using the result.
    Rectangle& clip(const Rectangle& r);
    Rectangle clipped(const Rectangle& r) const { return Rectangle(*this).clip(r); }

    bool operator==(const Rectangle& r) const { return x == r.x && y == r.y && w == r.w && h == r.h; }
    bool operator!=(const Rectangle& r) const { return !(*this == r); }

    // A vector moves the position (+, -) or scales the size (*, /); a float scales the size only.
    Rectangle operator+(const Vector2& v) const { return {x + v.x, y + v.y, w, h}; }
    Rectangle operator-(const Vector2& v) const { return {x - v.x, y - v.y, w, h}; }
    Rectangle operator*(const Vector2& v) const { return {x, y, w * v.x, h * v.y}; }
    Rectangle operator/(const Vector2& v) const { return {x, y, w / v.x, h / v.y}; }
    Rectangle operator*(float f) const { return {x, y, w * f, h * f}; }
    Rectangle operator/(float f) const { return {x, y, w / f, h / f}; }

    Rectangle& operator+=(const Vector2& v) { return *this = *this + v; }
    Rectangle& operator-=(const Vector2& v) { return *this = *this - v; }
    Rectangle& operator*=(const Vector2& v) { return *this = *this * v; }
    Rectangle& operator/=(const Vector2& v) { return *this = *this / v; }
    Rectangle& operator*=(float f) { return *this = *this * f; }
    Rectangle& operator/=(float f) { return *this = *this / f; }
};

}  // namespace quadrix
