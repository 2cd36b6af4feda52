#include "quadrix/Vector2.h"

#include <cmath>
#include <numbers>

namespace quadrix {

namespace {
constexpr double degreesToRadians = std::numbers::pi / 180.0;
constexpr double radiansToDegrees = 180.0 / std::numbers::pi;
}  // namespace

float Vector2::length() const {
    return std::sqrt(x * x + y * y);
}

float Vector2::angle() const {
    return static_cast<float>(std::atan2(-static_cast<double>(y), static_cast<double>(x)) * radiansToDegrees);
}

bool Vector2::isInCircle(float cx, float cy, float r) const {
    const float dx = x - cx;
    const float dy = y - cy;
    return r * r >= dx * dx + dy * dy;
}

Vector2& Vector2::normalize() {
    const float len = length();
    if (len == 0.0f) {
        return *this;
    }
    return *this *= 1.0f / len;
}

Vector2& Vector2::rotate(float degrees) {
    const double a = degrees * degreesToRadians;
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double oldX = x;
    const double oldY = y;
    x = static_cast<float>(oldX * c - oldY * s);
    y = static_cast<float>(oldY * c + oldX * s);
    return *this;
}

}  // namespace quadrix
