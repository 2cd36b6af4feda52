#include <chrono>
#include <cmath>
#include <thread>

#include "Internal.h"
#include "kit/Format.h"
#include "kit/Log.h"

namespace host {

namespace {

kit::Array<quadrix::Vector2> touchPositions(const Window::Impl& impl) {
    kit::Array<quadrix::Vector2> positions;
    positions.reserve(impl.touches.size());
    for (const auto& touch : impl.touches) {
        positions.push_back(touch.position);
    }
    return positions;
}

// The keys that press or close what the screen shows.
bool isAnswerKey(Key key) {
    return key == Key::Return || key == Key::Space || key == Key::Escape;
}

bool isNavigationKey(Key key) {
    return key == Key::Left || key == Key::Right || key == Key::Up || key == Key::Down || key == Key::Tab ||
           key == Key::Backspace;
}

}  // namespace

Window::Window() : impl(std::make_unique<Impl>()) {}

Window::~Window() {
    destroy();
}

bool Window::create(int width, int height, bool fullscreen, const kit::String& title,
                    const Options& options) {
    if (impl->sdlWindow != nullptr) {
        kit::Log::warn(logTag, "The window exists already: recreating it.");
        destroy();
    }
    if (rendersys == nullptr) {
        kit::Log::error(logTag, "Cannot create the window without a render system (host::init).");
        return false;
    }
    Uint32 flags = SDL_WINDOW_SHOWN;
    if (options.resizable) {
        flags |= SDL_WINDOW_RESIZABLE;
    }
    if (fullscreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    auto make = [&](Uint32 extra) {
        return SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                flags | extra);
    };
    Uint32 rendererFlags = RenderSystemInternals::windowFlags(*rendersys->impl);
    SDL_Window* sdlWindow = make(rendererFlags);
    // Without OpenGL the renderer still may find another way to draw.
    if (sdlWindow == nullptr && rendererFlags != 0) {
        sdlWindow = make(0);
    }
    if (sdlWindow == nullptr) {
        kit::Log::error(logTag, kit::String("Cannot create the window: ") + SDL_GetError());
        return false;
    }
    if (!RenderSystemInternals::attachRenderer(*rendersys->impl, sdlWindow)) {
        SDL_DestroyWindow(sdlWindow);
        return false;
    }
    impl->sdlWindow = sdlWindow;
    impl->title = title;
    impl->options = options;
    impl->terminated = false;
    impl->cursorVisible = SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE;
    impl->cursorInside = SDL_GetMouseFocus() == sdlWindow;
    impl->reportedWidth = getWidth();
    impl->reportedHeight = getHeight();
    impl->reportedFullscreen = isFullscreen();
    rendersys->setViewport(quadrix::Rectangle(0.0f, 0.0f, static_cast<float>(impl->reportedWidth),
                                              static_cast<float>(impl->reportedHeight)));
    SDL_StartTextInput();
    kit::Log::write(logTag, kit::format("Window created: %dx%d%s, renderer '%s'", impl->reportedWidth,
                                        impl->reportedHeight, impl->reportedFullscreen ? " full screen" : "",
                                        rendersys->getName().c_str()));
    return true;
}

void Window::destroy() {
    for (auto& [id, controller] : impl->controllers) {
        SDL_GameControllerClose(controller);
    }
    impl->controllers.clear();
    if (impl->sdlWindow == nullptr) {
        return;
    }
    if (rendersys != nullptr) {
        RenderSystemInternals::detachRenderer(*rendersys->impl);
    }
    SDL_DestroyWindow(impl->sdlWindow);
    impl->sdlWindow = nullptr;
    impl->touches.clear();
    impl->multiTouch = false;
    impl->touchPressed = false;
    kit::Log::debug(logTag, "Window destroyed.");
}

bool Window::isCreated() const {
    return impl->sdlWindow != nullptr;
}

int Window::getWidth() const {
    int width = 0;
    if (impl->sdlWindow != nullptr) {
        SDL_GetWindowSize(impl->sdlWindow, &width, nullptr);
    }
    return width;
}

int Window::getHeight() const {
    int height = 0;
    if (impl->sdlWindow != nullptr) {
        SDL_GetWindowSize(impl->sdlWindow, nullptr, &height);
    }
    return height;
}

quadrix::Vector2 Window::getSize() const {
    return quadrix::Vector2(static_cast<float>(getWidth()), static_cast<float>(getHeight()));
}

float Window::getAspectRatio() const {
    int height = getHeight();
    return height > 0 ? static_cast<float>(getWidth()) / static_cast<float>(height) : 1.0f;
}

bool Window::isFullscreen() const {
    return impl->sdlWindow != nullptr && (SDL_GetWindowFlags(impl->sdlWindow) & SDL_WINDOW_FULLSCREEN) != 0;
}

namespace {

// Tells the system delegate about a new size or full-screen state (once per change).
void reportSize(Window& window, Window::Impl& impl) {
    int width = window.getWidth();
    int height = window.getHeight();
    bool fullscreen = window.isFullscreen();
    if (width == impl.reportedWidth && height == impl.reportedHeight &&
        fullscreen == impl.reportedFullscreen) {
        return;
    }
    impl.reportedWidth = width;
    impl.reportedHeight = height;
    impl.reportedFullscreen = fullscreen;
    kit::Log::debug(logTag,
                    kit::format("Window size: %dx%d%s", width, height, fullscreen ? " full screen" : ""));
    if (rendersys != nullptr) {
        rendersys->setViewport(
            quadrix::Rectangle(0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height)));
    }
    if (impl.systemDelegate != nullptr) {
        impl.systemDelegate->onWindowSizeChanged(width, height, fullscreen);
    }
}

}  // namespace

void Window::setFullscreen(bool fullscreen) {
    if (impl->sdlWindow == nullptr || fullscreen == isFullscreen()) {
        return;
    }
    if (fullscreen) {
        impl->windowedWidth = getWidth();
        impl->windowedHeight = getHeight();
    }
    if (SDL_SetWindowFullscreen(impl->sdlWindow, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        kit::Log::warn(logTag, kit::String("Cannot switch full screen: ") + SDL_GetError());
        return;
    }
    if (!fullscreen && impl->windowedWidth > 0 &&
        (getWidth() != impl->windowedWidth || getHeight() != impl->windowedHeight)) {
        // Not every video driver restores the windowed size by itself.
        SDL_SetWindowSize(impl->sdlWindow, impl->windowedWidth, impl->windowedHeight);
    }
    reportSize(*this, *impl);
}

void Window::setSize(int width, int height) {
    if (impl->sdlWindow == nullptr || isFullscreen() || width <= 0 || height <= 0) {
        return;
    }
    SDL_SetWindowSize(impl->sdlWindow, width, height);
    reportSize(*this, *impl);
}

const kit::String& Window::getTitle() const {
    return impl->title;
}

void Window::setTitle(const kit::String& title) {
    impl->title = title;
    if (impl->sdlWindow != nullptr) {
        SDL_SetWindowTitle(impl->sdlWindow, title.c_str());
    }
}

void* Window::getNativeHandle() const {
    return impl->sdlWindow;
}

void Window::setCursorVisible(bool visible) {
    impl->cursorVisible = visible;
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

bool Window::isCursorVisible() const {
    return impl->cursorVisible;
}

bool Window::isCursorInside() const {
    return impl->sdlWindow != nullptr && impl->cursorInside;
}

quadrix::Vector2 Window::getCursorPosition() const {
    return impl->cursorPosition;
}

Window::InputMode Window::getInputMode() const {
    return impl->inputMode;
}

Window::ControllerFamily Window::getControllerFamily() const {
    return impl->controllerFamily;
}

namespace {

void applyInputMode(Window::Impl& impl) {
    Window::InputMode mode = impl.deviceMode;
    auto it = impl.translations.find(mode);
    if (it != impl.translations.end()) {
        mode = it->second;
    }
    if (mode == impl.inputMode) {
        return;
    }
    impl.inputMode = mode;
    kit::Log::debug(logTag, kit::format("Input mode: %d", static_cast<int>(mode)));
    if (impl.systemDelegate != nullptr) {
        impl.systemDelegate->onInputModeChanged(mode);
    }
}

}  // namespace

void Window::setInputMode(InputMode inputMode) {
    impl->deviceMode = inputMode;
    applyInputMode(*impl);
}

const kit::Map<Window::InputMode, Window::InputMode>& Window::getInputModeTranslations() const {
    return impl->translations;
}

void Window::setInputModeTranslations(const kit::Map<InputMode, InputMode>& translations) {
    impl->translations = translations;
    applyInputMode(*impl);
}

UpdateDelegate* Window::getUpdateDelegate() const {
    return impl->updateDelegate;
}
void Window::setUpdateDelegate(UpdateDelegate* delegate) {
    impl->updateDelegate = delegate;
}
SystemDelegate* Window::getSystemDelegate() const {
    return impl->systemDelegate;
}
void Window::setSystemDelegate(SystemDelegate* delegate) {
    impl->systemDelegate = delegate;
}
KeyboardDelegate* Window::getKeyboardDelegate() const {
    return impl->keyboardDelegate;
}
void Window::setKeyboardDelegate(KeyboardDelegate* delegate) {
    impl->keyboardDelegate = delegate;
}
MouseDelegate* Window::getMouseDelegate() const {
    return impl->mouseDelegate;
}
void Window::setMouseDelegate(MouseDelegate* delegate) {
    impl->mouseDelegate = delegate;
}
TouchDelegate* Window::getTouchDelegate() const {
    return impl->touchDelegate;
}
void Window::setTouchDelegate(TouchDelegate* delegate) {
    impl->touchDelegate = delegate;
}
ControllerDelegate* Window::getControllerDelegate() const {
    return impl->controllerDelegate;
}
void Window::setControllerDelegate(ControllerDelegate* delegate) {
    impl->controllerDelegate = delegate;
}

void Window::clearDelegates() {
    setUpdateDelegate(nullptr);
    setSystemDelegate(nullptr);
    setKeyboardDelegate(nullptr);
    setMouseDelegate(nullptr);
    setTouchDelegate(nullptr);
    setControllerDelegate(nullptr);
}

int Window::getFps() const {
    return impl->fps;
}

namespace {

// The close button may be taken back (the game asks first); a quit from the system (a signal, the
// session ending) may not.
void handleQuit(Window& window, Window::Impl& impl, bool canCancel) {
    kit::Log::debug(logTag, canCancel ? "Close requested." : "Quit requested.");
    if (impl.systemDelegate == nullptr || impl.systemDelegate->onQuit(canCancel)) {
        window.terminateMainLoop();
    }
}

void handleWindowEvent(Window& window, Window::Impl& impl, const SDL_WindowEvent& event) {
    // Shown, uncovered, resized, moved: what the window showed may be gone.
    if (rendersys != nullptr) {
        rendersys->redrawNextFrame();
    }
    switch (event.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
            if (impl.systemDelegate != nullptr) {
                impl.systemDelegate->onWindowFocusChanged(event.event == SDL_WINDOWEVENT_FOCUS_GAINED);
            }
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            reportSize(window, impl);
            break;
        case SDL_WINDOWEVENT_CLOSE:
            impl.closeRequested = true;
            handleQuit(window, impl, true);
            break;
        case SDL_WINDOWEVENT_ENTER:
            impl.cursorInside = true;
            break;
        case SDL_WINDOWEVENT_LEAVE:
            impl.cursorInside = false;
            break;
        default:
            break;
    }
}

void handleFinger(Window& window, Window::Impl& impl, const SDL_TouchFingerEvent& event) {
    quadrix::Vector2 position(event.x * static_cast<float>(window.getWidth()),
                              event.y * static_cast<float>(window.getHeight()));
    auto it = impl.touches.begin();
    while (it != impl.touches.end() && it->id != event.fingerId) {
        ++it;
    }
    window.setInputMode(Window::InputMode::Touch);
    MouseDelegate* mouse = impl.mouseDelegate;
    TouchDelegate* touch = impl.touchDelegate;
    if (event.type == SDL_FINGERDOWN) {
        if (it != impl.touches.end()) {
            it->position = position;
        } else {
            impl.touches.push_back({event.fingerId, position});
        }
        if (impl.touches.size() == 1 && !impl.multiTouch) {
            impl.cursorPosition = position;
            impl.touchPressed = true;
            if (mouse != nullptr) {
                mouse->onMouseDown(Key::MouseLeft);
            }
            return;
        }
        if (impl.touchPressed) {
            impl.touchPressed = false;
            if (mouse != nullptr) {
                mouse->onMouseCancel(Key::MouseLeft);
            }
        }
        impl.multiTouch = true;
        if (touch != nullptr) {
            touch->onTouch(touchPositions(impl));
        }
        return;
    }
    if (it == impl.touches.end()) {
        return;  // a finger that touched before the window knew of it
    }
    it->position = position;
    if (event.type == SDL_FINGERMOTION) {
        if (!impl.multiTouch) {
            impl.cursorPosition = position;
            if (mouse != nullptr) {
                mouse->onMouseMove();
            }
        } else if (touch != nullptr) {
            touch->onTouch(touchPositions(impl));
        }
        return;
    }
    // SDL_FINGERUP
    impl.touches.erase(it);
    if (!impl.multiTouch) {
        impl.cursorPosition = position;
        if (impl.touchPressed) {
            impl.touchPressed = false;
            if (mouse != nullptr) {
                mouse->onMouseUp(Key::MouseLeft);
            }
        }
        return;
    }
    if (impl.touches.empty()) {
        impl.multiTouch = false;
    }
    if (touch != nullptr) {
        touch->onTouch(touchPositions(impl));
    }
}

// A controller pulled out lets go of what it held and, when it was the last, hands the game back to
// mouse and keyboard: no button stays down, no focus stays shown for a controller that is gone.
Window::ControllerFamily familyOf(SDL_GameController* controller) {
    switch (SDL_GameControllerGetType(controller)) {
        case SDL_CONTROLLER_TYPE_PS3:
        case SDL_CONTROLLER_TYPE_PS4:
        case SDL_CONTROLLER_TYPE_PS5:
            return Window::ControllerFamily::PlayStation;
        default:
            return Window::ControllerFamily::Letters;
    }
}

void removeController(Window& window, Window::Impl& impl, SDL_JoystickID id) {
    auto it = impl.controllers.find(id);
    if (it == impl.controllers.end()) {
        return;
    }
    SDL_GameControllerClose(it->second);
    impl.controllers.erase(it);
    kit::Log::write(logTag, "Game controller disconnected.");
    std::set<Button> held = impl.heldButtons[id];
    impl.heldButtons.erase(id);
    for (Button button : held) {
        if (impl.controllerDelegate != nullptr) {
            impl.controllerDelegate->onButtonUp(button);
        }
    }
    if (impl.controllers.empty() && window.getInputMode() == Window::InputMode::Controller) {
        window.setInputMode(Window::InputMode::Mouse);
    }
}

void handleEvent(Window& window, Window::Impl& impl, const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            if (impl.closeRequested) {
                impl.closeRequested = false;
                break;
            }
            handleQuit(window, impl, false);
            break;
        case SDL_WINDOWEVENT:
            handleWindowEvent(window, impl, event.window);
            break;
        case SDL_APP_LOWMEMORY:
            if (impl.systemDelegate != nullptr) {
                impl.systemDelegate->onLowMemoryWarning();
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            Key key = keyFromSdl(event.key.keysym.sym);
            if (key == Key::None || impl.keyboardDelegate == nullptr) {
                break;
            }
            // A key held down answers once: its repeats do not press what the next question shows.
            if (event.type == SDL_KEYDOWN && event.key.repeat != 0 && isAnswerKey(key)) {
                break;
            }
            // The keyboard takes over from the mouse and touch; the controller keeps its own focus.
            if (event.type == SDL_KEYDOWN && (isAnswerKey(key) || isNavigationKey(key)) &&
                window.getInputMode() != Window::InputMode::Controller) {
                window.setInputMode(Window::InputMode::Keyboard);
            }
            if (event.type == SDL_KEYDOWN) {
                impl.keyboardDelegate->onKeyDown(key);
            } else {
                impl.keyboardDelegate->onKeyUp(key);
            }
            break;
        }
        case SDL_TEXTINPUT:
            if (impl.keyboardDelegate != nullptr) {
                for (unsigned int code : decodeUtf8(event.text.text)) {
                    impl.keyboardDelegate->onChar(code);
                }
            }
            break;
        case SDL_MOUSEMOTION:
            if (event.motion.which == SDL_TOUCH_MOUSEID) {
                break;
            }
            impl.cursorPosition.set(static_cast<float>(event.motion.x), static_cast<float>(event.motion.y));
            impl.cursorInside = true;
            window.setInputMode(Window::InputMode::Mouse);
            if (impl.mouseDelegate != nullptr) {
                impl.mouseDelegate->onMouseMove();
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            if (event.button.which == SDL_TOUCH_MOUSEID) {
                break;
            }
            impl.cursorPosition.set(static_cast<float>(event.button.x), static_cast<float>(event.button.y));
            impl.cursorInside = true;
            window.setInputMode(Window::InputMode::Mouse);
            Key button = keyFromSdlMouseButton(event.button.button);
            if (button == Key::None || impl.mouseDelegate == nullptr) {
                break;
            }
            if (event.type == SDL_MOUSEBUTTONDOWN) {
                impl.mouseDelegate->onMouseDown(button);
            } else {
                impl.mouseDelegate->onMouseUp(button);
            }
            break;
        }
        case SDL_MOUSEWHEEL: {
            if (event.wheel.which == SDL_TOUCH_MOUSEID) {
                break;
            }
            float x = event.wheel.preciseX;
            float y = -event.wheel.preciseY;
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
                x = -x;
                y = -y;
            }
            window.setInputMode(Window::InputMode::Mouse);
            if (impl.mouseDelegate != nullptr) {
                impl.mouseDelegate->onMouseScroll(x, y);
            }
            break;
        }
        case SDL_FINGERDOWN:
        case SDL_FINGERMOTION:
        case SDL_FINGERUP:
            handleFinger(window, impl, event.tfinger);
            break;
        case SDL_CONTROLLERDEVICEADDED: {
            SDL_GameController* controller = SDL_GameControllerOpen(event.cdevice.which);
            if (controller == nullptr) {
                kit::Log::warn(logTag, kit::String("Cannot open the game controller: ") + SDL_GetError());
                break;
            }
            SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
            if (impl.controllers.count(id) != 0) {
                SDL_GameControllerClose(controller);  // already open
                break;
            }
            impl.controllers[id] = controller;
            impl.controllerFamily = familyOf(controller);
            const char* name = SDL_GameControllerName(controller);
            kit::Log::write(logTag,
                            kit::String("Game controller connected: ") + (name != nullptr ? name : "?"));
            break;
        }
        case SDL_CONTROLLERDEVICEREMOVED:
            removeController(window, impl, event.cdevice.which);
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            Button button = buttonFromSdl(event.cbutton.button);
            if (button == Button::None) {
                break;
            }
            window.setInputMode(Window::InputMode::Controller);
            if (auto found = impl.controllers.find(event.cbutton.which); found != impl.controllers.end()) {
                impl.controllerFamily = familyOf(found->second);
            }
            if (event.type == SDL_CONTROLLERBUTTONDOWN) {
                impl.heldButtons[event.cbutton.which].insert(button);
            } else {
                impl.heldButtons[event.cbutton.which].erase(button);
            }
            if (impl.controllerDelegate == nullptr) {
                break;
            }
            if (event.type == SDL_CONTROLLERBUTTONDOWN) {
                impl.controllerDelegate->onButtonDown(button);
            } else {
                impl.controllerDelegate->onButtonUp(button);
            }
            break;
        }
        default:
            break;
    }
}

}  // namespace

int Window::enterMainLoop() {
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::microseconds(16667);
    impl->terminated = false;
    kit::Log::debug(logTag, "Main loop started.");
    auto last = Clock::now();
    auto next = last;
    while (true) {
        auto now = Clock::now();
        float timeDelta = std::chrono::duration<float>(now - last).count();
        last = now;
        if (!updateOneFrame(timeDelta)) {
            break;
        }
        // About 60 frames per second: with vsync the present has waited already.
        next += period;
        now = Clock::now();
        if (next > now) {
            std::this_thread::sleep_until(next);
        } else if (now - next > period) {
            next = now;  // fell behind: do not try to catch up
        }
    }
    kit::Log::debug(logTag, "Main loop ended.");
    return 0;
}

bool Window::updateOneFrame(float timeDelta) {
    if (impl->sdlWindow == nullptr || rendersys == nullptr) {
        return false;
    }
    RenderSystemInternals::uploadAsyncTextures(*rendersys->impl);
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        handleEvent(*this, *impl, event);
    }
    if (impl->terminated) {
        return false;
    }
    bool keepRunning = true;
    if (impl->updateDelegate != nullptr) {
        keepRunning = impl->updateDelegate->onUpdate(timeDelta);
    }
    if (impl->updateDelegate != nullptr) {
        impl->updateDelegate->onPresentFrame();
    } else {
        rendersys->presentFrame();
    }
    impl->fpsFrames += 1;
    impl->fpsTime += timeDelta;
    if (impl->fpsTime >= 1.0f) {
        impl->fps = static_cast<int>(std::lround(impl->fpsFrames / impl->fpsTime));
        impl->fpsFrames = 0;
        impl->fpsTime = 0.0f;
    }
    return keepRunning && !impl->terminated;
}

void Window::terminateMainLoop() {
    impl->terminated = true;
}

bool Window::isMainLoopTerminated() const {
    return impl->terminated;
}

}  // namespace host
