#pragma once

#include <cstdint>

#include "kit/Types.h"

namespace fonts {

// Coverage of rasterised glyphs: one byte per pixel, 0 (empty) to 255 (covered), rows top down.
class Mask {
public:
    Mask() = default;
    Mask(int width, int height);

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    uint8_t at(int x, int y) const { return coverage[static_cast<size_t>(y) * width + x]; }
    void set(int x, int y, uint8_t value) { coverage[static_cast<size_t>(y) * width + x] = value; }

private:
    int width = 0;
    int height = 0;
    kit::Array<uint8_t> coverage;
};

}  // namespace fonts
