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

namespace screenstest {

// A fresh temporary XDG_DATA_HOME for the per-user folder; removed with everything in it.
class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

private:
    kit::String path;
    kit::String previous;
    bool hadPrevious = false;
};

// Every log line written while it lives.
class LogLines {
public:
    LogLines();
    ~LogLines();
    LogLines(const LogLines&) = delete;
    LogLines& operator=(const LogLines&) = delete;
    int count(kit::Log::Level level, const kit::String& text) const;

private:
    struct Line {
        kit::Log::Level level;
        kit::String text;
    };
    kit::Array<Line> lines;
    int id;
};

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
    T* startScene(const std::function<T*()>& factory, bool waitForInput = true) {
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
