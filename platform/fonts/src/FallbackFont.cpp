#include "FallbackFont.h"

#include <algorithm>

#include "Unicode.h"

namespace fonts {

FallbackFont::FallbackFont(Font& main, const kit::Array<Font*>& fallbacks)
    : Font(main.getName(), main.getHeight(), main.getScale(), main.getLineHeight(), main.getDescender()),
      main(main),
      fallbacks(fallbacks) {}

// Spaces and controls are always the main font's, as the layout measures them on their own: a space
// drawn in a wider fallback font would push the next word onto the one measured after it.
Font& FallbackFont::fontFor(char32_t codePoint) {
    if (codePoint <= U' ' || main.hasGlyph(codePoint)) {
        return main;
    }
    for (Font* fallback : fallbacks) {
        if (fallback->isUsable() && fallback->hasGlyph(codePoint)) {
            return *fallback;
        }
    }
    return main;
}

kit::Array<FallbackFont::Run> FallbackFont::runs(const kit::String& utf8) {
    kit::Array<Run> result;
    for (size_t i = 0; i < utf8.size();) {
        size_t begin = i;
        char32_t codePoint = unicode::next(utf8, i);
        if (unicode::isEmojiShaping(codePoint)) {
            continue;
        }
        Font* font = &fontFor(codePoint);
        if (result.empty() || result.back().font != font) {
            result.push_back({font, ""});
        }
        result.back().text.append(utf8, begin, i - begin);
    }
    return result;
}

int FallbackFont::measure(const kit::String& utf8, int pixelSize) {
    int width = 0;
    for (const Run& run : runs(utf8)) {
        width += run.font->measure(run.text, pixelSize);
    }
    return width;
}

bool FallbackFont::rasterize(const kit::String& utf8, int pixelSize, int outline, Mask& mask) {
    kit::Array<Run> parts = runs(utf8);
    if (parts.size() == 1 && parts[0].font == &main) {
        return main.rasterize(utf8, pixelSize, outline, mask);
    }
    // Each run is drawn alone and stamped in at its pen position, its baseline on the main font's.
    struct Stamp {
        Mask mask;
        int x;
        int y;
    };
    kit::Array<Stamp> stamps;
    int pen = 0;
    int width = 0;
    int ascent = main.getAscent(pixelSize);
    int height = ascent + main.getDescent(pixelSize) + 2 * outline;
    for (const Run& run : parts) {
        Stamp stamp{Mask(), pen, ascent - run.font->getAscent(pixelSize)};
        if (run.font->rasterize(run.text, pixelSize, outline, stamp.mask)) {
            width = std::max(width, stamp.x + stamp.mask.getWidth());
            height = std::max(height, stamp.y + stamp.mask.getHeight());
            stamps.push_back(std::move(stamp));
        }
        pen += run.font->measure(run.text, pixelSize);
    }
    if (stamps.empty()) {
        return false;
    }
    // The mask's top stays the main font's box: what a taller fallback glyph reaches above it is cut.
    mask = Mask(width, height);
    for (const Stamp& stamp : stamps) {
        for (int y = std::max(0, -stamp.y); y < stamp.mask.getHeight(); ++y) {
            for (int x = 0; x < stamp.mask.getWidth(); ++x) {
                int tx = stamp.x + x;
                int ty = stamp.y + y;
                mask.set(tx, ty, std::max(mask.at(tx, ty), stamp.mask.at(x, y)));
            }
        }
    }
    return true;
}

}  // namespace fonts
