#include <gtest/gtest.h>

#include "Internal.h"
#include "Support.h"

using host::Key;
using host::TestDriver;
using hosttest::Recorder;
using Mode = host::Window::InputMode;

namespace {

class InputTest : public hosttest::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        recorder.attach();
    }
    Uint32 windowId() const {
        return SDL_GetWindowID(static_cast<SDL_Window*>(host::window->getNativeHandle()));
    }
    void pushKey(SDL_Keycode keycode, bool down) {
        SDL_Event event;
        SDL_zero(event);
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.windowID = windowId();
        event.key.keysym.sym = keycode;
        SDL_PushEvent(&event);
    }
    Recorder recorder;
};

}  // namespace

TEST_F(InputTest, SdlKeyEventsBecomeSystemKeyNumbers) {
    const std::pair<SDL_Keycode, unsigned int> keys[] = {
        {SDLK_RETURN, 13}, {SDLK_ESCAPE, 27}, {SDLK_SPACE, 32}, {SDLK_LEFT, 37}, {SDLK_UP, 38},
        {SDLK_RIGHT, 39},  {SDLK_DOWN, 40},   {SDLK_q, 81},     {SDLK_7, 55},    {SDLK_F2, 113}};
    TestDriver driver;
    // The first, Enter, also starts the keyboard mode.
    kit::String mode = "mode 3|";
    for (const auto& [sdl, number] : keys) {
        pushKey(sdl, true);
        pushKey(sdl, false);
        driver.step();
        EXPECT_EQ(recorder.take(), mode + kit::format("keyDown %u|keyUp %u", number, number))
            << SDL_GetKeyName(sdl);
        mode.clear();
    }
    pushKey(SDLK_VOLUMEUP, true);  // not a system key: not reported
    driver.step();
    EXPECT_EQ(recorder.take(), "");
}

TEST_F(InputTest, TheDriverPressesKeysAndRepeats) {
    TestDriver driver;
    driver.keyDown(Key::Return);
    driver.keyDown(Key::Return, true);
    driver.keyUp(Key::Return);
    driver.keyDown(Key::Backspace);
    driver.keyDown(Key::Backspace, true);
    driver.keyUp(Key::Backspace);
    driver.keyDown(Key::Left);
    driver.keyDown(Key::Left, true);
    driver.keyUp(Key::Left);
    driver.pressKey(Key::F8);
    driver.step();
    // The keys that answer a question answer once however long they are held; the others repeat, so
    // that a held Backspace goes on deleting.
    EXPECT_EQ(recorder.take(),
              "mode 3|keyDown 13|keyUp 13|keyDown 8|keyDown 8|keyUp 8|keyDown 37|keyDown 37|keyUp 37|"
              "keyDown 119|keyUp 119");
}

TEST_F(InputTest, ArrowsTabAndTheAnsweringKeysStartTheKeyboardMode) {
    TestDriver driver;
    driver.pressKey(Key::F8);
    driver.pressKey(Key::Q);
    driver.step();
    EXPECT_EQ(host::window->getInputMode(), Mode::Mouse) << "typing is not navigating";
    for (Key key : {Key::Left, Key::Tab, Key::Escape, Key::Space}) {
        driver.mouseMove(TestDriver::At::pixel(2, 2));
        driver.step();
        ASSERT_EQ(host::window->getInputMode(), Mode::Mouse);
        driver.pressKey(key);
        driver.step();
        EXPECT_EQ(host::window->getInputMode(), Mode::Keyboard) << static_cast<int>(key);
    }
    driver.tap(TestDriver::At::pixel(1, 1));
    driver.step();
    EXPECT_EQ(host::window->getInputMode(), Mode::Touch);
    driver.pressKey(Key::Down);
    driver.step();
    EXPECT_EQ(host::window->getInputMode(), Mode::Keyboard);
}

TEST_F(InputTest, TypedTextArrivesAsCodePoints) {
    TestDriver driver;
    driver.typeText("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");  // a é € 😀
    driver.step();
    EXPECT_EQ(recorder.take(), "char 97|char 233|char 8364|char 128512");
    // Longer than one SDL text event, with a multi-byte character on the border.
    kit::String text = kit::String(30, 'x') + "\xC3\xA9" + "yz";
    driver.typeText(text);
    driver.step();
    kit::String expected;
    for (int i = 0; i < 30; ++i) {
        expected += "char 120|";
    }
    expected += "char 233|char 121|char 122";
    EXPECT_EQ(recorder.take(), expected);
}

TEST_F(InputTest, MouseButtonsMovesAndScroll) {
    TestDriver driver;
    driver.mouseDown(TestDriver::At::pixel(10, 20), Key::MouseLeft);
    driver.mouseUp(TestDriver::At::pixel(12, 22), Key::MouseLeft);
    driver.click(TestDriver::At::pixel(5, 6), Key::MouseRight);
    driver.click(TestDriver::At::pixel(7, 8), Key::MouseMiddle);
    driver.step();
    EXPECT_EQ(recorder.take(),
              "mouseMove @10,20|mouseDown 1 @10,20|mouseMove @12,22|mouseUp 1 @12,22|"
              "mouseMove @5,6|mouseDown 2 @5,6|mouseUp 2 @5,6|"
              "mouseMove @7,8|mouseDown 4 @7,8|mouseUp 4 @7,8");
    driver.scroll(0, 1);
    driver.scroll(-2, 0);
    driver.step();
    EXPECT_EQ(recorder.take(), "scroll 0 1|scroll -2 0");

    // A real wheel turned away from the user (SDL y > 0) scrolls up: negative y.
    SDL_Event wheel;
    SDL_zero(wheel);
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = 1;
    wheel.wheel.preciseY = 1.0f;
    SDL_PushEvent(&wheel);
    driver.step();
    EXPECT_EQ(recorder.take(), "scroll 0 -1");
}

TEST_F(InputTest, GuiUnitsAreMappedThroughTheProjection) {
    // 160 x 120 GUI units letterboxed into the middle of the window (viewport 240 x 180 at 40, 30).
    host::rendersys->setViewport(quadrix::Rectangle(40, 30, 240, 180));
    host::rendersys->setOrthoProjection(quadrix::Rectangle(0, 0, 160, 120));
    TestDriver driver;
    EXPECT_EQ(driver.toWindow({80, 60}), quadrix::Vector2(160, 120));
    EXPECT_EQ(driver.toWindow(TestDriver::At::pixel(3, 4)), quadrix::Vector2(3, 4));
    driver.click({20, 10});
    driver.step();
    EXPECT_EQ(recorder.take(), "mouseMove @70,45|mouseDown 1 @70,45|mouseUp 1 @70,45");
    EXPECT_EQ(host::rendersys->toGuiPosition(host::window->getCursorPosition()), quadrix::Vector2(20, 10));
}

TEST_F(InputTest, OneFingerIsTheMouseTwoAreATouchGesture) {
    TestDriver driver;
    driver.tap(TestDriver::At::pixel(32, 24));
    driver.step();
    EXPECT_EQ(recorder.take(), "mode 1|mouseDown 1 @32,24|mouseUp 1 @32,24");
    EXPECT_EQ(host::window->getInputMode(), Mode::Touch);

    driver.touchDown(TestDriver::At::pixel(16, 24), 0);
    driver.touchMove(TestDriver::At::pixel(32, 48), 0);
    driver.touchDown(TestDriver::At::pixel(160, 120), 1);
    driver.touchMove(TestDriver::At::pixel(64, 48), 0);
    driver.touchUp(TestDriver::At::pixel(64, 48), 0);
    driver.touchUp(TestDriver::At::pixel(160, 120), 1);
    driver.step();
    EXPECT_EQ(recorder.take(),
              "mouseDown 1 @16,24|mouseMove @32,48|mouseCancel 1|touch 2 (32,48) (160,120)|"
              "touch 2 (64,48) (160,120)|touch 1 (160,120)|touch 0");
    // After the gesture a single finger is the mouse again.
    driver.tap(TestDriver::At::pixel(8, 8));
    driver.step();
    EXPECT_EQ(recorder.take(), "mouseDown 1 @8,8|mouseUp 1 @8,8");
}

TEST_F(InputTest, ControllerButtons) {
    TestDriver driver;
    driver.pressButton(host::Button::A);
    driver.pressButton(host::Button::DPadLeft);
    driver.buttonDown(host::Button::Start);
    driver.step();
    EXPECT_EQ(recorder.take(), "mode 2|buttonDown 4|buttonUp 4|buttonDown 34|buttonUp 34|buttonDown 1");
    EXPECT_EQ(host::window->getInputMode(), Mode::Controller);

    // Raw SDL controller events with the SDL numbering.
    const std::pair<int, unsigned int> directions[] = {{SDL_CONTROLLER_BUTTON_DPAD_LEFT, 34},
                                                       {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 36},
                                                       {SDL_CONTROLLER_BUTTON_DPAD_UP, 38},
                                                       {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 32}};
    for (const auto& [sdl, number] : directions) {
        SDL_Event event;
        SDL_zero(event);
        event.type = SDL_CONTROLLERBUTTONDOWN;
        event.cbutton.button = static_cast<Uint8>(sdl);
        SDL_PushEvent(&event);
        driver.step();
        EXPECT_EQ(recorder.take(), kit::format("buttonDown %u", number));
    }
}

TEST_F(InputTest, TheInputModeFollowsTheLastDevice) {
    TestDriver driver;
    EXPECT_EQ(host::window->getInputMode(), Mode::Mouse);
    driver.pressButton(host::Button::B);
    driver.step();
    EXPECT_EQ(host::window->getInputMode(), Mode::Controller);
    driver.pressKey(Key::Space);  // keys leave it
    driver.step();
    EXPECT_EQ(host::window->getInputMode(), Mode::Controller);
    driver.tap(TestDriver::At::pixel(1, 1));
    driver.step();
    EXPECT_EQ(host::window->getInputMode(), Mode::Touch);
    driver.mouseMove(TestDriver::At::pixel(2, 2));
    driver.mouseMove(TestDriver::At::pixel(3, 3));
    driver.step();
    EXPECT_EQ(host::window->getInputMode(), Mode::Mouse);
    EXPECT_EQ(recorder.take(),
              "mode 2|buttonDown 5|buttonUp 5|keyDown 32|keyUp 32|mode 1|mouseDown 1 @1,1|mouseUp 1 @1,1|"
              "mode 0|mouseMove @2,2|mouseMove @3,3");
}

TEST_F(InputTest, ForceTouchTranslatesTheMouseMode) {
    TestDriver driver;
    // Applies at once to the current mode.
    host::window->setInputModeTranslations({{Mode::Mouse, Mode::Touch}});
    EXPECT_EQ(host::window->getInputMode(), Mode::Touch);
    EXPECT_EQ(recorder.take(), "mode 1");
    driver.click(TestDriver::At::pixel(4, 4));
    driver.step();
    EXPECT_EQ(host::window->getInputMode(), Mode::Touch);
    EXPECT_EQ(recorder.take(), "mouseMove @4,4|mouseDown 1 @4,4|mouseUp 1 @4,4");  // no mode change
    driver.pressButton(host::Button::A);
    driver.step();
    EXPECT_EQ(host::window->getInputMode(), Mode::Controller);
    driver.mouseMove(TestDriver::At::pixel(5, 5));
    driver.step();
    EXPECT_EQ(host::window->getInputMode(), Mode::Touch);
    EXPECT_EQ(host::window->getInputModeTranslations().size(), 1u);
    host::window->setInputModeTranslations({});
    EXPECT_EQ(host::window->getInputMode(), Mode::Mouse);
    EXPECT_EQ(recorder.take(), "mode 2|buttonDown 4|buttonUp 4|mode 1|mouseMove @5,5|mode 0");
}

TEST_F(InputTest, DetachedDelegatesHearNothing) {
    host::window->clearDelegates();
    EXPECT_EQ(host::window->getKeyboardDelegate(), nullptr);
    EXPECT_EQ(host::window->getSystemDelegate(), nullptr);
    EXPECT_EQ(host::window->getControllerDelegate(), nullptr);
    TestDriver driver;
    driver.pressKey(Key::A);
    driver.click({1, 1});
    driver.tap({1, 1});
    driver.pressButton(host::Button::A);
    driver.typeText("x");
    EXPECT_TRUE(driver.step());
    EXPECT_EQ(recorder.take(), "");
}

// The hints name the buttons as the controller in hand prints them: SDL tells a DualShock from an
// Xbox pad by its maker and model, and the family follows the controller pressed last.
TEST_F(InputTest, TheControllerFamilyFollowsTheControllerInHand) {
    using Family = host::Window::ControllerFamily;
    TestDriver driver;
    EXPECT_EQ(host::window->getControllerFamily(), Family::Letters);
    int shapes = driver.plugController(Family::PlayStation);
    ASSERT_GE(shapes, 0);
    driver.step(3);
    EXPECT_EQ(host::window->getControllerFamily(), Family::PlayStation) << "the one plugged in last";
    int letters = driver.plugController(Family::Letters);
    ASSERT_GE(letters, 0);
    driver.step(3);
    EXPECT_EQ(host::window->getControllerFamily(), Family::Letters);
    driver.setControllerButton(shapes, host::Button::A, true);
    driver.step(3);
    driver.setControllerButton(shapes, host::Button::A, false);
    driver.step(3);
    EXPECT_EQ(host::window->getControllerFamily(), Family::PlayStation) << "the one pressed last";
    driver.unplugController(letters);
    driver.unplugController(shapes);
    driver.step(3);
}
