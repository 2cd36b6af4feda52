#include <gtest/gtest.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/Input.h>
#include <ventrel/system/SceneManager.h>

using host::Key;
using ventrel::system::Input;

namespace {

// Reads a tracked key as the frame sees it.
struct KeyView {
    bool triggered, pressed, released;
    int triggers;
};

KeyView view(const Input& input, Key key) {
    return {input.isKeyTriggered(key), input.isKeyPressed(key), input.isKeyReleased(key),
            input.getKeyTriggers(key)};
}

}  // namespace

class InputStateTest : public ::testing::Test {
protected:
    void SetUp() override { input.addKey(Key::Space); }
    Input input;
};

TEST_F(InputStateTest, TapBetweenTwoUpdatesIsAFrameTrigger) {
    input.onKeyDown(Key::Space);
    input.onKeyUp(Key::Space);
    input.update();
    KeyView frame = view(input, Key::Space);
    EXPECT_TRUE(frame.triggered);
    EXPECT_TRUE(frame.released);
    EXPECT_FALSE(frame.pressed);
    EXPECT_EQ(frame.triggers, 1);

    input.update();
    frame = view(input, Key::Space);
    EXPECT_FALSE(frame.triggered || frame.pressed || frame.released);
    EXPECT_EQ(frame.triggers, 0);
}

TEST_F(InputStateTest, HeldKeyGoesTriggerPressPressReleaseIdle) {
    input.onKeyDown(Key::Space);
    input.update();
    EXPECT_TRUE(input.isKeyTriggered(Key::Space));
    EXPECT_TRUE(input.isKeyPressed(Key::Space));
    for (int frame = 0; frame < 2; ++frame) {
        input.update();
        EXPECT_FALSE(input.isKeyTriggered(Key::Space));
        EXPECT_TRUE(input.isKeyPressed(Key::Space));
    }
    input.onKeyUp(Key::Space);
    input.update();
    EXPECT_TRUE(input.isKeyReleased(Key::Space));
    EXPECT_FALSE(input.isKeyPressed(Key::Space));
    EXPECT_EQ(input.getKeyTriggers(Key::Space), 0) << "a long press is not a tap";
    input.update();
    EXPECT_FALSE(input.isKeyReleased(Key::Space));
}

TEST_F(InputStateTest, TwoTapsInOneFrameCountTwo) {
    for (int tap = 0; tap < 2; ++tap) {
        input.onKeyDown(Key::Space);
        input.onKeyUp(Key::Space);
    }
    input.update();
    EXPECT_EQ(input.getKeyTriggers(Key::Space), 2);
    EXPECT_TRUE(input.isKeyTriggered(Key::Space));
}

TEST_F(InputStateTest, UntrackedKeysStayIdle) {
    input.onKeyDown(Key::A);
    input.update();
    input.update();
    EXPECT_FALSE(input.isKeyTriggered(Key::A));
    EXPECT_FALSE(input.isKeyPressed(Key::A));
    input.addKey(Key::A);
    input.addKey(Key::A);
    input.update();
    EXPECT_TRUE(input.isKeyTriggered(Key::A)) << "the recorded action shows once the key is tracked";
}

TEST_F(InputStateTest, ButtonsFollowTheSameMachine) {
    input.addButton(host::Button::A);
    input.onButtonDown(host::Button::A);
    input.onButtonUp(host::Button::A);
    input.update();
    EXPECT_TRUE(input.isButtonTriggered(host::Button::A));
    EXPECT_TRUE(input.isButtonReleased(host::Button::A));
    EXPECT_EQ(input.getButtonTriggers(host::Button::A), 1);
}

TEST_F(InputStateTest, ResetForgetsEverything) {
    input.onKeyDown(Key::Space);
    input.update();
    input.addState("Menu");
    input.reset();
    EXPECT_FALSE(input.isKeyPressed(Key::Space));
    EXPECT_EQ(input.getCurrentState(), "Ventrel:Default");
    input.update();
    EXPECT_FALSE(input.isKeyPressed(Key::Space)) << "the key's action was cleared too";
}

TEST(InputContextTest, StackOfContexts) {
    Input input;
    EXPECT_EQ(input.getCurrentState(), "Ventrel:Default");
    EXPECT_EQ(input.removeState(), "Ventrel:Default");
    EXPECT_EQ(input.getCurrentState(), "Ventrel:Default");
    input.addState("Dialog:One");
    input.addState("Dialog:Two");
    EXPECT_EQ(input.getCurrentState(), "Dialog:Two");
    EXPECT_EQ(input.removeState(), "Dialog:Two");
    EXPECT_EQ(input.getCurrentState(), "Dialog:One");
    input.resetState();
    EXPECT_EQ(input.getCurrentState(), "Ventrel:Default");
}

TEST(InputContextTest, ConfirmAndCancelDefaults) {
    Input input;
    EXPECT_EQ(input.getConfirmKeys(), kit::Array<Key>{Key::Enter});
    EXPECT_EQ(input.getCancelKeys(), kit::Array<Key>{Key::Escape});
    EXPECT_TRUE(input.getConfirmButtons().empty());
}

// The move vector's inertia uses the scene manager's time step.
class MoveVectorTest : public ::testing::Test {
protected:
    void SetUp() override { ventrel::sceneManager = &manager; }
    void TearDown() override { ventrel::sceneManager = nullptr; }
    ventrel::system::SceneManager manager{nullptr, false};
    Input input;
};

TEST_F(MoveVectorTest, LongDragIsCutAndThenDampened) {
    manager.setTimeDelta(0.1f);
    input.setMoveVector(quadrix::Vector2(100.0f, 0.0f));
    input.update();
    EXPECT_NEAR(input.getMoveVector().x, 47.0f, 1e-4f) << "cut to 50, then 3 units of dampening";
    input.update();
    EXPECT_NEAR(input.getMoveVector().x, 44.0f, 1e-4f);
    input.setMoveVector(quadrix::Vector2(3.0f, 4.0f));
    input.update();
    EXPECT_NEAR(input.getMoveVector().x, 1.2f, 1e-4f);
    EXPECT_NEAR(input.getMoveVector().y, 1.6f, 1e-4f);
    input.update();
    EXPECT_EQ(input.getMoveVector().x, 0.0f);
    EXPECT_EQ(input.getMoveVector().y, 0.0f);
}

TEST_F(MoveVectorTest, NoInertiaWithoutTime) {
    manager.setTimeDelta(0.0f);
    input.setMoveVector(quadrix::Vector2(0.0f, 20.0f));
    input.update();
    EXPECT_FLOAT_EQ(input.getMoveVector().y, 20.0f);
}
