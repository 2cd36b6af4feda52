#pragma once

#include <cstdint>

#include "fonts/Mask.h"
#include "host/Color.h"
#include "kit/Types.h"

namespace fonts {

// An RGBA picture (four bytes per pixel, not premultiplied, rows top down) on which a label's masks
// are painted before it becomes a texture. Starts transparent.
class Bitmap {
public:
    Bitmap(int width, int height);

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    const uint8_t* getPixels() const { return pixels.data(); }
    host::Color at(int x, int y) const;

    // Paints the mask in the colour with its top-left corner at (x, y), source over destination;
    // parts outside the picture are cut off.
    void paint(const Mask& mask, int x, int y, const host::Color& color);
    // Gives each transparent pixel next to a visible one that neighbour's colour (still transparent), so
    // that linear filtering of a scaled or rotated texture blends edges towards the text's colour
    // instead of towards black.
    void bleedEdges();

private:
    void blendPixel(size_t offset, const host::Color& color, unsigned coverage);

    int width;
    int height;
    kit::Array<uint8_t> pixels;
};

}  // namespace fonts
