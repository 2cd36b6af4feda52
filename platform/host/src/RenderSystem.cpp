#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <vector>

#include "Internal.h"
#include "TurnedBlit.h"
#include "kit/File.h"
#include "kit/Format.h"
#include "kit/Log.h"
#include "kit/ResourceDir.h"
#include "kit/Strings.h"

namespace host {

namespace {

int maxAsyncUploadsPerFrame = 0;

int softwareDriverIndex() {
    int count = SDL_GetNumRenderDrivers();
    for (int i = 0; i < count; ++i) {
        SDL_RendererInfo info;
        if (SDL_GetRenderDriverInfo(i, &info) == 0 && SDL_strcmp(info.name, "software") == 0) {
            return i;
        }
    }
    return -1;
}

quadrix::Rectangle effectiveOrtho(const RenderSystem::Impl& render) {
    if (render.orthoSet) {
        return render.ortho;
    }
    return quadrix::Rectangle(0.0f, 0.0f, render.viewport.w, render.viewport.h);
}

// GUI units -> pixels relative to the viewport's top-left corner.
quadrix::Vector2 toViewportPixels(const RenderSystem::Impl& render, const quadrix::Vector2& point) {
    quadrix::Rectangle ortho = effectiveOrtho(render);
    // Multiplied before dividing, so that whole numbers map exactly.
    float x = ortho.w != 0.0f ? (point.x - ortho.x) * render.viewport.w / ortho.w : point.x - ortho.x;
    float y = ortho.h != 0.0f ? (point.y - ortho.y) * render.viewport.h / ortho.h : point.y - ortho.y;
    return quadrix::Vector2(x, y);
}

int roundInt(float value) {
    return static_cast<int>(std::lround(value));
}

// The clip rectangle in pixels relative to the viewport.
SDL_Rect clipPixels(const RenderSystem::Impl& render) {
    quadrix::Vector2 topLeft = toViewportPixels(render, render.clipRect.getTopLeft());
    quadrix::Vector2 bottomRight = toViewportPixels(render, render.clipRect.getBottomRight());
    int x0 = roundInt(std::min(topLeft.x, bottomRight.x));
    int y0 = roundInt(std::min(topLeft.y, bottomRight.y));
    int x1 = roundInt(std::max(topLeft.x, bottomRight.x));
    int y1 = roundInt(std::max(topLeft.y, bottomRight.y));
    return SDL_Rect{x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

SDL_Rect viewportPixels(const RenderSystem::Impl& render) {
    return SDL_Rect{roundInt(render.viewport.x), roundInt(render.viewport.y), roundInt(render.viewport.w),
                    roundInt(render.viewport.h)};
}

void applyClip(RenderSystem::Impl& render) {
    if (render.renderer == nullptr) {
        return;
    }
    if (!render.clipping) {
        SDL_RenderSetClipRect(render.renderer, nullptr);
        return;
    }
    SDL_Rect rect = clipPixels(render);
    if (rect.w == 0 || rect.h == 0) {
        // SDL treats an empty rectangle as "no clipping": cut to a spot outside the viewport instead.
        rect = SDL_Rect{-2, -2, 1, 1};
    }
    SDL_RenderSetClipRect(render.renderer, &rect);
}

void applyViewport(RenderSystem::Impl& render) {
    if (render.renderer == nullptr) {
        return;
    }
    SDL_Rect rect = viewportPixels(render);
    SDL_RenderSetViewport(render.renderer, &rect);
    applyClip(render);
}

void configureTexture(SDL_Texture* texture) {
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
}

// An upright rectangle: corners in the order top-left, top-right, bottom-right, bottom-left.
bool isUpright(const RenderSystem::Quad& quad) {
    return quad[0].y == quad[1].y && quad[1].x == quad[2].x && quad[2].y == quad[3].y &&
           quad[3].x == quad[0].x && quad[1].x > quad[0].x && quad[3].y > quad[0].y;
}

bool isWhole(float value) {
    return std::fabs(value - std::round(value)) < 0.001f;
}

// The software renderer's kept copy of a picture scaled to the pixels it covers and tinted, or null
// when it draws at its own size untinted or no copy can be had. SDL cuts the target to whole pixels
// this way too.
SDL_Texture* scaledCopy(RenderSystem::Impl& render, SDL_Texture* texture, const SDL_Rect& source,
                        const SDL_FRect& target, const Color& color) {
    const int width = std::max(static_cast<int>(target.w), 1);
    const int height = std::max(static_cast<int>(target.h), 1);
    const bool tinted = color.r != 255 || color.g != 255 || color.b != 255;
    if (render.accelerated || (width == source.w && height == source.h && !tinted)) {
        return nullptr;
    }
    return render.scaledCopies.get(render.renderer, texture, source, width, height,
                                   SDL_Color{color.r, color.g, color.b, 255});
}

// Upright quads (most of a GUI) go through SDL's rectangle fill and copy, which the software renderer
// does several times faster than triangles. False when the quad needs the general path.
bool drawAlignedQuad(RenderSystem::Impl& render, Texture* texture, SDL_Texture* sdlTexture,
                     const RenderSystem::Quad& corners, const RenderSystem::Quad& uvs, const Color& color) {
    if (!isUpright(corners)) {
        return false;
    }
    quadrix::Vector2 topLeft = toViewportPixels(render, corners[0]);
    quadrix::Vector2 bottomRight = toViewportPixels(render, corners[2]);
    SDL_FRect target{topLeft.x, topLeft.y, bottomRight.x - topLeft.x, bottomRight.y - topLeft.y};
    if (sdlTexture == nullptr) {
        SDL_SetRenderDrawColor(render.renderer, color.r, color.g, color.b, color.a);
        if (color.a == 255) {
            SDL_SetRenderDrawBlendMode(render.renderer, SDL_BLENDMODE_NONE);
            SDL_RenderFillRectF(render.renderer, &target);
            SDL_SetRenderDrawBlendMode(render.renderer, SDL_BLENDMODE_BLEND);
        } else {
            SDL_RenderFillRectF(render.renderer, &target);
        }
        return true;
    }
    if (!isUpright(uvs)) {
        return false;
    }
    // The source must be whole texels for SDL_RenderCopy.
    float width = static_cast<float>(texture->getWidth());
    float height = static_cast<float>(texture->getHeight());
    float x0 = uvs[0].x * width;
    float y0 = uvs[0].y * height;
    float x1 = uvs[2].x * width;
    float y1 = uvs[2].y * height;
    if (!isWhole(x0) || !isWhole(y0) || !isWhole(x1) || !isWhole(y1) || x0 < 0.0f || y0 < 0.0f ||
        x1 > width + 0.001f || y1 > height + 0.001f) {
        return false;
    }
    SDL_Rect source{static_cast<int>(std::lround(x0)), static_cast<int>(std::lround(y0)),
                    static_cast<int>(std::lround(x1 - x0)), static_cast<int>(std::lround(y1 - y0))};
    const SDL_Rect* part = &source;
    Color tint = color;
    if (SDL_Texture* copy = scaledCopy(render, sdlTexture, source, target, color)) {
        sdlTexture = copy;
        part = nullptr;
        tint = Color(255, 255, 255, color.a);
    }
    SDL_SetTextureColorMod(sdlTexture, tint.r, tint.g, tint.b);
    SDL_SetTextureAlphaMod(sdlTexture, tint.a);
    SDL_RenderCopyF(render.renderer, sdlTexture, part, &target);
    return true;
}

RenderSystem::Impl::DrawState drawState(const RenderSystem::Impl& render) {
    return {render.viewport, render.orthoSet, render.ortho, render.clipping, render.clipRect};
}

void setDrawState(RenderSystem::Impl& render, const RenderSystem::Impl::DrawState& state) {
    render.viewport = state.viewport;
    render.orthoSet = state.orthoSet;
    render.ortho = state.ortho;
    render.clipping = state.clipping;
    render.clipRect = state.clipRect;
}

// FNV-1a over the values that decide the pixels of a frame.
class FrameHash {
public:
    template <class T>
    void add(const T& value) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
        // A texture's address is one of the values: its bytes are hashed, not what it points to.
        for (size_t i = 0; i < sizeof(T); ++i) {  // NOLINT(bugprone-sizeof-expression)
            hash = (hash ^ bytes[i]) * 1099511628211ull;
        }
    }
    void add(const quadrix::Rectangle& rect) {
        for (float value : {rect.x, rect.y, rect.w, rect.h}) {
            add(value);
        }
    }
    void add(const RenderSystem::Quad& quad) {
        for (const quadrix::Vector2& point : quad) {
            add(point.x);
            add(point.y);
        }
    }
    uint64_t get() const { return hash; }

private:
    uint64_t hash = 14695981039346656037ull;
};

uint64_t hashFrame(const RenderSystem::Impl& render) {
    FrameHash hash;
    hash.add(render.textureChanges);
    for (const RenderSystem::Impl::Command& command : render.commands) {
        hash.add(command.clear);
        hash.add(command.texture);
        hash.add(command.handle);
        hash.add(command.corners);
        hash.add(command.uvs);
        for (unsigned char channel : {command.color.r, command.color.g, command.color.b, command.color.a}) {
            hash.add(channel);
        }
        hash.add(command.state.viewport);
        hash.add(command.state.orthoSet);
        hash.add(command.state.ortho);
        hash.add(command.state.clipping);
        hash.add(command.state.clipRect);
    }
    return hash.get();
}

bool sameState(const RenderSystem::Impl::DrawState& a, const RenderSystem::Impl::DrawState& b) {
    auto same = [](const quadrix::Rectangle& x, const quadrix::Rectangle& y) {
        return x.x == y.x && x.y == y.y && x.w == y.w && x.h == y.h;
    };
    return same(a.viewport, b.viewport) && a.orthoSet == b.orthoSet && same(a.ortho, b.ortho) &&
           a.clipping == b.clipping && same(a.clipRect, b.clipRect);
}

}  // namespace

namespace {

// The software renderer's pictures are streaming textures, whose pixels SDL hands out: turned pictures
// are drawn from them (TurnedBlit). Other renderers keep theirs on the graphics card.
SDL_Texture* makeTexture(RenderSystem::Impl& render, int width, int height, const void* rgba, int pitch) {
    const int access = render.accelerated ? SDL_TEXTUREACCESS_STATIC : SDL_TEXTUREACCESS_STREAMING;
    SDL_Texture* texture = SDL_CreateTexture(render.renderer, SDL_PIXELFORMAT_RGBA32, access, width, height);
    if (texture != nullptr && SDL_UpdateTexture(texture, nullptr, rgba, pitch) != 0) {
        SDL_DestroyTexture(texture);
        return nullptr;
    }
    return texture;
}

bool uploadSurface(RenderSystem::Impl& render, Texture& texture, SDL_Surface* surface, void*& handle,
                   int& width, int& height) {
    SDL_Texture* sdlTexture = makeTexture(render, surface->w, surface->h, surface->pixels, surface->pitch);
    int surfaceWidth = surface->w;
    int surfaceHeight = surface->h;
    SDL_FreeSurface(surface);
    if (sdlTexture == nullptr) {
        kit::Log::error(logTag, "Cannot upload texture " + texture.getFilename() + ": " + SDL_GetError());
        return false;
    }
    configureTexture(sdlTexture);
    ++render.textureChanges;
    handle = sdlTexture;
    width = surfaceWidth;
    height = surfaceHeight;
    return true;
}

}  // namespace

Uint32 RenderSystemInternals::windowFlags(const RenderSystem::Impl& render) {
    if (render.type == RenderSystemType::Software || isHeadlessVideo()) {
        return 0;
    }
    // SDL takes the named driver, or else the first one of its list that works.
    const char* named = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    SDL_RendererInfo first;
    const char* driver = named && *named ? named : SDL_GetRenderDriverInfo(0, &first) == 0 ? first.name : "";
    return SDL_strncmp(driver, "opengl", 6) == 0 ? SDL_WINDOW_OPENGL : 0;
}

bool RenderSystemInternals::attachRenderer(RenderSystem::Impl& render, SDL_Window* sdlWindow) {
    detachRenderer(render);
    bool software = render.type == RenderSystemType::Software || isHeadlessVideo();
    // The software renderer presents its frames directly, not through an OpenGL texture (SDL's default
    // on X11), which costs a core's tenth and more per window and loads the OpenGL driver (some 60 MB
    // with Mesa's). This holds as well when SDL_RENDER_DRIVER names it.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Renderer* renderer = nullptr;
    if (!software) {
        Uint32 flags = SDL_RENDERER_ACCELERATED;
        if (render.options.vsync) {
            flags |= SDL_RENDERER_PRESENTVSYNC;
        }
        renderer = SDL_CreateRenderer(sdlWindow, -1, flags);
        if (renderer == nullptr) {
            kit::Log::warn(logTag, kit::String("No accelerated renderer (") + SDL_GetError() +
                                       "), falling back to the software renderer.");
        }
    }
    if (renderer == nullptr) {
        renderer = SDL_CreateRenderer(sdlWindow, softwareDriverIndex(), SDL_RENDERER_SOFTWARE);
    }
    if (renderer == nullptr) {
        kit::Log::error(logTag, kit::String("Cannot create a renderer: ") + SDL_GetError());
        return false;
    }
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) == 0) {
        render.name = info.name;
        render.accelerated = (info.flags & SDL_RENDERER_ACCELERATED) != 0;
    }
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    render.renderer = renderer;
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(renderer, &width, &height);
    render.viewport = quadrix::Rectangle(0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height));
    applyViewport(render);
    return true;
}

void RenderSystemInternals::detachRenderer(RenderSystem::Impl& render) {
    if (render.renderer == nullptr) {
        return;
    }
    render.commands.clear();
    render.frames.redrawNext();
    render.scaledCopies.clear();
    for (auto& [serial, texture] : render.textures) {
        if (texture->handle != nullptr) {
            SDL_DestroyTexture(static_cast<SDL_Texture*>(texture->handle));
            texture->handle = nullptr;
        }
    }
    SDL_DestroyRenderer(render.renderer);
    render.renderer = nullptr;
    render.name.clear();
    render.accelerated = false;
}

// A frame wants a picture that still waits: its decoding moves to the front of the queue.
void RenderSystemInternals::wantAsync(RenderSystem::Impl& render, Texture& texture) {
    if (texture.wanted) {
        return;
    }
    texture.wanted = true;
    render.decoder.prefer(texture.serial);
}

// True when the result was uploaded (or dropped for a texture that no longer waits).
bool RenderSystemInternals::uploadResult(RenderSystem::Impl& render, const ImageDecoder::Result& result) {
    auto it = render.textures.find(result.serial);
    if (it == render.textures.end() || !it->second->asyncQueued || render.renderer == nullptr) {
        if (result.surface != nullptr) {
            SDL_FreeSurface(result.surface);
        }
        return false;
    }
    Texture& texture = *it->second;
    texture.asyncQueued = false;
    texture.wanted = false;
    if (result.surface == nullptr) {
        texture.failed = true;
        kit::Log::error(logTag, "Cannot load texture " + texture.filename);
        return false;
    }
    if (!uploadSurface(render, texture, result.surface, texture.handle, texture.width, texture.height)) {
        texture.failed = true;
    }
    return true;
}

// Pictures a frame already wanted are uploaded first and beyond the budget; the others a few a frame.
void RenderSystemInternals::uploadAsyncTextures(RenderSystem::Impl& render) {
    std::deque<ImageDecoder::Result> urgent = render.decoder.takeUrgent([&](uint64_t serial) {
        auto it = render.textures.find(serial);
        return it != render.textures.end() && it->second->wanted;
    });
    for (const ImageDecoder::Result& result : urgent) {
        uploadResult(render, result);
    }
    int uploaded = 0;
    while (maxAsyncUploadsPerFrame <= 0 || uploaded < maxAsyncUploadsPerFrame) {
        std::optional<ImageDecoder::Result> result = render.decoder.takeNext();
        if (!result) {
            return;
        }
        if (uploadResult(render, *result)) {
            ++uploaded;
        }
    }
}

void setMaxAsyncTextureUploadsPerFrame(int count) {
    maxAsyncUploadsPerFrame = count < 0 ? 0 : count;
}

int getMaxAsyncTextureUploadsPerFrame() {
    return maxAsyncUploadsPerFrame;
}

// RenderSystem

RenderSystem::RenderSystem(RenderSystemType type) : impl(std::make_unique<Impl>()) {
    impl->type = type;
}

RenderSystem::~RenderSystem() {
    impl->decoder.stop();
    RenderSystemInternals::detachRenderer(*impl);
    for (auto& [serial, texture] : impl->textures) {
        texture->owner = nullptr;
        texture->asyncQueued = false;
    }
    impl->textures.clear();
}

RenderSystemType RenderSystem::getType() const {
    return impl->type;
}
const RenderSystem::Options& RenderSystem::getOptions() const {
    return impl->options;
}
void RenderSystem::setOptions(const Options& options) {
    impl->options = options;
}
bool RenderSystem::isCreated() const {
    return impl->renderer != nullptr;
}
const kit::String& RenderSystem::getName() const {
    return impl->name;
}
bool RenderSystem::isAccelerated() const {
    return impl->accelerated;
}

void RenderSystem::clear() {
    clear(Color::Black);
}

void RenderSystem::clear(const Color& color) {
    if (impl->renderer == nullptr) {
        return;
    }
    Impl::Command command;
    command.clear = true;
    command.color = color;
    command.state = drawState(*impl);
    impl->commands.push_back(command);
}

quadrix::Rectangle RenderSystem::getViewport() const {
    return impl->viewport;
}

void RenderSystem::setViewport(const quadrix::Rectangle& viewport) {
    impl->viewport = viewport;
    applyViewport(*impl);
}

quadrix::Rectangle RenderSystem::getOrthoProjection() const {
    return effectiveOrtho(*impl);
}

void RenderSystem::setOrthoProjection(const quadrix::Rectangle& projection) {
    impl->ortho = projection;
    impl->orthoSet = true;
    applyClip(*impl);
}

void RenderSystem::setClipRect(const quadrix::Rectangle& rect) {
    impl->clipRect = rect;
    impl->clipping = true;
    applyClip(*impl);
}

void RenderSystem::resetClipRect() {
    impl->clipping = false;
    applyClip(*impl);
}

bool RenderSystem::isClipping() const {
    return impl->clipping;
}

quadrix::Rectangle RenderSystem::getClipRect() const {
    return impl->clipRect;
}

quadrix::Vector2 RenderSystem::toWindowPosition(const quadrix::Vector2& guiPosition) const {
    return toViewportPixels(*impl, guiPosition) + impl->viewport.getPosition();
}

quadrix::Vector2 RenderSystem::toGuiPosition(const quadrix::Vector2& windowPosition) const {
    quadrix::Rectangle ortho = effectiveOrtho(*impl);
    const quadrix::Rectangle& viewport = impl->viewport;
    float x = windowPosition.x - viewport.x;
    float y = windowPosition.y - viewport.y;
    return quadrix::Vector2(ortho.x + (viewport.w != 0.0f ? x * ortho.w / viewport.w : x),
                            ortho.y + (viewport.h != 0.0f ? y * ortho.h / viewport.h : y));
}

Texture* RenderSystem::createTextureFromResource(const kit::String& filename) {
    if (!kit::ResourceDir::exists(filename) || kit::ResourceDir::isDirectory(filename)) {
        kit::Log::warn(logTag, "Texture resource not found: " + filename);
        return nullptr;
    }
    auto* texture = new Texture(this, impl->nextSerial++, filename);
    impl->textures[texture->serial] = texture;
    return texture;
}

Texture* RenderSystem::createTextureFromPixels(int width, int height, const unsigned char* rgba) {
    if (impl->renderer == nullptr) {
        kit::Log::error(logTag, "Cannot create a texture without a renderer.");
        return nullptr;
    }
    if (width <= 0 || height <= 0 || rgba == nullptr) {
        kit::Log::error(logTag, kit::format("Cannot create a texture of %dx%d pixels.", width, height));
        return nullptr;
    }
    SDL_Texture* sdlTexture = makeTexture(*impl, width, height, rgba, width * 4);
    if (sdlTexture == nullptr) {
        kit::Log::error(logTag, kit::String("Cannot create a texture from pixels: ") + SDL_GetError());
        return nullptr;
    }
    configureTexture(sdlTexture);
    ++impl->textureChanges;
    auto* texture = new Texture(this, impl->nextSerial++, "");
    texture->fromPixels = true;
    texture->handle = sdlTexture;
    texture->width = width;
    texture->height = height;
    impl->textures[texture->serial] = texture;
    return texture;
}

kit::String RenderSystem::findTextureResource(const kit::String& name) const {
    for (const kit::String& extension : getTextureExtensions()) {
        kit::String candidate = name + extension;
        if (kit::ResourceDir::exists(candidate) && !kit::ResourceDir::isDirectory(candidate)) {
            return candidate;
        }
    }
    return "";
}

// Big turned pictures are drawn as a grid of small quads: the software rasteriser loses precision
// on triangles of a thousand pixels and more and draws them garbled.
void drawTessellated(RenderSystem::Impl& render, SDL_Texture* texture, const SDL_FPoint* points,
                     const RenderSystem::Quad& uvs, const Color& color, float extent) {
    constexpr float cellPixels = 256.0f;
    const int cells = std::clamp(static_cast<int>(std::ceil(extent / cellPixels)), 1, 16);
    auto lerp = [](float a, float b, float t) { return a + (b - a) * t; };
    std::vector<SDL_Vertex> vertices;
    vertices.reserve(static_cast<size_t>(cells + 1) * static_cast<size_t>(cells + 1));
    for (int row = 0; row <= cells; ++row) {
        float v = static_cast<float>(row) / static_cast<float>(cells);
        for (int column = 0; column <= cells; ++column) {
            float u = static_cast<float>(column) / static_cast<float>(cells);
            // Corners run top-left, top-right, bottom-right, bottom-left.
            SDL_Vertex vertex;
            vertex.position.x = lerp(lerp(points[0].x, points[1].x, u), lerp(points[3].x, points[2].x, u), v);
            vertex.position.y = lerp(lerp(points[0].y, points[1].y, u), lerp(points[3].y, points[2].y, u), v);
            vertex.tex_coord.x = lerp(lerp(uvs[0].x, uvs[1].x, u), lerp(uvs[3].x, uvs[2].x, u), v);
            vertex.tex_coord.y = lerp(lerp(uvs[0].y, uvs[1].y, u), lerp(uvs[3].y, uvs[2].y, u), v);
            vertex.color = SDL_Color{color.r, color.g, color.b, color.a};
            vertices.push_back(vertex);
        }
    }
    std::vector<int> indices;
    indices.reserve(static_cast<size_t>(cells) * static_cast<size_t>(cells) * 6);
    for (int row = 0; row < cells; ++row) {
        for (int column = 0; column < cells; ++column) {
            int first = row * (cells + 1) + column;
            int below = first + cells + 1;
            indices.insert(indices.end(), {first, first + 1, below + 1, first, below + 1, below});
        }
    }
    if (SDL_RenderGeometry(render.renderer, texture, vertices.data(), static_cast<int>(vertices.size()),
                           indices.data(), static_cast<int>(indices.size())) != 0) {
        kit::Log::debug(logTag, kit::String("SDL_RenderGeometry: ") + SDL_GetError());
    }
}

namespace {

TurnedBlit::Quad turnedQuad(const SDL_Rect& viewport, const SDL_FPoint* points, const RenderSystem::Quad& uvs,
                            const TurnedBlit::Pixels& picture) {
    TurnedBlit::Quad quad;
    for (int i = 0; i < 4; ++i) {
        quad.corners[i] = SDL_FPoint{points[i].x + static_cast<float>(viewport.x),
                                     points[i].y + static_cast<float>(viewport.y)};
        quad.texels[i] = SDL_FPoint{uvs[i].x * static_cast<float>(picture.width),
                                    uvs[i].y * static_cast<float>(picture.height)};
    }
    return quad;
}

// A software texture's own pixels, read where SDL keeps them; false for a texture that hands out none.
bool lockPicture(SDL_Texture* texture, TurnedBlit::Pixels& picture) {
    Uint32 format = 0;
    int access = 0;
    void* pixels = nullptr;
    if (SDL_QueryTexture(texture, &format, &access, &picture.width, &picture.height) != 0 ||
        format != SDL_PIXELFORMAT_RGBA32 || access != SDL_TEXTUREACCESS_STREAMING ||
        SDL_LockTexture(texture, nullptr, &pixels, &picture.pitch) != 0) {
        return false;
    }
    picture.data = static_cast<unsigned char*>(pixels);
    return true;
}

// The software renderer draws into the window's surface: a turned quad is blended straight into it,
// once SDL has drawn what it still holds of the frame. False when the quad needs SDL's triangles.
bool drawTurned(RenderSystem::Impl& render, SDL_Texture* texture, const SDL_FPoint* points,
                const RenderSystem::Quad& uvs, const Color& color) {
    if (render.accelerated || SDL_GetRenderTarget(render.renderer) != nullptr) {
        return false;
    }
    SDL_Window* window = SDL_RenderGetWindow(render.renderer);
    SDL_Surface* surface = window != nullptr ? SDL_GetWindowSurface(window) : nullptr;
    if (surface == nullptr || SDL_MUSTLOCK(surface)) {
        return false;
    }
    const SDL_Rect viewport = viewportPixels(render);
    SDL_Rect clip = viewport;
    if (render.clipping) {
        SDL_Rect inside = clipPixels(render);
        inside.x += viewport.x;
        inside.y += viewport.y;
        if (!SDL_IntersectRect(&viewport, &inside, &clip)) {
            return true;
        }
    }
    TurnedBlit::Pixels picture;
    if (texture != nullptr && !lockPicture(texture, picture)) {
        return false;
    }
    const TurnedBlit::Pixels frame{static_cast<unsigned char*>(surface->pixels), surface->w, surface->h,
                                   surface->pitch};
    SDL_RenderFlush(render.renderer);
    const bool drawn = TurnedBlit::draw(frame, *surface->format, clip, texture ? &picture : nullptr,
                                        turnedQuad(viewport, points, uvs, picture),
                                        SDL_Color{color.r, color.g, color.b, color.a});
    if (texture != nullptr) {
        SDL_UnlockTexture(texture);
    }
    return drawn;
}

}  // namespace

void RenderSystem::drawQuad(const Quad& corners, const Color& color) {
    static const Quad noUvs{};
    drawQuad(nullptr, corners, noUvs, color);
}

void RenderSystem::drawQuad(Texture* texture, const Quad& corners, const Quad& uvs, const Color& color) {
    if (impl->renderer == nullptr) {
        return;
    }
    if (texture != nullptr) {
        if (texture->owner != this) {
            return;
        }
        if (!texture->isLoaded()) {
            if (texture->asyncQueued) {
                RenderSystemInternals::wantAsync(*impl, *texture);
                return;
            }
            if (texture->failed || !texture->load()) {
                return;
            }
        }
    }
    Impl::Command command;
    command.texture = texture;
    command.handle = texture ? texture->handle : nullptr;
    command.corners = corners;
    command.uvs = uvs;
    command.color = color;
    command.state = drawState(*impl);
    impl->commands.push_back(command);
}

void RenderSystemInternals::drawCommand(RenderSystem::Impl& render,
                                        const RenderSystem::Impl::Command& command) {
    if (command.clear) {
        SDL_SetRenderDrawColor(render.renderer, command.color.r, command.color.g, command.color.b,
                               command.color.a);
        SDL_RenderClear(render.renderer);
        return;
    }
    auto* sdlTexture = static_cast<SDL_Texture*>(command.handle);
    const RenderSystem::Quad& corners = command.corners;
    if (drawAlignedQuad(render, command.texture, sdlTexture, corners, command.uvs, command.color)) {
        return;
    }
    if (sdlTexture != nullptr) {
        // Geometry takes its colour from the vertices alone.
        SDL_SetTextureColorMod(sdlTexture, 255, 255, 255);
        SDL_SetTextureAlphaMod(sdlTexture, 255);
    }
    SDL_FPoint points[4];
    float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;
    for (int i = 0; i < 4; ++i) {
        quadrix::Vector2 position = toViewportPixels(render, corners[i]);
        points[i] = SDL_FPoint{position.x, position.y};
        left = i == 0 ? position.x : std::min(left, position.x);
        right = i == 0 ? position.x : std::max(right, position.x);
        top = i == 0 ? position.y : std::min(top, position.y);
        bottom = i == 0 ? position.y : std::max(bottom, position.y);
    }
    // Quads wholly outside the viewport are not sent: the software rasteriser garbles a frame with
    // triangles far beyond the screen (a zoomed-in board has most of its fields there).
    if (right < 0.0f || bottom < 0.0f || left > render.viewport.w || top > render.viewport.h) {
        return;
    }
    if (drawTurned(render, sdlTexture, points, command.uvs, command.color)) {
        return;
    }
    drawTessellated(render, sdlTexture, points, command.uvs, command.color,
                    std::max(right - left, bottom - top));
}

// The frame's commands that may draw the texture are drawn before it goes.
void RenderSystemInternals::freeTexture(RenderSystem::Impl& render, void*& handle) {
    if (!render.commands.empty()) {
        flush(render);
        render.frames.redrawNext();
    }
    render.scaledCopies.forget(static_cast<SDL_Texture*>(handle));
    SDL_DestroyTexture(static_cast<SDL_Texture*>(handle));
    handle = nullptr;
    ++render.textureChanges;
}

// Each command is drawn in the viewport and clipping it was given in; afterwards the renderer is
// back in the current ones.
void RenderSystemInternals::flush(RenderSystem::Impl& render) {
    if (render.commands.empty() || render.renderer == nullptr) {
        render.commands.clear();
        return;
    }
    const RenderSystem::Impl::DrawState current = drawState(render);
    bool applied = false;
    RenderSystem::Impl::DrawState last;
    for (const RenderSystem::Impl::Command& command : render.commands) {
        if (!applied || !sameState(command.state, last)) {
            setDrawState(render, command.state);
            applyViewport(render);
            last = command.state;
            applied = true;
        }
        drawCommand(render, command);
    }
    render.commands.clear();
    setDrawState(render, current);
    applyViewport(render);
}

void RenderSystem::redrawNextFrame() {
    impl->frames.redrawNext();
}

const RenderSystem::FrameStats& RenderSystem::getFrameStats() const {
    return impl->frames.getStats();
}

void RenderSystem::presentFrame() {
    if (impl->renderer == nullptr) {
        return;
    }
    uint64_t hash = hashFrame(*impl);
    if (impl->frames.keep(hash, !impl->screenshotRequest.empty())) {
        impl->commands.clear();
        impl->scaledCopies.keptFrame();
        return;
    }
    RenderSystemInternals::flush(*impl);
    impl->scaledCopies.shownFrame();
    impl->frames.shown(hash);
    if (!impl->screenshotRequest.empty()) {
        kit::String filename;
        filename.swap(impl->screenshotRequest);
        bool saved = saveScreenshot(filename);
        impl->screenshotResult = std::make_pair(filename, saved);
    }
    SDL_RenderPresent(impl->renderer);
}

bool RenderSystem::readPixels(kit::Array<unsigned char>& rgba, int& width, int& height) {
    if (impl->renderer == nullptr) {
        return false;
    }
    // What was drawn so far this frame is on the target; the frame is then drawn anew when presented.
    if (!impl->commands.empty()) {
        RenderSystemInternals::flush(*impl);
        impl->frames.redrawNext();
    }
    if (SDL_GetRendererOutputSize(impl->renderer, &width, &height) != 0 || width <= 0 || height <= 0) {
        return false;
    }
    rgba.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
    // Without a rectangle SDL reads the viewport: read the whole target instead.
    SDL_RenderSetViewport(impl->renderer, nullptr);
    int result =
        SDL_RenderReadPixels(impl->renderer, nullptr, SDL_PIXELFORMAT_RGBA32, rgba.data(), width * 4);
    applyViewport(*impl);
    if (result != 0) {
        kit::Log::error(logTag, kit::String("Cannot read the frame: ") + SDL_GetError());
        return false;
    }
    for (size_t i = 3; i < rgba.size(); i += 4) {
        rgba[i] = 255;
    }
    return true;
}

bool RenderSystem::saveScreenshot(const kit::String& filename) {
    kit::Array<unsigned char> rgba;
    int width = 0;
    int height = 0;
    if (!readPixels(rgba, width, height)) {
        return false;
    }
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(rgba.data(), width, height, 32, width * 4, SDL_PIXELFORMAT_RGBA32);
    if (surface == nullptr) {
        kit::Log::error(logTag, kit::String("Cannot save the screenshot: ") + SDL_GetError());
        return false;
    }
    bool saved = IMG_SavePNG(surface, filename.c_str()) == 0;
    SDL_FreeSurface(surface);
    if (!saved) {
        kit::Log::error(logTag, "Cannot save the screenshot " + filename + ": " + IMG_GetError());
        return false;
    }
    kit::Log::write(logTag, "Screenshot saved: " + filename);
    return true;
}

void RenderSystem::requestScreenshot(const kit::String& filename) {
    impl->screenshotRequest = filename;
    impl->screenshotResult.reset();
}

std::optional<std::pair<kit::String, bool>> RenderSystem::takeScreenshotResult() {
    std::optional<std::pair<kit::String, bool>> result;
    result.swap(impl->screenshotResult);
    return result;
}

// Texture

Texture::Texture(RenderSystem* owner, uint64_t serial, const kit::String& filename)
    : owner(owner), serial(serial), filename(filename) {}

Texture::~Texture() {
    if (owner == nullptr) {
        return;
    }
    RenderSystem::Impl& render = *owner->impl;
    if (asyncQueued) {
        SDL_FreeSurface(render.decoder.cancel(serial));
    }
    if (handle != nullptr) {
        RenderSystemInternals::freeTexture(render, handle);
    }
    render.textures.erase(serial);
}

bool Texture::loadMetaData() {
    if (handle != nullptr || fromPixels || width > 0) {
        return true;
    }
    kit::String path = kit::ResourceDir::getPath(filename);
    if (kit::toLower(kit::File::getExtension(filename)) == "png" ||
        kit::endsWith(kit::toLower(filename), ".png")) {
        // The IHDR chunk follows the signature: width and height as big-endian 32-bit numbers.
        std::ifstream file(path, std::ios::binary);
        unsigned char header[24];
        if (file.read(reinterpret_cast<char*>(header), sizeof(header)) && header[0] == 0x89 &&
            header[1] == 'P' && header[2] == 'N' && header[3] == 'G' && header[12] == 'I' &&
            header[13] == 'H' && header[14] == 'D' && header[15] == 'R') {
            auto be32 = [&](int at) {
                return (static_cast<int>(header[at]) << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) |
                       header[at + 3];
            };
            width = be32(16);
            height = be32(20);
            return true;
        }
    }
    SDL_Surface* surface = ImageDecoder::decode(path);
    if (surface == nullptr) {
        kit::Log::error(logTag, "Cannot read texture " + filename + ": " + IMG_GetError());
        return false;
    }
    width = surface->w;
    height = surface->h;
    SDL_FreeSurface(surface);
    return true;
}

bool Texture::load() {
    if (handle != nullptr) {
        return true;
    }
    if (failed || fromPixels || owner == nullptr) {
        return false;
    }
    RenderSystem::Impl& render = *owner->impl;
    if (render.renderer == nullptr) {
        kit::Log::warn(logTag, "Cannot load texture " + filename + " without a renderer.");
        return false;
    }
    SDL_Surface* surface = nullptr;
    if (asyncQueued) {
        surface = render.decoder.cancel(serial);
        asyncQueued = false;
    }
    if (surface == nullptr) {
        surface = ImageDecoder::decode(kit::ResourceDir::getPath(filename));
    }
    if (surface == nullptr) {
        failed = true;
        kit::Log::error(logTag, "Cannot load texture " + filename + ": " + IMG_GetError());
        return false;
    }
    if (!uploadSurface(render, *this, surface, handle, width, height)) {
        failed = true;
        return false;
    }
    return true;
}

bool Texture::loadAsync() {
    if (handle != nullptr || failed || fromPixels || owner == nullptr) {
        return false;
    }
    if (asyncQueued) {
        return true;
    }
    // Marked before the job is queued: a result that arrives for a texture not marked is thrown away,
    // and the texture would then wait for it for ever.
    asyncQueued = true;
    owner->impl->decoder.queue(serial, kit::ResourceDir::getPath(filename));
    return true;
}

void Texture::unload() {
    if (fromPixels || owner == nullptr) {
        return;
    }
    if (asyncQueued) {
        SDL_FreeSurface(owner->impl->decoder.cancel(serial));
        asyncQueued = false;
    }
    if (handle != nullptr) {
        RenderSystemInternals::freeTexture(*owner->impl, handle);
    }
}

}  // namespace host
