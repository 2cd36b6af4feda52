#pragma once

#include "fonts/Font.h"

namespace fonts {

// A registered font drawn larger or smaller ("default:1.1"): same face and proportions, its scale
// multiplied by a factor. The glyph work is the base font's.
class ScaledFont : public Font {
public:
    ScaledFont(const kit::String& name, Font& base, float factor);

    bool isUsable() const override { return base.isUsable(); }
    bool canOutline() const override { return base.canOutline(); }
    bool hasGlyph(char32_t codePoint) override { return base.hasGlyph(codePoint); }
    int measure(const kit::String& utf8, int pixelSize) override { return base.measure(utf8, pixelSize); }
    int getAscent(int pixelSize) override { return base.getAscent(pixelSize); }
    int getDescent(int pixelSize) override { return base.getDescent(pixelSize); }
    bool rasterize(const kit::String& utf8, int pixelSize, int outline, Mask& mask) override {
        return base.rasterize(utf8, pixelSize, outline, mask);
    }

private:
    Font& base;
};

}  // namespace fonts
