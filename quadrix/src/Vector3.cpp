#include "quadrix/Vector3.h"

#include <cmath>

namespace quadrix {

float Vector3::length() const {
    return std::sqrt(x * x + y * y + z * z);
}

Vector3& Vector3::normalize() {
    const float len = length();
    if (len == 0.0f) {
        return *this;
    }
    return *this *= 1.0f / len;
}

}  // namespace quadrix
