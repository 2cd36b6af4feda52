#pragma once

#include <optional>

// Shared by the host layer's sources (and its tests); not a public header: it includes SDL.
#include <SDL.h>

#include <deque>
#include <functional>
#include <set>
#include <vector>

#include "FrameKeeper.h"
#include "ImageDecoder.h"
#include "ScaledCopies.h"
#include "host/Host.h"
#include "kit/Types.h"

namespace host {

inline constexpr const char* logTag = "host";

// Key, mouse-button and controller-button tables. Unknown values give Key::None / Button::None and
// -1 (no SDL value).
Key keyFromSdl(SDL_Keycode keycode);
SDL_Keycode sdlKeyFromKey(Key key);
Key keyFromSdlMouseButton(int button);
int sdlMouseButtonFromKey(Key key);
Button buttonFromSdl(int controllerButton);
int sdlButtonFromButton(Button button);

// Unicode code points of UTF-8 text; malformed bytes are skipped.
kit::Array<unsigned int> decodeUtf8(const kit::String& text);
// Splits a POSIX locale ("zh_TW.UTF-8", "sr_RS@latin", "C") into language and territory.
void parseLocale(const kit::String& value, kit::String& language, kit::String& variant);

// Chooses the video driver before SDL starts (offscreen without a display) and sets the hints of
// headless running; returns whether the driver is headless.
bool prepareVideoDriver();
bool isHeadlessVideo();

// Set by the test driver.
extern std::function<bool(const kit::String& url)> urlInterceptor;
extern std::function<void(const kit::String& title, const kit::String& text, MessageBoxStyle style)>
    messageBoxInterceptor;

struct Window::Impl {
    SDL_Window* sdlWindow = nullptr;
    kit::String title;
    Options options;
    UpdateDelegate* updateDelegate = nullptr;
    SystemDelegate* systemDelegate = nullptr;
    // The window's close button was pressed: the quit event SDL sends after it is the same request.
    bool closeRequested = false;
    KeyboardDelegate* keyboardDelegate = nullptr;
    MouseDelegate* mouseDelegate = nullptr;
    TouchDelegate* touchDelegate = nullptr;
    ControllerDelegate* controllerDelegate = nullptr;

    InputMode deviceMode = InputMode::Mouse;
    InputMode inputMode = InputMode::Mouse;
    kit::Map<InputMode, InputMode> translations;

    quadrix::Vector2 cursorPosition;
    bool cursorInside = false;
    bool cursorVisible = true;

    struct Touch {
        SDL_FingerID id;
        quadrix::Vector2 position;
    };
    kit::Array<Touch> touches;
    bool multiTouch = false;    // a second finger touched since the first went down
    bool touchPressed = false;  // the first finger's mouse press is on

    kit::Map<SDL_JoystickID, SDL_GameController*> controllers;
    // The buttons each controller holds down, to be let go when it is pulled out.
    kit::Map<SDL_JoystickID, std::set<Button>> heldButtons;
    Window::ControllerFamily controllerFamily = Window::ControllerFamily::Letters;

    bool terminated = false;
    int fps = 0;
    int fpsFrames = 0;
    float fpsTime = 0.0f;
    // Last size reported to the system delegate.
    int reportedWidth = -1;
    int reportedHeight = -1;
    bool reportedFullscreen = false;
    // Size before switching to full screen (a window created full screen has none).
    int windowedWidth = 0;
    int windowedHeight = 0;
};

struct RenderSystem::Impl {
    RenderSystemType type = RenderSystemType::Default;
    Options options;
    SDL_Renderer* renderer = nullptr;
    kit::String name;
    bool accelerated = false;

    quadrix::Rectangle viewport;
    bool orthoSet = false;
    quadrix::Rectangle ortho;
    bool clipping = false;
    quadrix::Rectangle clipRect;
    kit::String screenshotRequest;
    // The last requested screenshot once its frame was shown, and whether it was saved.
    std::optional<std::pair<kit::String, bool>> screenshotResult;

    uint64_t nextSerial = 1;
    kit::Map<uint64_t, Texture*> textures;

    // The frame's drawing is kept until the frame is presented, so that a frame that draws exactly
    // what the last presented one drew costs no pixels and no present (a still screen).
    struct DrawState {
        quadrix::Rectangle viewport;
        bool orthoSet = false;
        quadrix::Rectangle ortho;
        bool clipping = false;
        quadrix::Rectangle clipRect;
    };
    struct Command {
        bool clear = false;
        Texture* texture = nullptr;
        void* handle = nullptr;
        RenderSystem::Quad corners{};
        RenderSystem::Quad uvs{};
        Color color;
        DrawState state;
    };
    std::vector<Command> commands;
    FrameKeeper frames;
    // Grows with every texture made or freed: a new texture may take a freed one's address.
    uint64_t textureChanges = 0;
    // Only the software renderer keeps them: a graphics card scales for nothing.
    ScaledCopies scaledCopies;

    // Asynchronous loading: the files are decoded on the decoder's worker and uploaded a few a frame.
    ImageDecoder decoder;
};

// The render system's side of the window: renderer creation with the window, and the per-frame upload
// of asynchronously decoded textures.
struct RenderSystemInternals {
    // SDL_WINDOW_OPENGL when the renderer will draw through OpenGL, else 0: a window made without it is
    // made again by SDL when the renderer comes, which in full screen waits for the window manager twice.
    static Uint32 windowFlags(const RenderSystem::Impl& render);
    static bool attachRenderer(RenderSystem::Impl& render, SDL_Window* sdlWindow);
    static void detachRenderer(RenderSystem::Impl& render);
    static void uploadAsyncTextures(RenderSystem::Impl& render);
    static void wantAsync(RenderSystem::Impl& render, Texture& texture);
    static bool uploadResult(RenderSystem::Impl& render, const ImageDecoder::Result& result);
    // Draws the kept commands now and forgets them.
    static void flush(RenderSystem::Impl& render);
    static void drawCommand(RenderSystem::Impl& render, const RenderSystem::Impl::Command& command);
    static void freeTexture(RenderSystem::Impl& render, void*& handle);
};

}  // namespace host
