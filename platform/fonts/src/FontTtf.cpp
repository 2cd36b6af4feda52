#include "fonts/FontTtf.h"

#include <SDL2/SDL_ttf.h>

#include <map>
#include <utility>

#include "kit/Log.h"
#include "kit/MappedFile.h"
#include "kit/ResourceDir.h"

namespace fonts {

namespace {

constexpr const char* Tag = "fonts";
// Handles kept per font: sizes and outlines in use at once (plain, outlined, a scaled view or two).
constexpr size_t MaxHandles = 8;

}  // namespace

struct FontTtf::Impl {
    struct Handle {
        TTF_Font* font = nullptr;
        uint64_t lastUse = 0;
    };

    // FreeType reads the face from the mapped file for as long as a handle is open: only the glyphs
    // drawn are ever read, which matters for the large fonts that lend other scripts their characters.
    kit::MappedFile bytes;
    bool usable = false;
    std::map<std::pair<int, int>, Handle> handles;
    uint64_t clock = 0;

    ~Impl() {
        // After TTF_Quit FreeType is gone and the handles with it; closing them would crash.
        if (TTF_WasInit() == 0) {
            return;
        }
        for (auto& [key, handle] : handles) {
            TTF_CloseFont(handle.font);
        }
    }

    TTF_Font* open(int pixelSize) const {
        SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
        return stream == nullptr ? nullptr : TTF_OpenFontRW(stream, 1, pixelSize);
    }

    TTF_Font* get(int pixelSize, int outline) {
        if (!usable || TTF_WasInit() == 0) {
            return nullptr;
        }
        auto key = std::make_pair(pixelSize, outline);
        auto found = handles.find(key);
        if (found != handles.end()) {
            found->second.lastUse = ++clock;
            return found->second.font;
        }
        TTF_Font* font = open(pixelSize);
        if (font == nullptr) {
            return nullptr;
        }
        TTF_SetFontOutline(font, outline);
        dropOldest();
        handles[key] = Handle{font, ++clock};
        return font;
    }

    void dropOldest() {
        if (handles.size() < MaxHandles) {
            return;
        }
        auto oldest = handles.begin();
        for (auto it = handles.begin(); it != handles.end(); ++it) {
            if (it->second.lastUse < oldest->second.lastUse) {
                oldest = it;
            }
        }
        TTF_CloseFont(oldest->second.font);
        handles.erase(oldest);
    }
};

FontTtf::FontTtf(const kit::String& file, const kit::String& name, float height, float scale,
                 float lineHeight, float descender, bool loadBorder)
    : Font(name, height, scale, lineHeight, descender),
      file(file),
      loadBorder(loadBorder),
      impl(std::make_unique<Impl>()) {
    if (!impl->bytes.open(kit::ResourceDir::getPath(file))) {
        kit::Log::error(Tag, "Font file '" + file + "' of font '" + name + "' cannot be read");
        return;
    }
    if (TTF_WasInit() == 0) {
        kit::Log::error(Tag, "Font '" + name + "' made before fonts::init: it draws nothing");
        return;
    }
    TTF_Font* probe = impl->open(getPixelSize(1.0f));
    if (probe == nullptr) {
        kit::Log::error(Tag, "Font file '" + file + "' is not a font: " + TTF_GetError());
        return;
    }
    impl->usable = true;
    impl->handles[{getPixelSize(1.0f), 0}] = Impl::Handle{probe, ++impl->clock};
}

FontTtf::~FontTtf() = default;

bool FontTtf::isUsable() const {
    return impl->usable;
}

bool FontTtf::canOutline() const {
    return loadBorder && impl->usable;
}

bool FontTtf::hasGlyph(char32_t codePoint) {
    TTF_Font* font = impl->get(getPixelSize(1.0f), 0);
    return font != nullptr && TTF_GlyphIsProvided32(font, codePoint) != 0;
}

int FontTtf::measure(const kit::String& utf8, int pixelSize) {
    TTF_Font* font = impl->get(pixelSize, 0);
    int width = 0;
    if (font == nullptr || utf8.empty() || TTF_SizeUTF8(font, utf8.c_str(), &width, nullptr) != 0) {
        return 0;
    }
    return width;
}

int FontTtf::getAscent(int pixelSize) {
    TTF_Font* font = impl->get(pixelSize, 0);
    return font == nullptr ? 0 : TTF_FontAscent(font);
}

int FontTtf::getDescent(int pixelSize) {
    TTF_Font* font = impl->get(pixelSize, 0);
    return font == nullptr ? 0 : -TTF_FontDescent(font);
}

bool FontTtf::rasterize(const kit::String& utf8, int pixelSize, int outline, Mask& mask) {
    TTF_Font* font = impl->get(pixelSize, outline > 0 && loadBorder ? outline : 0);
    if (font == nullptr || utf8.empty()) {
        return false;
    }
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, utf8.c_str(), SDL_Color{255, 255, 255, 255});
    if (rendered == nullptr) {
        return false;
    }
    SDL_Surface* argb = rendered;
    if (rendered->format->format != SDL_PIXELFORMAT_ARGB8888) {
        argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(rendered);
    }
    if (argb == nullptr) {
        return false;
    }
    mask = Mask(argb->w, argb->h);
    for (int y = 0; y < argb->h; ++y) {
        auto* row =
            reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) + y * argb->pitch);
        for (int x = 0; x < argb->w; ++x) {
            mask.set(x, y, static_cast<uint8_t>(row[x] >> 24));
        }
    }
    SDL_FreeSurface(argb);
    return true;
}

}  // namespace fonts
