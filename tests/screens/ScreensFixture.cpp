#include "ScreensFixture.h"

#include <fonts/Fonts.h>
#include <gui/Gui.h>
#include <host/Host.h>
#include <ventrel/system/Input.h>
#include <ventrel/system/ProfileManager.h>

namespace screenstest {

ScreensCore::ScreensCore() : Core("data/screens_tests", "Studio", "Screens", kit::Version(1, 0, 0, 0)) {}

void ScreensFixture::SetUp() {
    ASSERT_TRUE(host::init());
    ASSERT_TRUE(host::createRenderSystem());
    ASSERT_TRUE(host::createWindow(1280, 720, false, "screens test"));
    ASSERT_TRUE(fonts::init());
    ASSERT_TRUE(gui::init());
    gui::setViewport(quadrix::Rectangle(0, 0, 1280, 720));
    gui::updateViewportPosition(gui::getViewport(), true);
    core = new ScreensCore();
    tempState = new ventrel::system::TempState();
    ventrel::init(core, nullptr, tempState, false);
    ventrel::attachWindow();
    for (host::Key key : {host::Key::Enter, host::Key::Escape}) {
        ventrel::input->addKey(key);
    }
    for (host::Button button : {host::Button::DPadLeft, host::Button::DPadRight, host::Button::DPadUp,
                                host::Button::DPadDown, host::Button::A, host::Button::B}) {
        ventrel::input->addButton(button);
    }
    ventrel::profileManager->createProfile("Tester", true);
    driver = std::make_unique<host::TestDriver>(Step);
}

void ScreensFixture::TearDown() {
    driver.reset();
    if (core) {
        ventrel::destroy();
        delete tempState;
        delete core;
        ventrel::core = nullptr;
        ventrel::tempState = nullptr;
    }
    kit::Log::setFilename("");
    gui::destroy();
    fonts::destroy();
    host::destroy();
}

bool ScreensFixture::stepUntil(const std::function<bool()>& condition, int maxFrames) {
    return driver->stepUntil(condition, maxFrames);
}

quadrix::Vector2 ScreensFixture::centreOf(gui::Object* object) {
    quadrix::Rectangle box = object->getBoundingRect();
    return quadrix::Vector2(box.x + box.w * 0.5f, box.y + box.h * 0.5f);
}

}  // namespace screenstest
