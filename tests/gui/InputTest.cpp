#include "Driver.h"
#include "Fixture.h"
#include "gui/EditBox.h"
#include "gui/Gui.h"
#include "gui/ImageButton.h"
#include "gui/ProgressBar.h"
#include "gui/ScrollArea.h"
#include "gui/ToggleButton.h"
#include "host/TestDriver.h"

namespace guitest {
namespace {

using At = host::TestDriver::At;

class InputTest : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        screen = loadScreen("data/gui/definitions/normal/sample/sample.gui");
        frames = std::make_unique<ScreenDriver>(screen.get());
        input = std::make_unique<host::TestDriver>();
    }

    void TearDown() override {
        input.reset();
        frames.reset();
        screen.reset();
        GuiFixture::TearDown();
    }

    At centreOf(const kit::String& name) {
        return At(screen->getObject(name)->toGlobal(screen->getObject(name)->getSize() * 0.5f));
    }

    void clickOn(const kit::String& name) {
        input->click(centreOf(name));
        input->step(2);
    }

    std::unique_ptr<gui::Dataset> screen;
    std::unique_ptr<ScreenDriver> frames;
    std::unique_ptr<host::TestDriver> input;
};

TEST_F(InputTest, AClickLandsOnTheTurnedChildUnderTheCursorOnce) {
    gui::Object* field = screen->getObject("field_00");
    unsigned int key = 0;
    field->registerEvent(gui::Event::Click, new gui::FunctionCallbackEvent(
                                                [&](gui::EventArgs* args) { key = args->getKeyCode(); }));
    frames->count(field, gui::Event::Click);
    frames->count(screen->getObject("field_01"), gui::Event::Click);
    // Inside the place the field would have if the board were neither turned nor scaled.
    quadrix::Vector2 unturned(530, 50);
    ASSERT_FALSE(field->isPointInside(unturned));
    input->click(At(unturned));
    input->step(2);
    EXPECT_TRUE(frames->getLog().empty());
    clickOn("field_00");
    EXPECT_EQ(frames->counted("field_00", gui::Event::Click), 1);
    EXPECT_EQ(frames->getLog().size(), 1u);
    EXPECT_EQ(key, static_cast<unsigned int>(host::Key::MouseLeft));
    // The token turns with the board, on top of the fields.
    frames->count(screen->getObject("token"), gui::Event::Click);
    clickOn("token");
    EXPECT_EQ(frames->counted("token", gui::Event::Click), 1);
}

TEST_F(InputTest, PressOnOneButtonAndReleaseOnAnotherRaisesNothing) {
    frames->count(screen->getObject("button_ok"), gui::Event::Click);
    frames->count(screen->getObject("button_text"), gui::Event::Click);
    input->mouseDown(centreOf("button_ok"));
    input->step();
    EXPECT_EQ(screen->getPushedObject(), screen->getObject("button_ok"));
    input->mouseMove(centreOf("button_text"));
    input->mouseUp(centreOf("button_text"));
    input->step(2);
    EXPECT_TRUE(frames->getLog().empty());
    EXPECT_EQ(screen->getPushedObject(), nullptr);
    clickOn("button_text");
    EXPECT_EQ(frames->counted("button_text", gui::Event::Click), 1);
    EXPECT_EQ(frames->counted("button_ok", gui::Event::Click), 0);
}

TEST_F(InputTest, DisabledAndInvisibleObjectsTakeNoClicks) {
    for (const char* name : {"button_disabled", "button_ok", "button_text"}) {
        frames->count(screen->getObject(name), gui::Event::Click);
    }
    clickOn("button_disabled");
    screen->getObject("button_ok")->setVisible(false);
    clickOn("button_ok");
    screen->getRoot()->setEnabled(false);
    clickOn("button_text");
    EXPECT_TRUE(frames->getLog().empty());
    screen->getRoot()->setEnabled(true);
    screen->getObject("button_ok")->setVisible(true);
    clickOn("button_ok");
    EXPECT_EQ(frames->counted("button_ok", gui::Event::Click), 1);
    // From code, as the confirm keys do: delivered by the next event processing.
    screen->getObject("button_text")->triggerEvent(gui::Event::Click, 1);
    EXPECT_EQ(frames->counted("button_text", gui::Event::Click), 0);
    input->step();
    EXPECT_EQ(frames->counted("button_text", gui::Event::Click), 1);
}

TEST_F(InputTest, ButtonsShowHoverAndPushedLooks) {
    auto* button = screen->getObjectAs<gui::ImageButton>("button_ok", "ImageButton");
    EXPECT_EQ(button->getLook(), gui::ButtonBase::Look::Normal);
    input->mouseMove(centreOf("button_ok"));
    input->step();
    EXPECT_EQ(button->getLook(), gui::ButtonBase::Look::Hover);
    gui::setHoverEffectEnabled(false);
    EXPECT_EQ(button->getLook(), gui::ButtonBase::Look::Normal) << "no hover in touch mode";
    input->mouseDown(centreOf("button_ok"));
    input->step();
    EXPECT_EQ(button->getLook(), gui::ButtonBase::Look::Pushed);
    input->mouseMove(At(10, 700));
    input->step();
    EXPECT_EQ(button->getLook(), gui::ButtonBase::Look::Normal) << "pushed shows only while over it";
    input->mouseUp(At(10, 700));
    input->step();
    EXPECT_EQ(screen->getObjectAs<gui::ImageButton>("button_disabled", "ImageButton")->getLook(),
              gui::ButtonBase::Look::Disabled);
}

TEST_F(InputTest, FocusMovesByIndexAndReportsFailures) {
    EXPECT_EQ(screen->findPossibleFocusIndices(true), (kit::Array<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(screen->findPossibleFocusIndices(false), (kit::Array<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(screen->getFocusedObject(), nullptr);
    EXPECT_EQ(screen->getFocusedObjectIndex(), -1);
    EXPECT_TRUE(screen->trySetFocusedObjectByIndex(2, true));
    EXPECT_EQ(screen->getFocusedObject(), screen->getObject("button_text"));
    EXPECT_FALSE(screen->trySetFocusedObjectByIndex(5, true)) << "disabled";
    EXPECT_FALSE(screen->trySetFocusedObjectByIndex(9, false)) << "missing";
    EXPECT_EQ(screen->getFocusedObjectIndex(), 2) << "a failure leaves the focus";
    EXPECT_TRUE(screen->trySetFocusedObjectByIndex(5, false));
    EXPECT_EQ(screen->getFocusedObject(), screen->getObject("button_disabled"));

    screen->trySetFocusedObjectByIndex(3, true);
    input->pressKey(host::Key::Tab);
    input->step();
    EXPECT_EQ(screen->getFocusedObjectIndex(), 4);
    input->pressKey(host::Key::Tab);
    input->step();
    EXPECT_EQ(screen->getFocusedObjectIndex(), 0) << "wraps";
    input->keyDown(host::Key::Shift);
    input->pressKey(host::Key::Tab);
    input->keyUp(host::Key::Shift);
    input->step();
    EXPECT_EQ(screen->getFocusedObjectIndex(), 4) << "backwards";

    screen->getObject("toggle_sound")->setVisible(false);
    EXPECT_EQ(screen->findPossibleFocusIndices(true), (kit::Array<int>{0, 1, 2, 4}));
    screen->getObject("progress_volume")->setAlpha(0);
    EXPECT_EQ(screen->findPossibleFocusIndices(true), (kit::Array<int>{0, 1, 2})) << "faded out";
    EXPECT_EQ(screen->findPossibleFocusIndices(false), (kit::Array<int>{0, 1, 2, 3, 4, 5}));
    frames->count(screen->getObject("button_text"), gui::Event::Click);
    screen->trySetFocusedObjectByIndex(2, true);
    input->pressKey(host::Key::Return);
    input->step(2);
    EXPECT_EQ(frames->counted("button_text", gui::Event::Click), 1) << "Enter clicks the focused button";
    screen->removeFocus();
    EXPECT_EQ(screen->getFocusedObjectIndex(), -1);
}

TEST_F(InputTest, TypingKeepsEveryCharacter) {
    auto* edit = screen->getObjectAs<gui::EditBox>("edit_name", "EditBox");
    frames->count(edit, gui::Event::Submit);
    frames->count(edit, gui::Event::FocusGained);
    clickOn("edit_name");
    EXPECT_EQ(screen->getFocusedObject(), edit);
    input->typeText("Ž汉 {x}");
    input->step();
    EXPECT_EQ(edit->getText(), "Ž汉 {x}");
    EXPECT_EQ(edit->getCaret(), 6);

    input->pressKey(host::Key::Backspace);
    input->pressKey(host::Key::Home);
    input->pressKey(host::Key::Delete);
    input->step();
    EXPECT_EQ(edit->getText(), "汉 {x");
    input->pressKey(host::Key::End);
    input->keyDown(host::Key::Shift);
    input->pressKey(host::Key::Left);
    input->pressKey(host::Key::Left);
    input->keyUp(host::Key::Shift);
    input->step();
    EXPECT_EQ(edit->getSelectedText(), "{x");
    input->typeText("%s]");
    input->step();
    EXPECT_EQ(edit->getText(), "汉 %s]");
    EXPECT_FALSE(edit->onChar(0xD800)) << "a lone surrogate is no character";
    EXPECT_FALSE(edit->onChar(8)) << "control characters come as keys";
    // Line breaks and tabs cannot be stored in a name or card text, so typing them adds nothing.
    input->typeText("\n\r\t\x1b");
    input->step();
    EXPECT_EQ(edit->getText(), "汉 %s]");

    input->typeText("abcdefghijklmnopqrstuvwxyz");
    input->step();
    EXPECT_EQ(edit->getText(), "汉 %s]abcdefghijk") << "cut at 16 characters";
    input->pressKey(host::Key::Return);
    input->step(2);
    EXPECT_EQ(frames->counted("edit_name", gui::Event::Submit), 1);
    EXPECT_EQ(frames->counted("edit_name", gui::Event::FocusGained), 1);

    clickOn("rect_red");
    EXPECT_EQ(screen->getFocusedObject(), nullptr) << "a click elsewhere ends the editing";
    input->typeText("zz");
    input->step();
    EXPECT_EQ(edit->getText(), "汉 %s]abcdefghijk");
}

TEST_F(InputTest, TheMouseSetsTheCaretAndSelects) {
    auto* edit = screen->getObjectAs<gui::EditBox>("edit_name", "EditBox");
    edit->setText("abcdef");
    quadrix::Vector2 left = edit->toGlobal(quadrix::Vector2(1, edit->getHeight() * 0.5f));
    quadrix::Vector2 right = edit->toGlobal(quadrix::Vector2(edit->getWidth() - 2, edit->getHeight() * 0.5f));
    input->mouseDown(At(right));
    input->step();
    EXPECT_EQ(edit->getCaret(), 6);
    input->mouseMove(At(left));
    input->mouseUp(At(left));
    input->step();
    EXPECT_EQ(edit->getSelectedText(), "abcdef");
    edit->setText("");
    drawFrame(*screen);
    EXPECT_EQ(edit->getText(), "");
}

TEST_F(InputTest, ScrollAreasFollowDragsAndTheWheel) {
    auto* area = screen->getObjectAs<gui::ScrollArea>("scroll_area", "ScrollArea");
    gui::Object* content = area->getContent();
    EXPECT_EQ(area->getMaxScrollOffset(), quadrix::Vector2(0, 480));
    input->mouseMove(At(1070, 380));
    input->mouseDown(At(1070, 380));
    input->step();
    input->mouseMove(At(1070, 300));
    input->step();
    input->mouseMove(At(1070, 180));
    input->step();
    EXPECT_TRUE(area->isDragging());
    EXPECT_NEAR(area->getScrollOffset().y, 200.0f, 0.01f);
    EXPECT_NEAR(content->getY(), -200.0f, 0.01f);
    input->mouseUp(At(1070, 180));
    input->step();
    float released = area->getScrollOffset().y;
    input->step(30);
    EXPECT_GT(area->getScrollOffset().y, released) << "glides on after a quick drag";
    EXPECT_LE(area->getScrollOffset().y, 480.0f);

    area->setScrollOffset(quadrix::Vector2(0, 100));
    input->mouseMove(At(1070, 200));
    input->scroll(0, 1);
    input->step();
    EXPECT_NEAR(area->getScrollOffset().y, 100.0f + gui::ScrollArea::WheelStep, 0.01f) << "towards the user";
    input->scroll(0, -2);
    input->step();
    EXPECT_NEAR(area->getScrollOffset().y, 100.0f - gui::ScrollArea::WheelStep, 0.01f);
    area->setScrollOffset(quadrix::Vector2(0, 10000));
    EXPECT_EQ(area->getScrollOffset(), quadrix::Vector2(0, 480));
    // The last row is in view now and the first is cut away above the area.
    EXPECT_TRUE(screen->findObjectAt(quadrix::Vector2(1070, 60)) == area);
    drawFrame(*screen);
    Pixel above = pixelAt(950, 30);
    EXPECT_EQ(above.r, 0x20) << "nothing drawn above the area";
}

TEST_F(InputTest, ADragOnAButtonInAScrollAreaScrollsWithoutAClick) {
    auto* area = screen->getObjectAs<gui::ScrollArea>("scroll_area", "ScrollArea");
    gui::Object* row = screen->getObject("image_row_1");
    frames->count(row, gui::Event::Click);
    input->mouseDown(centreOf("image_row_1"));
    input->step();
    input->mouseMove(At(1070, 20));
    input->step();
    input->mouseUp(At(1070, 20));
    input->step(2);
    EXPECT_GT(area->getScrollOffset().y, 0.0f);
    EXPECT_EQ(frames->counted("image_row_1", gui::Event::Click), 0);
}

TEST_F(InputTest, TwoFingersScrollTheAreaTheyStartOn) {
    auto* area = screen->getObjectAs<gui::ScrollArea>("scroll_area", "ScrollArea");
    input->touchDown(At(1000, 400), 0);
    input->touchDown(At(1100, 400), 1);
    input->step();
    input->touchMove(At(1000, 300), 0);
    input->touchMove(At(1100, 300), 1);
    input->step();
    EXPECT_NEAR(area->getScrollOffset().y, 100.0f, 0.5f);
    input->touchUp(At(1000, 300), 0);
    input->touchUp(At(1100, 300), 1);
    input->step();
    input->touchDown(At(100, 650), 0);
    input->touchDown(At(200, 650), 1);
    input->touchMove(At(100, 550), 0);
    input->touchMove(At(200, 550), 1);
    input->step(2);
    EXPECT_NEAR(area->getScrollOffset().y, 100.0f, 0.5f) << "started outside the area";
}

TEST_F(InputTest, ProgressBarsAndToggleButtons) {
    auto* bar = screen->getObjectAs<gui::ProgressBar>("progress_volume", "ProgressBar");
    frames->count(bar, gui::Event::SetProgressValue);
    input->mouseDown(At(500 + 90, 598));
    input->step();
    EXPECT_NEAR(bar->getProgress(), 0.25f, 0.01f);
    input->mouseMove(At(500 + 270, 598));
    input->mouseUp(At(500 + 270, 598));
    input->step(2);
    EXPECT_NEAR(bar->getProgress(), 0.75f, 0.01f);
    EXPECT_EQ(frames->counted("progress_volume", gui::Event::SetProgressValue), 2);
    bar->setDraggable(false);
    clickOn("progress_volume");
    EXPECT_NEAR(bar->getProgress(), 0.75f, 0.01f);

    auto* toggle = screen->getObjectAs<gui::ToggleButton>("toggle_sound", "ToggleButton");
    frames->count(toggle, gui::Event::Toggled);
    frames->count(toggle, gui::Event::Click);
    clickOn("toggle_sound");
    EXPECT_TRUE(toggle->isToggled());
    EXPECT_EQ(frames->getLog().size(), 4u);
    EXPECT_EQ(frames->getLog()[2], "toggle_sound#" + std::to_string(static_cast<int>(gui::Event::Toggled)));
    EXPECT_EQ(frames->getLog()[3], "toggle_sound#" + std::to_string(static_cast<int>(gui::Event::Click)));
    clickOn("toggle_sound");
    EXPECT_FALSE(toggle->isToggled());
}

}  // namespace
}  // namespace guitest

namespace guitest {
namespace {

TEST_F(InputTest, TheViewportIsLetterboxedAndTheCursorFollowsIt) {
    gui::updateViewportPosition(quadrix::Rectangle(0, 0, 640, 480), true);
    EXPECT_EQ(gui::getViewportPixels(), quadrix::Rectangle(160, 0, 960, 720));
    input->mouseMove(At::pixel(160 + 480, 360));
    input->step();
    gui::updateViewportPosition(quadrix::Rectangle(0, 0, 640, 480), true);
    gui::updateCursorPosition();
    EXPECT_NEAR(gui::getCursorPosition().x, 320.0f, 0.01f);
    EXPECT_NEAR(gui::getCursorPosition().y, 240.0f, 0.01f);
    gui::updateViewportPosition(quadrix::Rectangle(0, 0, 640, 480), false);
    EXPECT_EQ(gui::getViewportPixels(), quadrix::Rectangle(0, 0, 1280, 720)) << "stretched";
    gui::setViewport(quadrix::Rectangle(0, 0, 1280, 720));
}

TEST_F(InputTest, TheKeyboardOffsetBringsTheFocusedEditBoxIntoView) {
    gui::setUseKeyboardAutoOffset(true);
    clickOn("edit_name");
    EXPECT_EQ(gui::getKeyboardOffset(), 0.0f) << "no on-screen keyboard";
    gui::setVirtualKeyboard(true, 0.5f);
    gui::Object* edit = screen->getObject("edit_name");
    EXPECT_NEAR(gui::getKeyboardOffset(), 360.0f - edit->getRect().bottom(), 0.01f);
    // Input follows the shifted picture: a press on the edit box where it is drawn now sets the caret.
    auto* box = dynamic_cast<gui::EditBox*>(edit);
    box->setText("abc");
    box->setCaret(0);
    quadrix::Vector2 end = edit->toGlobal(quadrix::Vector2(edit->getWidth() - 2, edit->getHeight() * 0.5f));
    end.y += gui::getKeyboardOffset();
    input->click(At(end));
    input->step(2);
    EXPECT_EQ(screen->getFocusedObject(), edit);
    EXPECT_EQ(box->getCaret(), 3);
    gui::setVirtualKeyboard(false, 0.0f);
    gui::setUseKeyboardAutoOffset(false);
}

}  // namespace
}  // namespace guitest
