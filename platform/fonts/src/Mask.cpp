#include "fonts/Mask.h"

#include <algorithm>

namespace fonts {

Mask::Mask(int width, int height)
    : width(std::max(width, 0)),
      height(std::max(height, 0)),
      coverage(static_cast<size_t>(this->width) * this->height, 0) {}

}  // namespace fonts
