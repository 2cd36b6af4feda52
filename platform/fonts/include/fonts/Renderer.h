#pragma once

#include <cstddef>
#include <memory>

#include "fonts/Font.h"
#include "fonts/Horizontal.h"
#include "fonts/RenderedText.h"
#include "fonts/TextStyle.h"
#include "kit/Types.h"
#include "quadrix/Vector2.h"

namespace fonts {

// The text renderer: the registered fonts, measuring and wrapping in GUI units, and labels rendered
// into textures that are kept in a bounded least-recently-used cache, so an unchanged label is
// rasterised once. Made by fonts::init and reached through fonts::renderer; main thread only.
//
// Font names may carry a scale after a colon: "default:1.1" is the font "default" drawn 1.1 times as
// large. An unknown name falls back to the default font (with one warning per name).
class Renderer {
public:
    Renderer();
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Takes ownership. A font of a name already registered replaces it. The first font registered
    // with allowDefault becomes the default font.
    void registerFont(Font* font, bool allowDefault);
    // Null only when no font can stand in (none registered). With fallback fonts set, the font comes
    // wrapped so that it borrows the characters it lacks from them.
    Font* getFont(const kit::String& name);
    // Registered fonts, in order, that lend their characters to every other font (a Cyrillic and a
    // Chinese font behind a Latin one, so that any player's name shows), registered before or after.
    void setFallbackFonts(const kit::Array<kit::String>& names);
    // Whether the name (without its ":scale") is registered.
    bool hasFont(const kit::String& name) const;
    Font* getDefaultFont() const;
    // Deletes every font and empties the cache.
    void destroyAllFonts();

    // What Horizontal::Justified stands for (Justified at first; the game picks LeftWrapped for
    // Chinese, Japanese and Korean).
    void setJustifiedDefault(Horizontal horizontal) { justifiedDefault = horizontal; }
    Horizontal getJustifiedDefault() const { return justifiedDefault; }
    // Whether lines may also break between two ideographs (Chinese, Japanese, Korean text).
    void setIdeographWrapping(bool enabled);
    bool isIdeographWrapping() const { return ideographWrapping; }

    // Window pixels per GUI unit: glyphs are rasterised at height x scale x pixelScale pixels.
    // Changing it empties the cache.
    void setPixelScale(float pixelScale);
    float getPixelScale() const { return pixelScale; }
    // Outline thickness of borders and offset of shadows, in GUI units (2 and (2, 2) at first).
    void setBorderThickness(float thickness);
    float getBorderThickness() const { return borderThickness; }
    void setShadowOffset(const quadrix::Vector2& offset);
    const quadrix::Vector2& getShadowOffset() const { return shadowOffset; }

    // Widest line of the text in GUI units, mark-up not counted.
    float getTextWidth(const kit::String& text, const kit::String& font);
    // Number of lines x line height, in GUI units; wrapped alignments break lines at maxWidth.
    float getTextHeight(const kit::String& text, const kit::String& font, float maxWidth,
                        Horizontal horizontal);
    // Distance between baselines of the font, in GUI units.
    float getLineHeight(const kit::String& font);
    // The visible text (mark-up dropped) broken into lines at maxWidth GUI units; 0 or less breaks
    // only at line feeds.
    kit::Array<kit::String> wrap(const kit::String& text, const kit::String& font, float maxWidth);

    // The text drawn for a label of width x height GUI units. Null for empty or invisible text, an
    // unusable font or no render system. The result stays valid until the next render call, the next
    // clearCache or font change.
    const RenderedText* render(const kit::String& text, const TextStyle& style, float width, float height);
    void clearCache();
    // At most this many labels and bytes of pixels stay cached (512 labels, 64 MiB at first).
    void setCacheLimits(size_t maxEntries, size_t maxBytes);

    struct Stats {
        // Labels rasterised, and render calls answered from the cache.
        int rendered = 0;
        int cacheHits = 0;
        size_t cachedEntries = 0;
        size_t cachedBytes = 0;
    };
    Stats getStats() const;

    struct Impl;

private:
    // The font of a name as registered, without fallbacks.
    Font* findFont(const kit::String& name);
    Horizontal resolve(Horizontal horizontal) const;
    kit::String makeCacheKey(const kit::String& text, const TextStyle& style, float width,
                             float height) const;

    std::unique_ptr<Impl> impl;
    Horizontal justifiedDefault = Horizontal::Justified;
    bool ideographWrapping = false;
    float pixelScale = 1.0f;
    float borderThickness = 2.0f;
    quadrix::Vector2 shadowOffset{2.0f, 2.0f};
};

// The renderer made by fonts::init (null before it and after fonts::destroy).
extern Renderer* renderer;

}  // namespace fonts
