#pragma once

#include "fonts/Font.h"

namespace fonts {

// A registered font that borrows the characters it lacks from fallback fonts, so that a Cyrillic or
// Chinese name shows in a Latin interface font instead of empty boxes. Text is cut into runs of one
// font each; every run keeps the main font's baseline, size and box.
class FallbackFont : public Font {
public:
    FallbackFont(Font& main, const kit::Array<Font*>& fallbacks);

    bool isUsable() const override { return main.isUsable(); }
    bool canOutline() const override { return main.canOutline(); }
    bool hasGlyph(char32_t codePoint) override {
        return &fontFor(codePoint) != &main || main.hasGlyph(codePoint);
    }
    int measure(const kit::String& utf8, int pixelSize) override;
    int getAscent(int pixelSize) override { return main.getAscent(pixelSize); }
    int getDescent(int pixelSize) override { return main.getDescent(pixelSize); }
    bool rasterize(const kit::String& utf8, int pixelSize, int outline, Mask& mask) override;

private:
    struct Run {
        Font* font;
        kit::String text;
    };

    // The main font when it has the character or nobody has it, else the first fallback that has it.
    Font& fontFor(char32_t codePoint);
    kit::Array<Run> runs(const kit::String& utf8);

    Font& main;
    kit::Array<Font*> fallbacks;
};

}  // namespace fonts
