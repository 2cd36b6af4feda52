#include <SDL_image.h>

#include "Internal.h"
#include "kit/Env.h"
#include "kit/Format.h"
#include "kit/Log.h"
#include "kit/Strings.h"

namespace host {

Window* window = nullptr;
RenderSystem* rendersys = nullptr;

namespace {

bool initialized = false;
bool imageStarted = false;

kit::String firstDriver(const kit::String& list) {
    kit::Array<kit::String> names = kit::splitNonEmpty(list, ",");
    return names.empty() ? kit::String() : kit::toLower(kit::trim(names[0]));
}

bool hasDisplay() {
    return !kit::getEnv("DISPLAY").empty() || !kit::getEnv("WAYLAND_DISPLAY").empty();
}

}  // namespace

bool prepareVideoDriver() {
    kit::String driver = firstDriver(kit::getEnv("SDL_VIDEODRIVER"));
    if (driver.empty() && !hasDisplay()) {
        kit::setEnv("SDL_VIDEODRIVER", "offscreen");
        driver = "offscreen";
        kit::Log::debug(logTag, "No display: using the offscreen video driver.");
    }
    bool headless = driver == "offscreen" || driver == "dummy";
    if (headless) {
        // Otherwise SDL presents the software renderer's frames through OpenGL.
        SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_OVERRIDE);
    }
    return headless;
}

bool isHeadlessVideo() {
    kit::String driver;
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_GetCurrentVideoDriver() != nullptr) {
        driver = kit::toLower(SDL_GetCurrentVideoDriver());
    } else {
        driver = firstDriver(kit::getEnv("SDL_VIDEODRIVER"));
        if (driver.empty() && !hasDisplay()) {
            return true;
        }
    }
    return driver == "offscreen" || driver == "dummy";
}

bool init(RenderSystemType renderSystemType, WindowType) {
    if (initialized) {
        kit::Log::warn(logTag, "host::init called twice.");
        return true;
    }
    prepareVideoDriver();
    SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");  // the window makes its own mouse events from touches
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_GAMECONTROLLER) != 0) {
        kit::Log::warn(logTag, kit::String("SDL without game controllers: ") + SDL_GetError());
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
            kit::Log::error(logTag, kit::String("Cannot start SDL: ") + SDL_GetError());
            return false;
        }
    }
    imageStarted = (IMG_Init(IMG_INIT_PNG) & IMG_INIT_PNG) != 0;
    if (!imageStarted) {
        kit::Log::warn(logTag, kit::String("SDL2_image without PNG: ") + IMG_GetError());
    }
    SDL_version version;
    SDL_GetVersion(&version);
    kit::Log::write(logTag, kit::format("SDL %d.%d.%d, video driver '%s'", version.major, version.minor,
                                        version.patch, SDL_GetCurrentVideoDriver()));
    rendersys = new RenderSystem(renderSystemType);
    window = new Window();
    initialized = true;
    return true;
}

bool createRenderSystem(const RenderSystem::Options& options) {
    if (rendersys == nullptr) {
        kit::Log::error(logTag, "host::createRenderSystem before host::init.");
        return false;
    }
    rendersys->setOptions(options);
    return true;
}

bool createWindow(int width, int height, bool fullscreen, const kit::String& title,
                  const Window::Options& options) {
    if (window == nullptr) {
        kit::Log::error(logTag, "host::createWindow before host::init.");
        return false;
    }
    return window->create(width, height, fullscreen, title, options);
}

void destroy() {
    if (!initialized) {
        return;
    }
    if (window != nullptr) {
        window->destroy();
        delete window;
        window = nullptr;
    }
    if (rendersys != nullptr) {
        delete rendersys;
        rendersys = nullptr;
    }
    if (imageStarted) {
        IMG_Quit();
        imageStarted = false;
    }
    SDL_Quit();
    initialized = false;
    kit::Log::debug(logTag, "host destroyed.");
}

int runMain(const std::function<void(const kit::Array<kit::String>& args)>& init,
            const std::function<void()>& destroy, int argc, char** argv) {
    kit::Array<kit::String> args;
    for (int i = 0; i < argc; ++i) {
        args.emplace_back(argv[i] != nullptr ? argv[i] : "");
    }
    if (init) {
        init(args);
    }
    int result = 1;
    if (window != nullptr && window->isCreated()) {
        result = window->enterMainLoop();
    } else {
        kit::Log::error(logTag, "No window was opened: the main loop does not run.");
    }
    if (destroy) {
        destroy();
    }
    return result;
}

kit::Array<kit::String> getTextureExtensions() {
    return {".png", ".svg"};
}

}  // namespace host
