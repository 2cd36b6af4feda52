#include "fonts/Renderer.h"

#include <algorithm>
#include <map>
#include <set>

#include "FallbackFont.h"
#include "LabelPainter.h"
#include "RenderCache.h"
#include "ScaledFont.h"
#include "TextLayout.h"
#include "fonts/Markup.h"
#include "host/RenderSystem.h"
#include "kit/Log.h"
#include "kit/Strings.h"

namespace fonts {

Renderer* renderer = nullptr;

namespace {

constexpr const char* Tag = "fonts";
constexpr size_t DefaultMaxEntries = 512;
constexpr size_t DefaultMaxBytes = 64u << 20;
// Scales beyond this are typing errors in a data set, not sizes.
constexpr float MaxFactor = 100.0f;

// "name:1.1" -> ("name", 1.1); a name without a valid scale keeps factor 0.
std::pair<kit::String, float> splitScale(const kit::String& name) {
    size_t colon = name.rfind(':');
    if (colon == kit::String::npos || !kit::isFloat(name.substr(colon + 1))) {
        return {name, 0.0f};
    }
    float factor = kit::toFloat(name.substr(colon + 1));
    if (!(factor > 0.0f && factor <= MaxFactor)) {
        return {name, 0.0f};
    }
    return {name.substr(0, colon), factor};
}

// Cache keys hold the fields' bytes: looked up for every label in every frame, they must be cheap.
template <class T>
void appendBytes(kit::String& key, const T& value) {
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

struct Renderer::Impl {
    kit::Map<kit::String, std::unique_ptr<Font>> fonts;
    // "name:scale" views of registered fonts, made on first use.
    kit::Map<kit::String, std::unique_ptr<Font>> views;
    // Names of the fonts that lend missing characters, and the fonts wrapped with them.
    kit::Array<kit::String> fallbackNames;
    std::map<Font*, std::unique_ptr<FallbackFont>> withFallbacks;
    Font* defaultFont = nullptr;
    std::set<kit::String> warned;
    bool warnedNoRenderSystem = false;
    RenderCache cache{DefaultMaxEntries, DefaultMaxBytes};
    Stats stats;

    void warnOnce(const kit::String& key, const kit::String& message) {
        if (warned.insert(key).second) {
            kit::Log::warn(Tag, message);
        }
    }

    Font* registered(const kit::String& name) const {
        auto found = fonts.find(name);
        return found == fonts.end() ? nullptr : found->second.get();
    }

    Font* view(const kit::String& name, const kit::String& baseName, float factor) {
        Font* base = baseName.empty() ? defaultFont : registered(baseName);
        if (base == nullptr) {
            warnOnce(name, "Font '" + baseName + "' is not registered: the default font stands in");
            base = defaultFont;
        }
        if (base == nullptr) {
            return nullptr;
        }
        auto& slot = views[name];
        slot = std::make_unique<ScaledFont>(name, *base, factor);
        return slot.get();
    }

    // The font wrapped with the fallbacks other than itself; the font alone when there are none.
    Font* lendingTo(Font* font) {
        if (font == nullptr || fallbackNames.empty()) {
            return font;
        }
        auto& slot = withFallbacks[font];
        if (slot == nullptr) {
            kit::Array<Font*> lenders;
            for (const kit::String& name : fallbackNames) {
                Font* lender = registered(name);
                if (lender != nullptr && lender != font && lender->getName() != font->getName()) {
                    lenders.push_back(lender);
                }
            }
            slot = std::make_unique<FallbackFont>(*font, lenders);
        }
        return slot.get();
    }

    // Views, wrapped fonts and cached labels refer to fonts: all go whenever a font does.
    void forgetViews() {
        withFallbacks.clear();
        views.clear();
        cache.clear();
    }
};

Renderer::Renderer() : impl(std::make_unique<Impl>()) {}

Renderer::~Renderer() {
    destroyAllFonts();
}

void Renderer::registerFont(Font* font, bool allowDefault) {
    if (font == nullptr) {
        kit::Log::warn(Tag, "A null font cannot be registered");
        return;
    }
    auto& slot = impl->fonts[font->getName()];
    bool wasDefault = slot != nullptr && impl->defaultFont == slot.get();
    if (slot != nullptr) {
        kit::Log::warn(Tag, "Font '" + font->getName() + "' is registered again: the new one replaces it");
        impl->forgetViews();
    }
    slot.reset(font);
    impl->withFallbacks.clear();
    if (wasDefault || (allowDefault && impl->defaultFont == nullptr)) {
        impl->defaultFont = font;
    }
}

Font* Renderer::getFont(const kit::String& name) {
    return impl->lendingTo(findFont(name));
}

Font* Renderer::findFont(const kit::String& name) {
    if (name.empty()) {
        return impl->defaultFont;
    }
    if (Font* font = impl->registered(name)) {
        return font;
    }
    auto view = impl->views.find(name);
    if (view != impl->views.end()) {
        return view->second.get();
    }
    auto [baseName, factor] = splitScale(name);
    if (factor > 0.0f) {
        return impl->view(name, baseName, factor);
    }
    impl->warnOnce(name, "Font '" + name + "' is not registered: the default font stands in");
    return impl->defaultFont;
}

void Renderer::setFallbackFonts(const kit::Array<kit::String>& names) {
    impl->fallbackNames = names;
    impl->withFallbacks.clear();
    impl->cache.clear();
}

bool Renderer::hasFont(const kit::String& name) const {
    return impl->registered(splitScale(name).first) != nullptr;
}

Font* Renderer::getDefaultFont() const {
    return impl->defaultFont;
}

void Renderer::destroyAllFonts() {
    impl->forgetViews();
    impl->defaultFont = nullptr;
    impl->fonts.clear();
    impl->warned.clear();
}

void Renderer::setIdeographWrapping(bool enabled) {
    if (enabled != ideographWrapping) {
        ideographWrapping = enabled;
        impl->cache.clear();
    }
}

void Renderer::setPixelScale(float scale) {
    if (!(scale > 0.0f)) {
        kit::Log::warn(Tag, "Pixel scale " + kit::toString(scale) + " ignored: it must be positive");
        return;
    }
    if (scale != pixelScale) {
        pixelScale = scale;
        impl->cache.clear();
    }
}

void Renderer::setBorderThickness(float thickness) {
    borderThickness = std::max(thickness, 0.0f);
    impl->cache.clear();
}

void Renderer::setShadowOffset(const quadrix::Vector2& offset) {
    shadowOffset = offset;
    impl->cache.clear();
}

Horizontal Renderer::resolve(Horizontal horizontal) const {
    return horizontal == Horizontal::Justified ? justifiedDefault : horizontal;
}

float Renderer::getTextWidth(const kit::String& text, const kit::String& fontName) {
    Font* font = getFont(fontName);
    if (font == nullptr || !font->isUsable()) {
        return 0.0f;
    }
    TextLayout layout(*font, font->getPixelSize(pixelScale), ideographWrapping);
    int widest = 0;
    for (const TextLayout::Line& line : layout.layout(Markup::parse(text), 0, false)) {
        widest = std::max(widest, line.width);
    }
    return widest / pixelScale;
}

float Renderer::getTextHeight(const kit::String& text, const kit::String& fontName, float maxWidth,
                              Horizontal horizontal) {
    Font* font = getFont(fontName);
    if (font == nullptr || !font->isUsable()) {
        return 0.0f;
    }
    float width = isWrapped(resolve(horizontal)) ? maxWidth : 0.0f;
    return wrap(text, fontName, width).size() * font->getUnitLineHeight();
}

float Renderer::getLineHeight(const kit::String& fontName) {
    Font* font = getFont(fontName);
    return font == nullptr ? 0.0f : font->getUnitLineHeight();
}

kit::Array<kit::String> Renderer::wrap(const kit::String& text, const kit::String& fontName, float maxWidth) {
    Font* font = getFont(fontName);
    if (font == nullptr || !font->isUsable()) {
        return {};
    }
    TextLayout layout(*font, font->getPixelSize(pixelScale), ideographWrapping);
    int maxPixels = maxWidth > 0.0f ? std::max(1, static_cast<int>(maxWidth * pixelScale + 0.001f)) : 0;
    kit::Array<kit::String> result;
    for (const TextLayout::Line& line : layout.layout(Markup::parse(text), maxPixels, false)) {
        kit::String joined;
        for (const TextLayout::Piece& piece : line.pieces) {
            joined += piece.text;
        }
        result.push_back(std::move(joined));
    }
    return result;
}

kit::String Renderer::makeCacheKey(const kit::String& text, const TextStyle& style, float width,
                                   float height) const {
    kit::String key;
    key.reserve(64 + style.font.size() + text.size());
    appendBytes(key, resolve(style.horizontal));
    appendBytes(key, style.vertical);
    appendBytes(key, style.color);
    appendBytes(key, style.effect);
    appendBytes(key, style.effectColor);
    appendBytes(key, style.markup);
    appendBytes(key, style.ellipsis);
    appendBytes(key, style.shrinkLimit);
    appendBytes(key, width);
    appendBytes(key, height);
    appendBytes(key, ideographWrapping);
    appendBytes(key, style.font.size());
    key += style.font;
    key += text;
    return key;
}

const RenderedText* Renderer::render(const kit::String& text, const TextStyle& style, float width,
                                     float height) {
    if (text.empty()) {
        return nullptr;
    }
    kit::String key = makeCacheKey(text, style, width, height);
    if (const RenderedText* cached = impl->cache.find(key)) {
        ++impl->stats.cacheHits;
        return cached->texture == nullptr ? nullptr : cached;
    }
    Font* font = getFont(style.font);
    if (font == nullptr || !font->isUsable()) {
        return nullptr;
    }
    if (host::rendersys == nullptr) {
        if (!impl->warnedNoRenderSystem) {
            kit::Log::warn(Tag, "Text cannot be rendered before host::init");
            impl->warnedNoRenderSystem = true;
        }
        return nullptr;
    }
    LabelPainter painter(*font, {pixelScale, borderThickness, shadowOffset, ideographWrapping});
    RenderedText rendered;
    auto bitmap = painter.paint(text, style, resolve(style.horizontal), width, height, rendered.area);
    size_t bytes = 0;
    if (bitmap) {
        rendered.texture = host::rendersys->createTextureFromPixels(bitmap->getWidth(), bitmap->getHeight(),
                                                                    bitmap->getPixels());
        bytes = static_cast<size_t>(bitmap->getWidth()) * bitmap->getHeight() * 4;
    }
    ++impl->stats.rendered;
    const RenderedText* stored = impl->cache.insert(key, rendered, bytes);
    return stored->texture == nullptr ? nullptr : stored;
}

void Renderer::clearCache() {
    impl->cache.clear();
}

void Renderer::setCacheLimits(size_t maxEntries, size_t maxBytes) {
    impl->cache.setLimits(maxEntries, maxBytes);
}

Renderer::Stats Renderer::getStats() const {
    Stats stats = impl->stats;
    stats.cachedEntries = impl->cache.size();
    stats.cachedBytes = impl->cache.bytes();
    return stats;
}

}  // namespace fonts
