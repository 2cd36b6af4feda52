#include <kit/Env.h>
#include <kit/File.h>
#include <kit/Strings.h>

#include <chrono>
#include <thread>

#include "EngineFixture.h"

using namespace enginetest;
using Level = kit::Log::Level;

class CoreTest : public EngineFixture {};

TEST_F(CoreTest, StartUpReportComesInItsOrder) {
    LogLines log;
    startEngine();
    host::SystemInfo info = host::getSystemInfo();
    kit::Array<kit::String> expected = {
        "Game Version: 1.2.3",
        "Initializing Ventrel Engine: 1.5.0",
        "System Path: " + core->getSystemPath(),
        "System Info:",
        "  - System Name: " + info.name,
        "  - CPU Architecture: " + info.architecture,
        "  - CPU Cores: " + std::to_string(info.cpuCores),
        "  - RAM: " + std::to_string(info.ram) + " MB",
        "  - Display Resolution: " + std::to_string(int(info.displayResolution.x)) + "x" +
            std::to_string(int(info.displayResolution.y)),
        "  - Display DPI: " + std::to_string(info.displayDpi),
        "  - System Locale: " + info.locale,
    };
    size_t next = 0;
    for (const LogLines::Line& line : log.lines) {
        if (next < expected.size() && line.text == expected[next]) {
            EXPECT_EQ(line.level, next == 2 ? Level::Debug : Level::Write) << line.text;
            ++next;
        }
    }
    EXPECT_EQ(next, expected.size()) << "missing or out of order: "
                                     << (next < expected.size() ? expected[next] : "");
}

TEST_F(CoreTest, PerUserFolderHoldsTheLogFile) {
    startEngine();
    kit::String user = kit::getEnv("USER").empty() ? kit::getEnv("USERNAME") : kit::getEnv("USER");
    if (user.empty()) {
        EXPECT_FALSE(kit::contains(core->getSystemPath(), "//"))
            << "an unnamed user still gets a folder name";
    } else {
        EXPECT_EQ(core->getSystemPath(), home.getPath() + "/Studio/Game/" + user + "/");
    }
    EXPECT_EQ(core->getSystemPath().rfind(home.getPath() + "/Studio/Game/", 0), 0u);
    kit::Log::write("test", "a line for the file");
    kit::Log::setFilename("");
    kit::String text = kit::File::readText(core->getSystemPath() + "log.txt");
    EXPECT_TRUE(kit::contains(text, "Game Version: 1.2.3"));
    EXPECT_TRUE(kit::contains(text, "a line for the file"));
}

TEST_F(CoreTest, WithoutAsyncLoadingTheFirstFrameLoadsAndRunsAFullStep) {
    startEngine();
    ventrel::sceneManager->registerSceneFactory("Scene::A", [] { return std::make_unique<TestScene>(); });
    ventrel::sceneManager->switchScene("Scene::A");
    driver->step(1);
    EXPECT_EQ(core->loads, 1);
    EXPECT_EQ(core->asyncLoads, 0);
    EXPECT_TRUE(core->isLoaded());
    EXPECT_TRUE(ventrel::sceneManager->isRunning()) << "the scene manager was updated in the same frame";
    EXPECT_TRUE(core->isRunning());
}

TEST_F(CoreTest, AsyncPreLoadClampsTheStepAndHandsOverThroughTheLoadedFlag) {
    startEngine(true);
    ventrel::sceneManager->registerSceneFactory("Scene::A", [] { return std::make_unique<TestScene>(); });
    ventrel::sceneManager->switchScene("Scene::A");
    EXPECT_TRUE(core->onUpdate(0.5f));
    EXPECT_EQ(core->loads, 1);
    EXPECT_FLOAT_EQ(ventrel::sceneManager->getTimeDelta(), 0.2f);
    EXPECT_FALSE(ventrel::sceneManager->isRunning()) << "no scene is updated while pre-loading";
    for (int i = 0; i < 2000 && !core->isLoaded(); ++i) {
        core->onUpdate(-1.0f);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(core->isLoaded());
    EXPECT_EQ(core->asyncLoads, 1);
    // The scene is set up on the scene manager's thread; give it real time, not only frames.
    bool running = false;
    for (int i = 0; i < 1000 && !running; ++i) {
        driver->step(1);
        running = scene() && scene()->isRunning() && !ventrel::sceneManager->isSceneLoading();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(running);
    EXPECT_EQ(core->loads, 1);
}

TEST_F(CoreTest, NegativeStepInThePreLoadIsStoredAsZero) {
    startEngine(true);
    core->onUpdate(-0.3f);
    EXPECT_EQ(ventrel::sceneManager->getTimeDelta(), 0.0f);
}

namespace {

// Notes, when it is deleted, whether the scene manager's global still reaches its manager.
class SceneSeeingItsManager : public TestScene {
public:
    static inline bool managerSeen = false;
    ~SceneSeeingItsManager() override { managerSeen = ventrel::sceneManager != nullptr; }
};

}  // namespace

TEST_F(CoreTest, DestroyClearsTheGlobalsAndTheConfiguration) {
    startEngine();
    ventrel::cfg = std::make_unique<ventrel::CfgParser::Map>();
    ventrel::sceneManager->registerSceneFactory("Scene::Seeing",
                                                [] { return std::make_unique<SceneSeeingItsManager>(); });
    ventrel::sceneManager->switchScene("Scene::Seeing");
    LogLines log;
    ventrel::destroy();
    EXPECT_TRUE(SceneSeeingItsManager::managerSeen) << "a screen deleted with its manager still reaches it";
    EXPECT_TRUE(log.has(Level::Write, "Destroying Ventrel Engine."));
    EXPECT_EQ(ventrel::cfg, nullptr);
    EXPECT_EQ(ventrel::sceneManager, nullptr);
    EXPECT_EQ(ventrel::input, nullptr);
    // Nothing the window delivers afterwards reaches the deleted managers.
    EXPECT_EQ(host::window->getUpdateDelegate(), nullptr);
    EXPECT_EQ(host::window->getSystemDelegate(), nullptr);
    EXPECT_EQ(host::window->getKeyboardDelegate(), nullptr);
    EXPECT_EQ(host::window->getTouchDelegate(), nullptr);
    EXPECT_EQ(host::window->getControllerDelegate(), nullptr);
    // The fixture's tear-down must not destroy twice.
    driver.reset();
    delete tempState;
    delete gameState;
    delete core;
    core = nullptr;
    ventrel::core = nullptr;
}

TEST_F(CoreTest, CrashReportWithoutExitLogsAndDetachesTheWindow) {
    startEngine();
    core->setCrashExit(false);
    LogLines log;
    core->logCrash(kit::Exception("boom"));
    EXPECT_TRUE(log.has(Level::Error, "boom"));
    EXPECT_EQ(host::window->getUpdateDelegate(), nullptr);
    EXPECT_EQ(host::window->getMouseDelegate(), nullptr);
    EXPECT_EQ(host::window->getControllerDelegate(), nullptr);
}

TEST_F(CoreTest, DebugKeysAreTrackedOnlyWhenDebugIsOnAtInit) {
    startEngine();
    ventrel::input->onKeyDown(host::Key::F7);
    ventrel::input->update();
    EXPECT_FALSE(ventrel::input->isKeyTriggered(host::Key::F7));
}

TEST_F(CoreTest, DebugKeysSlowDownTimeAndToggleTheFrameRate) {
    startEngine(false, true);
    ventrel::sceneManager->registerSceneFactory("Scene::A", [] { return std::make_unique<TestScene>(); });
    ventrel::sceneManager->switchScene("Scene::A");
    driver->step(5);
    driver->keyDown(host::Key::F7);
    driver->step(2);
    EXPECT_FLOAT_EQ(ventrel::sceneManager->getTimeDelta(), 0.005f);
    driver->keyUp(host::Key::F7);
    driver->pressKey(host::Key::F6);
    driver->step(2);
    EXPECT_TRUE(core->isFpsRendering());
    EXPECT_FLOAT_EQ(ventrel::sceneManager->getTimeDelta(), 0.05f);
    driver->pressKey(host::Key::F2);
    driver->step(2);
    EXPECT_TRUE(gui::isDebugEnabled());
    EXPECT_TRUE(kit::contains(host::window->getTitle(), "engine test ("));
    driver->pressKey(host::Key::F2);
    driver->step(2);
    EXPECT_EQ(host::window->getTitle(), "engine test");
    gui::setDebugEnabled(false);
}
