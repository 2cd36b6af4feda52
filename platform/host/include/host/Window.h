#pragma once

#include <memory>

#include "kit/Types.h"
#include "quadrix/Vector2.h"

namespace host {

class UpdateDelegate;
class SystemDelegate;
class KeyboardDelegate;
class MouseDelegate;
class TouchDelegate;
class ControllerDelegate;

// The program's one window and its main loop. Made by host::init, opened by host::createWindow and
// reached through the global host::window. All operations belong to the main thread.
class Window {
public:
    // The device used last: a mouse move, click or scroll sets Mouse, a touch Touch, a controller
    // button Controller; keys leave the mode as it is. The window reports the mode after its
    // input-mode translations.
    // Keyboard: an arrow key, Tab, Backspace or a key that answers (Enter, Space, Escape) was pressed
    // last; like the controller, it keeps and shows the focus. A mouse move or a touch ends it.
    enum class InputMode { Mouse = 0, Touch = 1, Controller = 2, Keyboard = 3 };
    // What the controller's face buttons are called: letters (A, B, Y; Xbox, Nintendo with SDL's
    // labelled mapping, most others) or the PlayStation's shapes (cross, circle, triangle).
    enum class ControllerFamily { Letters = 0, PlayStation = 1 };

    struct Options {
        // The user may resize the window (windowed mode).
        bool resizable = true;
    };

    Window();
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Opens the window and the render system's renderer (host::createWindow calls this). Full screen
    // takes the whole desktop at its current resolution. False (with an error in the log) on failure.
    bool create(int width, int height, bool fullscreen, const kit::String& title, const Options& options);
    // Closes the renderer and the window; the object stays and can be created again.
    void destroy();
    bool isCreated() const;

    // The size of the drawing area in pixels.
    int getWidth() const;
    int getHeight() const;
    quadrix::Vector2 getSize() const;
    // Width divided by height.
    float getAspectRatio() const;
    bool isFullscreen() const;
    // Switches between windowed and full screen (the whole desktop); the system delegate's
    // onWindowSizeChanged follows. Leaving full screen restores the windowed size.
    void setFullscreen(bool fullscreen);
    // Resizes a windowed window; the system delegate hears of the new size as of a user's resize.
    void setSize(int width, int height);
    const kit::String& getTitle() const;
    void setTitle(const kit::String& title);
    // The SDL_Window behind the window, for platform layers that need it (null before create).
    void* getNativeHandle() const;

    // The system's mouse cursor over the window.
    void setCursorVisible(bool visible);
    bool isCursorVisible() const;
    // Whether the mouse cursor is over the window (it entered, or moved or clicked there last): the
    // query to make before drawing a cursor of one's own.
    bool isCursorInside() const;
    // Last cursor position in window pixels (also the position of a single touch).
    quadrix::Vector2 getCursorPosition() const;

    InputMode getInputMode() const;
    // The family of the controller whose button was pressed last, else of the one plugged in last.
    ControllerFamily getControllerFamily() const;
    // Sets the device mode before translation; the system delegate hears of a change of the
    // translated mode.
    void setInputMode(InputMode inputMode);
    const kit::Map<InputMode, InputMode>& getInputModeTranslations() const;
    // Maps device modes onto reported modes ({Mouse: Touch} makes a mouse act as a touch screen);
    // applies to the current mode at once.
    void setInputModeTranslations(const kit::Map<InputMode, InputMode>& translations);

    // Delegates are not owned; null detaches.
    UpdateDelegate* getUpdateDelegate() const;
    void setUpdateDelegate(UpdateDelegate* delegate);
    SystemDelegate* getSystemDelegate() const;
    void setSystemDelegate(SystemDelegate* delegate);
    KeyboardDelegate* getKeyboardDelegate() const;
    void setKeyboardDelegate(KeyboardDelegate* delegate);
    MouseDelegate* getMouseDelegate() const;
    void setMouseDelegate(MouseDelegate* delegate);
    TouchDelegate* getTouchDelegate() const;
    void setTouchDelegate(TouchDelegate* delegate);
    ControllerDelegate* getControllerDelegate() const;
    void setControllerDelegate(ControllerDelegate* delegate);
    // Detaches every delegate, so that nothing is delivered to objects about to go.
    void clearDelegates();

    // Frames shown in the last full second (counted over the frames' time steps).
    int getFps() const;

    // Runs frames with the real time step until the update delegate returns false or
    // terminateMainLoop is called; frames are paced to about 60 per second (vsync, else a sleep).
    // Returns 0.
    int enterMainLoop();
    // One frame with the given time step: finishes asynchronous texture uploads, hands the pending
    // events to the delegates, calls the update delegate and presents the frame. Returns false when
    // the loop should end. Does not pace (the test driver runs frames as fast as they come).
    bool updateOneFrame(float timeDelta);
    // Ends the main loop after the current frame.
    void terminateMainLoop();
    bool isMainLoopTerminated() const;

    struct Impl;

private:
    std::unique_ptr<Impl> impl;
    friend class RenderSystem;
    friend class TestDriver;
};

// The window made by host::init (null before it and after host::destroy).
extern Window* window;

}  // namespace host
