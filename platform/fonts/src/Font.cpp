#include "fonts/Font.h"

#include <algorithm>
#include <cmath>

namespace fonts {

namespace {
// Beyond this a label would not fit any texture; it also keeps nonsense scales from asking FreeType
// for absurd sizes.
constexpr int MaxPixelSize = 1024;
}  // namespace

Font::Font(const kit::String& name, float height, float scale, float lineHeight, float descender)
    : name(name), height(height), scale(scale), lineHeight(lineHeight), descender(descender) {}

int Font::getPixelSize(float pixelScale) const {
    float size = std::round(height * scale * pixelScale);
    if (!(size >= 1.0f)) {
        return 1;
    }
    return std::min(static_cast<int>(size), MaxPixelSize);
}

}  // namespace fonts
