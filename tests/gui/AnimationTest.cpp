#include <cmath>

#include "Driver.h"
#include "Fixture.h"
#include "gui/Animator.h"
#include "gui/Container.h"
#include "host/TestDriver.h"

namespace guitest {
namespace {

class AnimationTest : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        screen = std::make_unique<gui::Dataset>("", "animation", true);
        auto* root = new gui::Container("root");
        root->setRect(quadrix::Rectangle(0, 0, 1280, 720));
        screen->setRoot(root);
        object = new gui::Container("object");
        object->setRect(quadrix::Rectangle(0, 0, 100, 100));
        root->addChild(object);
        frames = std::make_unique<ScreenDriver>(screen.get());
        input = std::make_unique<host::TestDriver>(1.0f / 60.0f);
    }

    void TearDown() override {
        input.reset();
        frames.reset();
        screen.reset();
        GuiFixture::TearDown();
    }

    std::unique_ptr<gui::Dataset> screen;
    gui::Object* object = nullptr;
    std::unique_ptr<ScreenDriver> frames;
    std::unique_ptr<host::TestDriver> input;
};

TEST_F(AnimationTest, SpeedTwoReachesItsTargetAfterHalfASecond) {
    object->move(quadrix::Vector2(100, 50), 2.0f);
    EXPECT_TRUE(object->isAnimating());
    EXPECT_TRUE(screen->isAnimated());
    input->step(15);
    EXPECT_NEAR(object->getX(), 50.0f, 0.01f) << "every frame in between is drawn";
    EXPECT_NEAR(object->getY(), 25.0f, 0.01f);
    input->step(14);
    EXPECT_TRUE(object->isAnimating());
    input->step(1);
    EXPECT_EQ(object->getPosition(), quadrix::Vector2(100, 50));
    EXPECT_FALSE(object->isAnimating());
    EXPECT_FALSE(screen->isAnimated());
}

TEST_F(AnimationTest, QueuedAnimationsRunInOrderAfterTheirDelays) {
    object->moveX(100, 4.0f);
    object->moveX(200, 4.0f, true, 0.5f);
    object->moveX(0, 2.0f, true);
    input->step(15);
    EXPECT_NEAR(object->getX(), 100.0f, 0.01f);
    EXPECT_TRUE(object->isWaitingAnimation());
    EXPECT_TRUE(screen->isWaitingAnimation());
    input->step(30);
    EXPECT_NEAR(object->getX(), 100.0f, 0.01f) << "waits half a second";
    input->step(15);
    EXPECT_NEAR(object->getX(), 200.0f, 0.01f);
    EXPECT_FALSE(object->isWaitingAnimation());
    input->step(15);
    EXPECT_NEAR(object->getX(), 100.0f, 0.01f);
    input->step(15);
    EXPECT_NEAR(object->getX(), 0.0f, 0.01f);
    EXPECT_FALSE(object->isAnimating());

    // Without queueing an animation replaces the ones of its kind.
    object->moveX(500, 1.0f);
    object->moveX(40, 10.0f, false, 0.25f);
    input->step(15);
    EXPECT_NEAR(object->getX(), 0.0f, 0.01f) << "the delay counts from now";
    input->step(6);
    EXPECT_NEAR(object->getX(), 40.0f, 0.01f);
}

TEST_F(AnimationTest, EveryKindReachesItsTargetAndStops) {
    object->resetPivot();
    object->scale(quadrix::Vector2(2, 0.5f), 4.0f);
    object->rotate(90, 4.0f);
    object->fadeAlpha(0, 4.0f);
    object->fadeColor(host::Color(255, 0, 0), 4.0f);
    object->movePivot(quadrix::Vector2(0, 0), 4.0f);
    input->step(15);
    EXPECT_FALSE(object->isAnimating());
    EXPECT_EQ(object->getScale(), quadrix::Vector2(2, 0.5f));
    EXPECT_EQ(object->getAngle(), 90.0f);
    EXPECT_EQ(object->getColor(), host::Color(255, 0, 0, 0));
    EXPECT_EQ(object->getPivot(), quadrix::Vector2(0, 0));

    object->moveY(300, 1.0f);
    object->scale(quadrix::Vector2(1, 1), 1.0f);
    input->step(30);
    object->moveStop();
    object->scaleStop();
    EXPECT_FALSE(object->isAnimating());
    float y = object->getY();
    EXPECT_NEAR(y, 150.0f, 0.01f);
    input->step(10);
    EXPECT_EQ(object->getY(), y);
    object->rotate(0, 1.0f);
    object->fadeAlpha(255, 1.0f);
    object->stopAnimations();
    EXPECT_FALSE(object->isAnimating());
}

TEST_F(AnimationTest, AnimatorFunctionsAtKnownTimes) {
    gui::Animator animator("a", gui::Animator::Type::Mover, object);
    animator.setAmplitude(10.0f);
    animator.setOffset(1.0f);
    animator.setSpeed(2.0f);
    animator.setFunction(gui::Animator::Function::Linear);
    EXPECT_FLOAT_EQ(animator.sample(0.75f), 1.0f + 10.0f * 1.5f);
    animator.setFunction(gui::Animator::Function::Sine);
    EXPECT_NEAR(animator.sample(0.125f), 11.0f, 1e-4f);
    EXPECT_NEAR(animator.sample(0.375f), -9.0f, 1e-4f);
    animator.setFunction(gui::Animator::Function::Square);
    EXPECT_FLOAT_EQ(animator.sample(0.1f), 11.0f);
    EXPECT_FLOAT_EQ(animator.sample(0.4f), -9.0f);
    animator.setFunction(gui::Animator::Function::Saw);
    EXPECT_NEAR(animator.sample(0.6f), 1.0f + 10.0f * 0.2f, 1e-4f);
    animator.setFunction(gui::Animator::Function::Triangle);
    EXPECT_NEAR(animator.sample(0.125f), 1.0f + 10.0f * 0.5f, 1e-4f);
    EXPECT_NEAR(animator.sample(0.25f), 11.0f, 1e-4f);
    animator.setFunction(gui::Animator::Function::Custom);
    animator.setValues({0.0f, 1.0f, 0.5f, 0.0f});
    EXPECT_NEAR(animator.sample(0.0625f), 1.0f + 10.0f * 0.5f, 1e-4f)
        << "halfway between the first two values";
    EXPECT_NEAR(animator.sample(0.25f), 1.0f + 10.0f * 0.5f, 1e-4f);
    animator.setDelay(1.0f);
    EXPECT_NEAR(animator.sample(1.25f), 6.0f, 1e-4f);
    EXPECT_NEAR(animator.sample(0.5f), 1.0f, 1e-4f) << "before its delay at the start value";
}

TEST_F(AnimationTest, AnimatorsDriveTheirObjectAndEnd) {
    object->setPosition(100, 200);
    auto* mover = new gui::Animator("mover", gui::Animator::Type::Mover, object);
    mover->setFunction(gui::Animator::Function::Linear);
    mover->setAxis(gui::Animator::Axis::X);
    mover->setAmplitude(60.0f);
    mover->setPeriods(1.0f);
    mover->setDelay(0.5f);
    screen->registerAnimator(mover);
    EXPECT_EQ(screen->getAnimator("mover"), mover);
    EXPECT_TRUE(mover->isWaiting());
    EXPECT_TRUE(screen->isWaitingAnimation());
    EXPECT_FALSE(screen->isAnimated());
    input->step(30);
    EXPECT_TRUE(mover->isRunning());
    input->step(30);
    EXPECT_NEAR(object->getX(), 130.0f, 0.1f);
    EXPECT_EQ(object->getY(), 200.0f);
    input->step(31);
    EXPECT_TRUE(mover->isFinished());
    EXPECT_NEAR(object->getX(), 160.0f, 0.01f);
    EXPECT_FALSE(screen->isAnimated());
    EXPECT_FALSE(screen->isWaitingAnimation());

    // Rewound (time 0, no stop time) and updated once, as the dice menu does.
    mover->rewind();
    mover->setDelay(0.0f);
    mover->update(0.0f);
    EXPECT_NEAR(object->getX(), 100.0f, 0.01f) << "from the position it started at";
    mover->setStopTime(0.25f);
    mover->update(0.5f);
    EXPECT_NEAR(object->getX(), 115.0f, 0.01f) << "held at its stop time";
    EXPECT_FALSE(mover->isRunning());
    mover->reset();
    EXPECT_EQ(object->getPosition(), quadrix::Vector2(100, 200));

    auto* fader = new gui::Animator("fader", gui::Animator::Type::AlphaChanger, object);
    fader->setFunction(gui::Animator::Function::Square);
    fader->setAmplitude(100.0f);
    fader->setOffset(155.0f);
    fader->setEnabled(false);
    screen->registerAnimator(fader);
    input->step(5);
    EXPECT_EQ(object->getAlpha(), 255) << "disabled animators do nothing";
    fader->setEnabled(true);
    input->step(1);
    EXPECT_EQ(object->getAlpha(), 255);
    input->step(31);
    EXPECT_EQ(object->getAlpha(), 55);
    EXPECT_TRUE(screen->isAnimated()) << "endless";
    auto* holder = new gui::Container("holder");
    screen->getRoot()->addChild(holder);
    holder->addChild(object);
    EXPECT_TRUE(screen->hasAnimator("fader")) << "moving the object in the tree keeps its animators";
    EXPECT_EQ(screen->getObject("object"), object);
    screen->destroyObjects(object);
    EXPECT_FALSE(screen->hasAnimator("fader")) << "animators go with their object";
}

}  // namespace
}  // namespace guitest
