#include "fonts/Bitmap.h"

#include <algorithm>

namespace fonts {

Bitmap::Bitmap(int width, int height)
    : width(std::max(width, 0)),
      height(std::max(height, 0)),
      pixels(size_t(this->width) * this->height * 4, 0) {}

host::Color Bitmap::at(int x, int y) const {
    const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

void Bitmap::paint(const Mask& mask, int x, int y, const host::Color& color) {
    int x0 = std::max(x, 0);
    int y0 = std::max(y, 0);
    int x1 = std::min(x + mask.getWidth(), width);
    int y1 = std::min(y + mask.getHeight(), height);
    for (int py = y0; py < y1; ++py) {
        for (int px = x0; px < x1; ++px) {
            unsigned coverage = mask.at(px - x, py - y);
            if (coverage != 0) {
                blendPixel((static_cast<size_t>(py) * width + px) * 4, color, coverage);
            }
        }
    }
}

void Bitmap::bleedEdges() {
    kit::Array<uint8_t> original = pixels;
    auto alphaAt = [&](int x, int y) { return original[(static_cast<size_t>(y) * width + x) * 4 + 3]; };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (alphaAt(x, y) != 0) {
                continue;
            }
            // The most opaque neighbour lends its colour.
            size_t source = 0;
            uint8_t best = 0;
            for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, height - 1); ++ny) {
                for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, width - 1); ++nx) {
                    if (alphaAt(nx, ny) > best) {
                        best = alphaAt(nx, ny);
                        source = (static_cast<size_t>(ny) * width + nx) * 4;
                    }
                }
            }
            if (best != 0) {
                std::copy_n(&original[source], 3, &pixels[(static_cast<size_t>(y) * width + x) * 4]);
            }
        }
    }
}

// Source over destination with straight (not premultiplied) alpha, in integers scaled by 255.
void Bitmap::blendPixel(size_t offset, const host::Color& color, unsigned coverage) {
    uint8_t* p = &pixels[offset];
    unsigned srcA = coverage * color.a;           // 0..255*255
    unsigned dstA = p[3] * (65025 - srcA) / 255;  // destination left visible, 0..255*255
    unsigned outA = srcA + dstA;
    if (outA == 0) {
        return;
    }
    const uint8_t src[3] = {color.r, color.g, color.b};
    for (int c = 0; c < 3; ++c) {
        p[c] = static_cast<uint8_t>((src[c] * srcA + p[c] * dstA + outA / 2) / outA);
    }
    p[3] = static_cast<uint8_t>((outA + 127) / 255);
}

}  // namespace fonts
