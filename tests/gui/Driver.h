#pragma once

#include "gui/Dataset.h"
#include "gui/FunctionCallbackEvent.h"
#include "host/Host.h"

namespace guitest {

// Runs a screen in the window's real frames: input from the window's delegates reaches the data set,
// each frame delivers the queued events, updates and draws it.
class ScreenDriver : public host::UpdateDelegate, public host::InputDelegate {
public:
    explicit ScreenDriver(gui::Dataset* screen);
    ~ScreenDriver() override;

    bool onUpdate(float timeDelta) override;
    void onMouseDown(host::Key key) override { screen->onMouseDown(key); }
    void onMouseUp(host::Key key) override { screen->onMouseUp(key); }
    void onMouseCancel(host::Key key) override { screen->onMouseCancel(key); }
    void onMouseMove() override { screen->onMouseMove(); }
    void onMouseScroll(float x, float y) override { screen->onMouseScroll(x, y); }
    void onKeyDown(host::Key key) override { screen->onKeyDown(key); }
    void onKeyUp(host::Key key) override { screen->onKeyUp(key); }
    void onChar(unsigned int code) override { screen->onChar(code); }
    void onTouch(const kit::Array<quadrix::Vector2>& touches) override { screen->onTouch(touches); }

    // Counts the events of an object, by name.
    void count(gui::BaseObject* object, gui::Event event);
    int counted(const kit::String& name, gui::Event event) const;
    const kit::Array<kit::String>& getLog() const { return log; }

private:
    gui::Dataset* screen;
    kit::Array<kit::String> log;
};

}  // namespace guitest
