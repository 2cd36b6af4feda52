#pragma once

#include "fonts/Mask.h"
#include "kit/Types.h"

namespace fonts {

// A font as the renderer sees it. Height, line height and descender are given at the font's design
// size; multiplied by the scale they are GUI units. The glyph operations work in pixels at a size the
// renderer picks (getPixelSize) so that text stays crisp at any window size. A font that cannot draw
// (its file is missing) measures as empty and rasterises nothing.
class Font {
public:
    Font(const kit::String& name, float height, float scale, float lineHeight, float descender);
    virtual ~Font() = default;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    const kit::String& getName() const { return name; }
    float getHeight() const { return height; }
    float getScale() const { return scale; }
    float getLineHeight() const { return lineHeight; }
    float getDescender() const { return descender; }

    // Height of the glyphs and distance between baselines, in GUI units.
    float getUnitHeight() const { return height * scale; }
    float getUnitLineHeight() const { return lineHeight * scale; }

    // Pixel size of the glyphs at a number of window pixels per GUI unit, at least 1.
    int getPixelSize(float pixelScale) const;

    virtual bool isUsable() const = 0;
    // Whether the font draws the code point itself (a font that cannot tell says yes).
    virtual bool hasGlyph(char32_t codePoint) {
        (void)codePoint;
        return true;
    }
    // Whether outlines (borders) can be drawn.
    virtual bool canOutline() const = 0;
    // Advance width of a run of UTF-8 text, in pixels.
    virtual int measure(const kit::String& utf8, int pixelSize) = 0;
    // Distance from the baseline up to the top of the font's box, and down to its bottom, in pixels.
    virtual int getAscent(int pixelSize) = 0;
    virtual int getDescent(int pixelSize) = 0;
    // Coverage of a run whose pen starts at x = 0 with the top of the font's box at y = 0. With an
    // outline of n pixels the run is drawn n pixels thicker and the mask starts at (-n, -n). False
    // when nothing could be drawn.
    virtual bool rasterize(const kit::String& utf8, int pixelSize, int outline, Mask& mask) = 0;

private:
    kit::String name;
    float height;
    float scale;
    float lineHeight;
    float descender;
};

}  // namespace fonts
