#pragma once

#include <array>
#include <cmath>
#include <numbers>

#include "quadrix/Vector3.h"

// Shared by the matrix and quaternion sources; not part of the public interface.
namespace quadrix::detail {

inline constexpr double radiansPerDegree = std::numbers::pi / 180.0;

// The column-major 3x3 block of the right-handed rotation by degrees about axis. The axis is normalised
// first; a zero axis stays zero.
inline std::array<float, 9> axisAngleBlock(Vector3 axis, float degrees) {
    axis.normalize();
    const double a = degrees * radiansPerDegree;
    const double k = std::cos(a);
    const double s = std::sin(a);
    const double t = 1.0 - k;
    const double x = axis.x;
    const double y = axis.y;
    const double z = axis.z;
    return {static_cast<float>(t * x * x + k),     static_cast<float>(t * x * y + s * z),
            static_cast<float>(t * x * z - s * y), static_cast<float>(t * x * y - s * z),
            static_cast<float>(t * y * y + k),     static_cast<float>(t * y * z + s * x),
            static_cast<float>(t * x * z + s * y), static_cast<float>(t * y * z - s * x),
            static_cast<float>(t * z * z + k)};
}

}  // namespace quadrix::detail
