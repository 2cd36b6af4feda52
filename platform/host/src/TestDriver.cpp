#include "host/TestDriver.h"

#include <cmath>
#include <cstring>

#include "Internal.h"
#include "kit/File.h"
#include "kit/Log.h"

namespace host {

namespace {

Uint32 windowId() {
    if (window == nullptr || !window->isCreated()) {
        return 0;
    }
    return SDL_GetWindowID(static_cast<SDL_Window*>(window->getNativeHandle()));
}

void push(SDL_Event& event) {
    event.common.timestamp = SDL_GetTicks();
    if (SDL_PushEvent(&event) < 0) {
        kit::Log::warn(logTag, kit::String("TestDriver cannot push an event: ") + SDL_GetError());
    }
}

void pushMotion(const quadrix::Vector2& position) {
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = windowId();
    event.motion.which = 0;
    event.motion.x = static_cast<Sint32>(std::lround(position.x));
    event.motion.y = static_cast<Sint32>(std::lround(position.y));
    push(event);
}

void pushMouseButton(const quadrix::Vector2& position, Key button, bool down) {
    int sdlButton = sdlMouseButtonFromKey(button);
    if (sdlButton < 0) {
        kit::Log::warn(logTag, "TestDriver: not a mouse button.");
        return;
    }
    SDL_Event event;
    SDL_zero(event);
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = windowId();
    event.button.which = 0;
    event.button.button = static_cast<Uint8>(sdlButton);
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = static_cast<Sint32>(std::lround(position.x));
    event.button.y = static_cast<Sint32>(std::lround(position.y));
    push(event);
}

void pushKey(Key key, bool down, bool repeat) {
    SDL_Keycode keycode = sdlKeyFromKey(key);
    if (keycode == SDLK_UNKNOWN) {
        kit::Log::warn(logTag, "TestDriver: the key has no keycode.");
        return;
    }
    SDL_Event event;
    SDL_zero(event);
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = windowId();
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.sym = keycode;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(keycode);
    push(event);
}

void pushFinger(const quadrix::Vector2& position, int finger, Uint32 type) {
    float width = window != nullptr ? static_cast<float>(window->getWidth()) : 1.0f;
    float height = window != nullptr ? static_cast<float>(window->getHeight()) : 1.0f;
    SDL_Event event;
    SDL_zero(event);
    event.type = type;
    event.tfinger.touchId = 1;
    event.tfinger.fingerId = finger;
    event.tfinger.x = width > 0.0f ? position.x / width : 0.0f;
    event.tfinger.y = height > 0.0f ? position.y / height : 0.0f;
    event.tfinger.pressure = type == SDL_FINGERUP ? 0.0f : 1.0f;
    event.tfinger.windowID = windowId();
    push(event);
}

void pushButton(Button button, bool down) {
    int sdlButton = sdlButtonFromButton(button);
    if (sdlButton < 0) {
        kit::Log::warn(logTag, "TestDriver: the controller button has no SDL button.");
        return;
    }
    SDL_Event event;
    SDL_zero(event);
    event.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
    event.cbutton.which = 0;
    event.cbutton.button = static_cast<Uint8>(sdlButton);
    event.cbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
    push(event);
}

}  // namespace

TestDriver::At TestDriver::At::pixel(float x, float y) {
    return pixel(quadrix::Vector2(x, y));
}

TestDriver::At TestDriver::At::pixel(const quadrix::Vector2& windowPosition) {
    At at(windowPosition);
    at.pixels = true;
    return at;
}

TestDriver::TestDriver(float timeStep) : timeStep(timeStep) {
    urlInterceptor = [this](const kit::String& url) {
        openedUrls.push_back(url);
        return openUrlResult;
    };
    messageBoxInterceptor = [this](const kit::String& title, const kit::String& text, MessageBoxStyle style) {
        messageBoxes.push_back({title, text, style});
    };
}

TestDriver::~TestDriver() {
    urlInterceptor = nullptr;
    messageBoxInterceptor = nullptr;
}

bool TestDriver::step(int frames) {
    for (int i = 0; i < frames; ++i) {
        if (finished) {
            return false;
        }
        if (window == nullptr || !window->isCreated()) {
            kit::Log::warn(logTag, "TestDriver: no window to run.");
            finished = true;
            return false;
        }
        ++frameCount;
        if (!window->updateOneFrame(timeStep)) {
            finished = true;
            return false;
        }
        if (frameWatch) {
            frameWatch();
        }
    }
    return !finished;
}

bool TestDriver::stepUntil(const std::function<bool()>& condition, int maxFrames) {
    for (int i = 0; i < maxFrames; ++i) {
        bool running = step(1);
        if (condition()) {
            return true;
        }
        if (!running) {
            return false;
        }
    }
    return false;
}

quadrix::Vector2 TestDriver::toWindow(const At& at) const {
    if (at.pixels || rendersys == nullptr) {
        return at.position;
    }
    return rendersys->toWindowPosition(at.position);
}

void TestDriver::mouseMove(const At& at) {
    pushMotion(toWindow(at));
}

void TestDriver::mouseDown(const At& at, Key button) {
    quadrix::Vector2 position = toWindow(at);
    pushMotion(position);
    pushMouseButton(position, button, true);
}

void TestDriver::mouseUp(const At& at, Key button) {
    quadrix::Vector2 position = toWindow(at);
    pushMotion(position);
    pushMouseButton(position, button, false);
}

void TestDriver::click(const At& at, Key button) {
    quadrix::Vector2 position = toWindow(at);
    pushMotion(position);
    pushMouseButton(position, button, true);
    pushMouseButton(position, button, false);
}

void TestDriver::scroll(float x, float y) {
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_MOUSEWHEEL;
    event.wheel.windowID = windowId();
    event.wheel.which = 0;
    event.wheel.x = static_cast<Sint32>(x);
    event.wheel.y = static_cast<Sint32>(-y);
    event.wheel.preciseX = x;
    event.wheel.preciseY = -y;
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    if (window != nullptr) {
        event.wheel.mouseX = static_cast<Sint32>(window->getCursorPosition().x);
        event.wheel.mouseY = static_cast<Sint32>(window->getCursorPosition().y);
    }
    push(event);
}

void TestDriver::keyDown(Key key, bool repeat) {
    pushKey(key, true, repeat);
}

void TestDriver::keyUp(Key key) {
    pushKey(key, false, false);
}

void TestDriver::pressKey(Key key) {
    pushKey(key, true, false);
    pushKey(key, false, false);
}

void TestDriver::typeText(const kit::String& utf8) {
    const size_t limit = SDL_TEXTINPUTEVENT_TEXT_SIZE - 1;
    size_t start = 0;
    while (start < utf8.size()) {
        size_t end = std::min(utf8.size(), start + limit);
        // Do not cut a character: back up to the start of a code point.
        while (end < utf8.size() && end > start && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) {
            --end;
        }
        SDL_Event event;
        SDL_zero(event);
        event.type = SDL_TEXTINPUT;
        event.text.windowID = windowId();
        std::memcpy(event.text.text, utf8.data() + start, end - start);
        event.text.text[end - start] = '\0';
        push(event);
        start = end;
    }
}

void TestDriver::touchDown(const At& at, int finger) {
    pushFinger(toWindow(at), finger, SDL_FINGERDOWN);
}

void TestDriver::touchMove(const At& at, int finger) {
    pushFinger(toWindow(at), finger, SDL_FINGERMOTION);
}

void TestDriver::touchUp(const At& at, int finger) {
    pushFinger(toWindow(at), finger, SDL_FINGERUP);
}

void TestDriver::tap(const At& at, int finger) {
    quadrix::Vector2 position = toWindow(at);
    pushFinger(position, finger, SDL_FINGERDOWN);
    pushFinger(position, finger, SDL_FINGERUP);
}

int TestDriver::plugController(Window::ControllerFamily family) {
    // A headless window never has the focus, without which SDL holds joystick input back.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    // SDL tells the family by the maker and model: a DualShock 4, else an Xbox 360 pad.
    bool playStation = family == Window::ControllerFamily::PlayStation;
    desc.vendor_id = playStation ? 0x054c : 0x045e;
    desc.product_id = playStation ? 0x09cc : 0x028e;
    int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index < 0) {
        kit::Log::warn(logTag, kit::String("TestDriver: no virtual controller: ") + SDL_GetError());
    }
    return index;
}

void TestDriver::unplugController(int deviceIndex) {
    if (SDL_JoystickDetachVirtual(deviceIndex) != 0) {
        kit::Log::warn(logTag, kit::String("TestDriver: the virtual controller stays: ") + SDL_GetError());
    }
}

void TestDriver::setControllerButton(int deviceIndex, Button button, bool down) {
    SDL_Joystick* joystick = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(deviceIndex));
    int sdlButton = sdlButtonFromButton(button);
    if (joystick == nullptr || sdlButton < 0 ||
        SDL_JoystickSetVirtualButton(joystick, sdlButton, down ? SDL_PRESSED : SDL_RELEASED) != 0) {
        kit::Log::warn(logTag, "TestDriver: the controller cannot press that button.");
    }
}

void TestDriver::buttonDown(Button button) {
    pushButton(button, true);
}

void TestDriver::buttonUp(Button button) {
    pushButton(button, false);
}

void TestDriver::pressButton(Button button) {
    pushButton(button, true);
    pushButton(button, false);
}

// As SDL reports a click on the close button of the only window: the window's close, then quit.
void TestDriver::requestQuit() {
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    event.window.windowID = windowId();
    push(event);
    SDL_zero(event);
    event.type = SDL_QUIT;
    push(event);
}

void TestDriver::requestTermination() {
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_QUIT;
    push(event);
}

void TestDriver::setWindowFocus(bool focused) {
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = windowId();
    event.window.event = focused ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
    push(event);
}

bool TestDriver::captureFrame(const kit::String& filename) {
    if (rendersys == nullptr || finished) {
        return false;
    }
    kit::File::remove(filename);
    rendersys->requestScreenshot(filename);
    step(1);
    rendersys->requestScreenshot("");
    return kit::File::exists(filename);
}

}  // namespace host
