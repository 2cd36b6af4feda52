#pragma once

#include <functional>

#include "host/Button.h"
#include "host/Host.h"
#include "host/Key.h"
#include "host/Window.h"
#include "kit/Types.h"
#include "quadrix/Vector2.h"

namespace host {

// Drives the real main loop from a test, frame by frame with a fixed time step, and plays the user by
// pushing synthetic SDL events into the window's queue: the same path a player's input takes. Events
// are handed to the delegates at the start of the next frame, in the order they were pushed.
//
// Needs an open window (host::init, createRenderSystem, createWindow, headless with
// SDL_VIDEODRIVER=offscreen). While a driver exists, host::openUrl and host::showMessageBox are
// recorded here instead of reaching the desktop. One driver at a time.
class TestDriver {
public:
    // A position for pointer events: GUI units (mapped through the render system's orthographic
    // projection and viewport as they are when the event is pushed), or window pixels with pixel().
    struct At {
        quadrix::Vector2 position;
        bool pixels = false;

        At(const quadrix::Vector2& guiPosition) : position(guiPosition) {}
        At(float guiX, float guiY) : position(guiX, guiY) {}
        static At pixel(float x, float y);
        static At pixel(const quadrix::Vector2& windowPosition);
    };

    struct MessageBox {
        kit::String title;
        kit::String text;
        MessageBoxStyle style = MessageBoxStyle::Info;
    };

    explicit TestDriver(float timeStep = 1.0f / 60.0f);
    ~TestDriver();
    TestDriver(const TestDriver&) = delete;
    TestDriver& operator=(const TestDriver&) = delete;

    float getTimeStep() const { return timeStep; }
    void setTimeStep(float seconds) { timeStep = seconds; }

    // Runs frames with the fixed time step (Window::updateOneFrame). Stops and returns false as soon as
    // the loop ends (the update delegate returned false or terminateMainLoop was asked).
    bool step(int frames = 1);
    // Runs frames until the condition, checked after each frame, holds (true), or the loop ends or
    // maxFrames frames ran (false).
    bool stepUntil(const std::function<bool()>& condition, int maxFrames = 600);
    // Whether the loop has ended.
    bool isFinished() const { return finished; }
    // Called after every frame the driver runs, to look at what that frame showed (empty: nothing).
    void setFrameWatch(std::function<void()> watch) { frameWatch = std::move(watch); }
    // Frames run by this driver.
    int getFrameCount() const { return frameCount; }

    // The window pixel of a position.
    quadrix::Vector2 toWindow(const At& at) const;

    // Mouse: moving there first, then the button.
    void mouseMove(const At& at);
    void mouseDown(const At& at, Key button = Key::MouseLeft);
    void mouseUp(const At& at, Key button = Key::MouseLeft);
    // Move, press and release: one quick click, all handled in the next frame.
    void click(const At& at, Key button = Key::MouseLeft);
    // Wheel steps, in the mouse delegate's sense (positive y towards the user).
    void scroll(float x, float y);

    // Keyboard: key events carry the SDL keycode of the key; typed text is UTF-8 (onChar per code
    // point).
    void keyDown(Key key, bool repeat = false);
    void keyUp(Key key);
    void pressKey(Key key);
    void typeText(const kit::String& utf8);

    // Touch screen: fingers are told apart by number.
    void touchDown(const At& at, int finger = 0);
    void touchMove(const At& at, int finger = 0);
    void touchUp(const At& at, int finger = 0);
    void tap(const At& at, int finger = 0);

    // Game controller. A virtual one can be plugged in and pulled out while the game runs: SDL then
    // reports it as it reports a real one (added with its device index, removed with its instance id).
    // plugController returns the device index to pull it out by; -1 when SDL cannot make one.
    int plugController(Window::ControllerFamily family = Window::ControllerFamily::Letters);
    void unplugController(int deviceIndex);
    // Holds or lets go of a button of a plugged-in controller, which SDL reports as that device's.
    void setControllerButton(int deviceIndex, Button button, bool down);
    void buttonDown(Button button);
    void buttonUp(Button button);
    void pressButton(Button button);

    // The window's close button (system delegate's onQuit, which may refuse).
    void requestQuit();
    // The system ends the program (a signal): onQuit that may not refuse.
    void requestTermination();
    // The window gains or loses the keyboard focus.
    void setWindowFocus(bool focused);

    // Runs one frame and saves it as a PNG file just before it is presented. False when the frame
    // could not be run or saved.
    bool captureFrame(const kit::String& filename);

    // What host::openUrl and host::showMessageBox were asked while the driver existed.
    const kit::Array<kit::String>& getOpenedUrls() const { return openedUrls; }
    const kit::Array<MessageBox>& getMessageBoxes() const { return messageBoxes; }
    // The answer host::openUrl gives (default true).
    void setOpenUrlResult(bool result) { openUrlResult = result; }

private:
    float timeStep;
    bool finished = false;
    std::function<void()> frameWatch;
    int frameCount = 0;
    bool openUrlResult = true;
    kit::Array<kit::String> openedUrls;
    kit::Array<MessageBox> messageBoxes;
};

}  // namespace host
