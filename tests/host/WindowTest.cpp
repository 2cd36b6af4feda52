#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>

#include "Support.h"

using hosttest::Recorder;
using hosttest::WindowFixture;

namespace {

// Counts frames and ends the loop after a number of them.
class FrameCounter : public host::UpdateDelegate {
public:
    int frames = 0;
    int stopAfter = -1;  // never
    float totalTime = 0.0f;
    kit::Array<float> steps;
    bool terminateInstead = false;

    bool onUpdate(float timeDelta) override {
        ++frames;
        totalTime += timeDelta;
        steps.push_back(timeDelta);
        host::rendersys->clear(host::Color::Black);
        if (frames == stopAfter) {
            if (terminateInstead) {
                host::window->terminateMainLoop();
                return true;
            }
            return false;
        }
        return true;
    }
};

}  // namespace

TEST_F(WindowFixture, OpensHeadlessWithTheSoftwareRenderer) {
    ASSERT_NE(host::window, nullptr);
    ASSERT_NE(host::rendersys, nullptr);
    EXPECT_TRUE(host::window->isCreated());
    EXPECT_TRUE(host::rendersys->isCreated());
    EXPECT_EQ(host::rendersys->getName(), "software");
    EXPECT_EQ(host::window->getWidth(), 320);
    EXPECT_EQ(host::window->getHeight(), 240);
    EXPECT_FLOAT_EQ(host::window->getAspectRatio(), 320.0f / 240.0f);
    EXPECT_EQ(host::window->getSize(), quadrix::Vector2(320.0f, 240.0f));
    EXPECT_FALSE(host::window->isFullscreen());
    EXPECT_NE(host::window->getNativeHandle(), nullptr);
    EXPECT_EQ(host::rendersys->getViewport(), quadrix::Rectangle(0, 0, 320, 240));
    EXPECT_EQ(host::window->getInputMode(), host::Window::InputMode::Mouse);
}

TEST_F(WindowFixture, TitleAndCursor) {
    EXPECT_EQ(host::window->getTitle(), "host test");
    host::window->setTitle("Swiggard (12,34)");
    EXPECT_EQ(host::window->getTitle(), "Swiggard (12,34)");
    host::window->setCursorVisible(false);
    EXPECT_FALSE(host::window->isCursorVisible());
    host::window->setCursorVisible(true);
    EXPECT_TRUE(host::window->isCursorVisible());

    host::TestDriver driver;
    driver.mouseMove(host::TestDriver::At::pixel(30, 40));
    driver.step();
    EXPECT_TRUE(host::window->isCursorInside());
    EXPECT_EQ(host::window->getCursorPosition(), quadrix::Vector2(30, 40));
    SDL_Event leave;
    SDL_zero(leave);
    leave.type = SDL_WINDOWEVENT;
    leave.window.event = SDL_WINDOWEVENT_LEAVE;
    leave.window.windowID = SDL_GetWindowID(static_cast<SDL_Window*>(host::window->getNativeHandle()));
    SDL_PushEvent(&leave);
    driver.step();
    EXPECT_FALSE(host::window->isCursorInside());
}

TEST_F(WindowFixture, TheUpdateDelegateEndsTheLoop) {
    FrameCounter counter;
    counter.stopAfter = 5;
    host::window->setUpdateDelegate(&counter);
    host::TestDriver driver(0.25f);
    EXPECT_TRUE(driver.step(4));
    EXPECT_FALSE(driver.isFinished());
    EXPECT_FALSE(driver.step(10));  // the fifth frame ends it
    EXPECT_TRUE(driver.isFinished());
    EXPECT_EQ(counter.frames, 5);
    EXPECT_EQ(driver.getFrameCount(), 5);
    for (float step : counter.steps) {
        EXPECT_FLOAT_EQ(step, 0.25f);
    }
    EXPECT_FALSE(driver.step());  // stays ended
    EXPECT_EQ(counter.frames, 5);
}

TEST_F(WindowFixture, TerminateMainLoopEndsItAfterTheFrame) {
    FrameCounter counter;
    counter.stopAfter = 3;
    counter.terminateInstead = true;
    host::window->setUpdateDelegate(&counter);
    EXPECT_EQ(host::window->enterMainLoop(), 0);
    EXPECT_EQ(counter.frames, 3);
    EXPECT_TRUE(host::window->isMainLoopTerminated());
}

TEST_F(WindowFixture, TheRealLoopPassesRealTimeAndIsPaced) {
    FrameCounter counter;
    counter.stopAfter = 12;
    host::window->setUpdateDelegate(&counter);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(host::window->enterMainLoop(), 0);
    double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(counter.frames, 12);
    // Paced to about 60 frames per second: 11 waits of 1/60 s at least (a lower bound only).
    EXPECT_GE(elapsed, 11.0 / 60.0 * 0.9);
    // The steps are the real time between frames.
    EXPECT_GT(counter.totalTime, 10.0f / 60.0f * 0.9f);
    for (size_t i = 1; i < counter.steps.size(); ++i) {
        EXPECT_GT(counter.steps[i], 0.0f);
    }
}

TEST_F(WindowFixture, TheQuitRequestReachesOnQuitWithoutClosing) {
    Recorder recorder;
    recorder.attach();
    FrameCounter counter;
    host::window->setUpdateDelegate(&counter);
    host::TestDriver driver;
    driver.requestQuit();
    EXPECT_TRUE(driver.step());
    EXPECT_EQ(recorder.take(), "quit 1");
    EXPECT_TRUE(host::window->isCreated());
    EXPECT_TRUE(driver.step(3));  // still running
    EXPECT_EQ(counter.frames, 4);

    // The game says yes: the loop ends.
    recorder.quitAnswer = true;
    driver.requestQuit();
    EXPECT_FALSE(driver.step());
    EXPECT_EQ(recorder.take(), "quit 1");
    EXPECT_EQ(counter.frames, 4);  // the frame of the quit is not updated
}

TEST_F(WindowFixture, WithoutASystemDelegateQuitEndsTheLoop) {
    host::TestDriver driver;
    EXPECT_TRUE(driver.step());
    driver.requestQuit();
    EXPECT_FALSE(driver.step());
}

TEST_F(WindowFixture, FocusAndFullScreen) {
    Recorder recorder;
    recorder.attach();
    host::TestDriver driver;
    driver.setWindowFocus(false);
    driver.setWindowFocus(true);
    driver.step();
    EXPECT_EQ(recorder.take(), "focus 0|focus 1");

    host::window->setFullscreen(true);
    driver.step(2);
    EXPECT_TRUE(host::window->isFullscreen());
    kit::String calls = recorder.take();
    ASSERT_FALSE(calls.empty());
    EXPECT_NE(calls.find(" 1"), kit::String::npos) << calls;  // reported as full screen
    EXPECT_EQ(host::rendersys->getViewport(),
              quadrix::Rectangle(0, 0, float(host::window->getWidth()), float(host::window->getHeight())));

    host::window->setFullscreen(false);
    driver.step(2);
    EXPECT_FALSE(host::window->isFullscreen());
    calls = recorder.take();
    EXPECT_NE(calls.find("size 320 240 0"), kit::String::npos) << calls;
}

TEST_F(WindowFixture, FrameRateFollowsTheTimeSteps) {
    host::TestDriver driver(1.0f / 30.0f);
    driver.step(31);
    EXPECT_EQ(host::window->getFps(), 30);
    driver.setTimeStep(1.0f / 60.0f);
    driver.step(122);  // the first second mixes both steps
    EXPECT_EQ(host::window->getFps(), 60);
}

TEST(MainLoop, RunMainCallsInitRunsTheLoopAndCallsDestroy) {
    FrameCounter counter;
    counter.stopAfter = 3;
    kit::Array<kit::String> received;
    bool destroyed = false;
    char program[] = "/usr/games/swiggard";
    char argument[] = "--test";
    char* argv[] = {program, argument, nullptr};
    int result = host::runMain(
        [&](const kit::Array<kit::String>& args) {
            received = args;
            ASSERT_TRUE(host::init());
            ASSERT_TRUE(host::createRenderSystem());
            ASSERT_TRUE(host::createWindow(200, 100, false, "Swiggard"));
            host::window->setUpdateDelegate(&counter);
        },
        [&] {
            destroyed = true;
            host::destroy();
        },
        2, argv);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(received, (kit::Array<kit::String>{"/usr/games/swiggard", "--test"}));
    EXPECT_EQ(counter.frames, 3);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(host::window, nullptr);
    EXPECT_EQ(host::rendersys, nullptr);
}

TEST(MainLoop, WithoutAWindowTheLoopIsSkipped) {
    bool destroyed = false;
    char program[] = "swiggard";
    char* argv[] = {program, nullptr};
    int result = host::runMain([](const kit::Array<kit::String>&) {}, [&] { destroyed = true; }, 1, argv);
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(destroyed);
}

TEST(MainLoop, InitAndDestroyCanRepeat) {
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(host::init());
        ASSERT_TRUE(host::createRenderSystem());
        ASSERT_TRUE(host::createWindow(64, 48, false, "again"));
        host::TestDriver driver;
        EXPECT_TRUE(driver.step(2));
        host::destroy();
        EXPECT_EQ(host::window, nullptr);
    }
    host::destroy();  // twice is harmless
}
