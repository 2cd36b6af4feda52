#pragma once

#include <gtest/gtest.h>

#include "host/Host.h"
#include "host/TestDriver.h"
#include "kit/Format.h"

namespace hosttest {

// Opens a headless window of 320 x 240 pixels for each test and closes it afterwards.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host::init());
        ASSERT_TRUE(host::createRenderSystem());
        ASSERT_TRUE(host::createWindow(320, 240, false, "host test"));
    }
    void TearDown() override { host::destroy(); }
};

// Writes every delegate call as a line.
class Recorder : public host::InputDelegate, public host::SystemDelegate {
public:
    kit::Array<kit::String> calls;
    bool quitAnswer = false;

    void onKeyDown(host::Key key) override { add("keyDown %u", unsigned(key)); }
    void onKeyUp(host::Key key) override { add("keyUp %u", unsigned(key)); }
    void onChar(unsigned int code) override { add("char %u", code); }
    void onMouseDown(host::Key key) override { add("mouseDown %u%s", unsigned(key), cursor().c_str()); }
    void onMouseUp(host::Key key) override { add("mouseUp %u%s", unsigned(key), cursor().c_str()); }
    void onMouseCancel(host::Key key) override { add("mouseCancel %u", unsigned(key)); }
    void onMouseMove() override { add("mouseMove%s", cursor().c_str()); }
    void onMouseScroll(float x, float y) override { add("scroll %g %g", x, y); }
    void onTouch(const kit::Array<quadrix::Vector2>& touches) override {
        kit::String line = kit::format("touch %d", int(touches.size()));
        for (const auto& t : touches) {
            line += kit::format(" (%g,%g)", t.x, t.y);
        }
        calls.push_back(line);
    }
    void onButtonDown(host::Button button) override { add("buttonDown %u", unsigned(button)); }
    void onButtonUp(host::Button button) override { add("buttonUp %u", unsigned(button)); }

    bool onQuit(bool canCancel) override {
        add("quit %d", canCancel ? 1 : 0);
        return quitAnswer;
    }
    void onWindowFocusChanged(bool focused) override { add("focus %d", focused ? 1 : 0); }
    void onWindowSizeChanged(int width, int height, bool fullscreen) override {
        add("size %d %d %d", width, height, fullscreen ? 1 : 0);
    }
    void onInputModeChanged(host::Window::InputMode mode) override { add("mode %d", int(mode)); }

    // Routes all input and system events of the window here.
    void attach() {
        host::window->setKeyboardDelegate(this);
        host::window->setMouseDelegate(this);
        host::window->setTouchDelegate(this);
        host::window->setControllerDelegate(this);
        host::window->setSystemDelegate(this);
    }
    kit::String take() {
        kit::String all;
        for (const auto& call : calls) {
            all += (all.empty() ? "" : "|") + call;
        }
        calls.clear();
        return all;
    }

private:
    template <class... Args>
    void add(const char* format, Args... args) {
        calls.push_back(kit::format(format, args...));
    }
    static kit::String cursor() {
        quadrix::Vector2 p = host::window->getCursorPosition();
        return kit::format(" @%g,%g", p.x, p.y);
    }
};

}  // namespace hosttest
