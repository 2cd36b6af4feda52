#pragma once

#include <gtest/gtest.h>
#include <host/TestDriver.h>
#include <kit/Log.h>
#include <ventrel/Ventrel.h>
#include <ventrel/scene/Base.h>
#include <ventrel/system/Core.h>
#include <ventrel/system/SceneManager.h>
#include <ventrel/system/TempState.h>

#include <functional>
#include <memory>

#include "LogLines.h"
#include "TempHome.h"

namespace screenstest {

using testsupport::LogLines;
using testsupport::TempHome;

class ScreensCore : public ventrel::system::Core {
public:
    ScreensCore();
};

// A headless window with the GUI and the engine started as the game starts them; screens come from
// the suite's own data sets (data/screens_tests). Frames last 0.05 s.
class ScreensFixture : public ::testing::Test {
protected:
    static constexpr float Step = 0.05f;

    void SetUp() override;
    void TearDown() override;

    // Makes the scene current and runs frames until it is running (and, by default, takes input).
    template <class T>
    T* startScene(const std::function<std::unique_ptr<T>()>& factory, bool waitForInput = true) {
        ventrel::sceneManager->registerSceneFactory("Scene::Test", [factory] { return factory(); });
        ventrel::sceneManager->switchScene("Scene::Test");
        EXPECT_TRUE(stepUntil([waitForInput] {
            ventrel::scene::Base* scene = ventrel::sceneManager->getScene();
            return scene && scene->isRunning() && (!waitForInput || scene->isInputAllowed());
        }));
        return static_cast<T*>(ventrel::sceneManager->getScene());
    }
    bool stepUntil(const std::function<bool()>& condition, int maxFrames = 300);
    void step(int frames = 1) { driver->step(frames); }
    // The centre of an object on screen.
    static quadrix::Vector2 centreOf(gui::Object* object);
    void click(gui::Object* object) { driver->click(centreOf(object)); }

    TempHome home;
    ScreensCore* core = nullptr;
    ventrel::system::TempState* tempState = nullptr;
    std::unique_ptr<host::TestDriver> driver;
};

}  // namespace screenstest
