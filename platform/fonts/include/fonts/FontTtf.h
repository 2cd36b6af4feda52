#pragma once

#include <memory>

#include "fonts/Font.h"

namespace fonts {

// A TrueType or OpenType font file (also a collection, whose first face is used) read from the
// read-only data root through SDL2_ttf with FreeType and HarfBuzz. Keeps one handle per pixel size and
// outline thickness: changing the outline of a handle would empty its glyph cache. Needs fonts::init.
class FontTtf : public Font {
public:
    // file is a resource name ("data/gui/fonts/ptsans.ttf"). A missing or unreadable file writes an
    // error and gives a font that measures as empty. Without loadBorder no outlines are drawn.
    FontTtf(const kit::String& file, const kit::String& name, float height, float scale, float lineHeight,
            float descender, bool loadBorder);
    ~FontTtf() override;

    const kit::String& getFile() const { return file; }
    bool isUsable() const override;
    bool hasGlyph(char32_t codePoint) override;
    bool canOutline() const override;
    int measure(const kit::String& utf8, int pixelSize) override;
    int getAscent(int pixelSize) override;
    int getDescent(int pixelSize) override;
    bool rasterize(const kit::String& utf8, int pixelSize, int outline, Mask& mask) override;

    struct Impl;

private:
    kit::String file;
    bool loadBorder;
    std::unique_ptr<Impl> impl;
};

}  // namespace fonts
