#pragma once

#include <gtest/gtest.h>
#include <host/TestDriver.h>
#include <host/Window.h>
#include <kit/Env.h>
#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/menu/Base.h>
#include <ventrel/scene/Base.h>
#include <ventrel/system/Core.h>
#include <ventrel/system/SceneManager.h>

#include <memory>

#include "System/GameInit.h"
#include "TempFolder.h"

namespace e2etest {

// A whole number from the environment, or the fallback when it is not set.
inline int envNumber(const char* name, int fallback) {
    kit::String value = kit::getEnv(name);
    return value.empty() ? fallback : kit::toInt(value);
}

// The whole game started in this process for a player called "player" with a fresh home folder (or
// the given one, which outlives the session), driven frame by frame; quit and torn down at the end of
// the scope.
class GameSession {
public:
    explicit GameSession(const kit::String& keptHome = "")
        : data("XDG_DATA_HOME", keptHome.empty() ? home.getPath() : keptHome) {
        System::gameInit({});
        driver = std::make_unique<host::TestDriver>(1.0f / 30.0f);
    }
    ~GameSession() {
        if (ventrel::core) {
            ventrel::core->exitGame();
        }
        driver->stepUntil([] { return false; }, 60);
        driver.reset();
        System::gameDestroy();
    }
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // Runs frames until the current scene runs (the first scene after start-up); false after 60.
    bool waitForScene() {
        return driver->stepUntil(
            [] {
                return ventrel::sceneManager->getScene() && ventrel::sceneManager->getScene()->isRunning();
            },
            60);
    }
    // Switches to the scene and runs frames until it takes input; false after 300 frames.
    bool goTo(const kit::String& scene) {
        ventrel::sceneManager->switchScene(scene);
        return waitForScene(scene);
    }
    // Runs frames until the named scene is current and takes input. Two more frames let its menus take input
    // too.
    bool waitForScene(const kit::String& scene) {
        bool reached = driver->stepUntil([&] { return isAt(scene); }, 300);
        return reached && driver->step(2);
    }
    // The named scene is current, no other is coming, and it takes input.
    static bool isAt(const kit::String& scene) {
        ventrel::scene::Base* current = ventrel::sceneManager->getScene();
        return current && !ventrel::sceneManager->getNextScene() &&
               ventrel::sceneManager->getCurrentSceneName() == scene && current->isInputAllowed();
    }
    // Runs frames until the screen (a menu, dialog or overlay) is shown and takes input.
    bool waitForInput(ventrel::system::Context* screen) {
        return driver->stepUntil([screen] { return screen->isVisible() && screen->isInputAllowed(); }, 120);
    }
    // A click in the middle of the named object of the screen, as a player's mouse gives it; a missing
    // object fails the test.
    void click(ventrel::system::Context* screen, const kit::String& name) {
        gui::Object* object = screen ? screen->getObject(name) : nullptr;
        if (!object) {
            ADD_FAILURE() << (screen ? screen->getName() : kit::String("no screen")) << " has no object "
                          << name;
            return;
        }
        driver->click(object->getBoundingRect().getCenter());
    }
    // Clicks the edit box, types the text and ends with Enter, as a player does.
    void typeInto(ventrel::system::Context* screen, const kit::String& box, const kit::String& text) {
        click(screen, box);
        driver->step(2);
        driver->typeText(text);
        driver->step();
        driver->pressKey(host::Key::Return);
        driver->step(2);
    }
    // The current scene's first menu of that class; null when it has none.
    template <class Menu>
    Menu* findMenu() const {
        for (ventrel::menu::Base* candidate : getScene()->getAllMenus()) {
            if (auto* found = dynamic_cast<Menu*>(candidate)) {
                return found;
            }
        }
        return nullptr;
    }
    // Runs frames until the current scene has a menu of that class that is shown and takes input; null
    // after the frames given.
    template <class Menu>
    Menu* waitForMenu(int frames = 300) {
        Menu* found = nullptr;
        driver->stepUntil(
            [&] {
                found = getScene() ? findMenu<Menu>() : nullptr;
                return found && found->isVisible() && found->isInputAllowed();
            },
            frames);
        return found && found->isVisible() && found->isInputAllowed() ? found : nullptr;
    }
    // The game starts full screen: a window of that size instead.
    void useWindow(int width, int height) {
        host::window->setFullscreen(false);
        host::window->setSize(width, height);
        driver->step(2);
    }
    ventrel::scene::Base* getScene() const { return ventrel::sceneManager->getScene(); }
    host::TestDriver& getDriver() { return *driver; }

private:
    TempFolder home;
    ScopedEnv data;
    ScopedEnv user{"USER", "player"};
    std::unique_ptr<host::TestDriver> driver;
};

}  // namespace e2etest
