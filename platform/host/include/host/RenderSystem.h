#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "host/Color.h"
#include "host/Texture.h"
#include "kit/Types.h"
#include "quadrix/Rectangle.h"
#include "quadrix/Vector2.h"

namespace host {

// Which SDL renderer to use. Default: the accelerated renderer with a fallback to the software
// renderer; always the software renderer when the video driver is "offscreen" or "dummy" (headless).
enum class RenderSystemType { Default, Accelerated, Software };

// Draws on the window through SDL_Renderer. Positions are GUI units: the orthographic projection maps
// a rectangle of GUI units onto the viewport, a rectangle of window pixels; both default to the
// whole window (one unit per pixel). Made by host::init, reached through host::rendersys.
class RenderSystem {
public:
    struct Options {
        // Wait for the display's vertical blank when presenting (accelerated renderer only).
        bool vsync = true;
    };

    // Four corners of a quad, in drawing order around it (top-left, top-right, bottom-right,
    // bottom-left for an upright one).
    using Quad = std::array<quadrix::Vector2, 4>;

    explicit RenderSystem(RenderSystemType type = RenderSystemType::Default);
    ~RenderSystem();
    RenderSystem(const RenderSystem&) = delete;
    RenderSystem& operator=(const RenderSystem&) = delete;

    RenderSystemType getType() const;
    const Options& getOptions() const;
    // Used by the renderer the next window creates (host::createRenderSystem).
    void setOptions(const Options& options);
    // Whether the renderer exists (made together with the window).
    bool isCreated() const;
    // SDL's name of the renderer ("software", "opengl" ...), "" before it exists.
    const kit::String& getName() const;
    bool isAccelerated() const;

    // Fills the whole window with the colour (colour only; viewport and clip rectangle are ignored).
    void clear();
    void clear(const Color& color);

    // In window pixels; also resets the clip rectangle's pixels to the new mapping.
    quadrix::Rectangle getViewport() const;
    void setViewport(const quadrix::Rectangle& viewport);
    // The rectangle of GUI units that fills the viewport. A projection with another aspect ratio
    // than the viewport stretches; the caller chooses a viewport that keeps the aspect (letterboxing).
    quadrix::Rectangle getOrthoProjection() const;
    void setOrthoProjection(const quadrix::Rectangle& projection);
    // Drawing is cut to this rectangle of GUI units until resetClipRect.
    void setClipRect(const quadrix::Rectangle& rect);
    void resetClipRect();
    bool isClipping() const;
    quadrix::Rectangle getClipRect() const;

    // GUI units <-> window pixels under the current projection and viewport.
    quadrix::Vector2 toWindowPosition(const quadrix::Vector2& guiPosition) const;
    quadrix::Vector2 toGuiPosition(const quadrix::Vector2& windowPosition) const;

    // A texture for an image resource (a name under kit::ResourceDir with its extension, such as
    // "data/gui/logos/studio.png"); nothing is loaded yet. Null (with a warning) when the resource
    // does not exist. PNG and SVG through SDL2_image.
    Texture* createTextureFromResource(const kit::String& filename);
    // A texture from width x height pixels of four bytes each, R G B A in memory order, rows top down
    // without padding (text rendered by the fonts layer). Null when the renderer does not exist.
    Texture* createTextureFromPixels(int width, int height, const unsigned char* rgba);
    // The resource name of the first existing file "name + extension" for the extensions of
    // host::getTextureExtensions, in their order; "" when there is none.
    kit::String findTextureResource(const kit::String& name) const;

    // Draws a quad with the texture (null: a plain quad) mapped by the texture coordinates (0..1 for
    // the whole picture) onto the corners in GUI units, tinted by the colour, blended by its alpha and
    // the picture's. A texture that is not loaded is loaded first (nothing is drawn while an
    // asynchronous load is queued or when it failed).
    void drawQuad(Texture* texture, const Quad& corners, const Quad& uvs, const Color& color);
    void drawQuad(const Quad& corners, const Color& color);

    // Shows the frame (and first saves a screenshot that was requested). The drawing of a frame is
    // kept until then: a frame that draws exactly what the last shown one drew is neither drawn nor
    // shown again (at most five seconds long), so a still screen costs almost nothing.
    void presentFrame();
    // The next frame is drawn and shown even if it is the same (the window was uncovered or resized).
    void redrawNextFrame();
    // Frames drawn and shown, and frames kept because they were the same as the last shown one.
    struct FrameStats {
        uint64_t drawn = 0;
        uint64_t kept = 0;
    };
    const FrameStats& getFrameStats() const;
    // The whole current frame (what has been drawn since the last clear) as RGBA bytes, rows top
    // down; alpha is 255. False when there is no renderer or SDL cannot read.
    bool readPixels(kit::Array<unsigned char>& rgba, int& width, int& height);
    // The current frame as a PNG file (read back now: call it after drawing, before presentFrame).
    bool saveScreenshot(const kit::String& filename);
    // The next presented frame is saved as a PNG file just before it is shown.
    void requestScreenshot(const kit::String& filename);
    // The requested screenshot's file and whether it was saved, once its frame was shown; taken once.
    std::optional<std::pair<kit::String, bool>> takeScreenshotResult();

    struct Impl;

private:
    std::unique_ptr<Impl> impl;
    friend class Window;
    friend class Texture;
    friend struct RenderSystemInternals;
    friend class TestDriver;
};

// The render system made by host::init (null before it and after host::destroy).
extern RenderSystem* rendersys;

}  // namespace host
