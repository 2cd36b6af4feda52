#pragma once

#include <host/TestDriver.h>
#include <ventrel/Ventrel.h>
#include <ventrel/scene/Base.h>
#include <ventrel/system/SceneManager.h>

#include <memory>

#include "System/GameInit.h"
#include "TempFolder.h"

namespace e2etest {

// The whole game started in this process for a player called "player" with a fresh home folder,
// driven frame by frame; quit and torn down at the end of the scope.
class GameSession {
public:
    GameSession() {
        System::gameInit({});
        driver = std::make_unique<host::TestDriver>(1.0f / 30.0f);
    }
    ~GameSession() {
        driver->requestQuit();
        driver->stepUntil([] { return false; }, 30);
        driver.reset();
        System::gameDestroy();
    }
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // Runs frames until the current scene runs (the first scene after start-up); false after 60.
    bool waitForScene() {
        return driver->stepUntil(
            [] { return ventrel::sceneManager->getScene() && ventrel::sceneManager->getScene()->isRunning(); },
            60);
    }
    host::TestDriver& getDriver() { return *driver; }
    const kit::String& getHome() const { return home.getPath(); }

private:
    TempFolder home;
    ScopedEnv data{"XDG_DATA_HOME", home.getPath()};
    ScopedEnv user{"USER", "player"};
    std::unique_ptr<host::TestDriver> driver;
};

}  // namespace e2etest
