#pragma once

#include <fonts/Fonts.h>
#include <gtest/gtest.h>
#include <gui/Gui.h>
#include <host/Host.h>
#include <host/TestDriver.h>
#include <kit/Log.h>
#include <ventrel/Ventrel.h>
#include <ventrel/menu/Overlay.h>
#include <ventrel/menu/Transition.h>
#include <ventrel/scene/Base.h>
#include <ventrel/system/Core.h>
#include <ventrel/system/GameState.h>
#include <ventrel/system/Input.h>
#include <ventrel/system/SceneManager.h>
#include <ventrel/system/TempState.h>
#include <ventrel/system/TransitionManager.h>

#include <memory>

#include "LogLines.h"
#include "TempHome.h"

namespace enginetest {

using testsupport::LogLines;
using testsupport::TempHome;

// The transition menu records the manager's calls; its curtain fades in for a moment when it starts.
class TestTransition : public ventrel::menu::Transition {
public:
    TestTransition() : Transition(nullptr, "transition") {}
    void startTransition(int type, float time) override;
    void finishTransition(int, float) override { ++finishes; }
    void startWaitForInput() override { ++waitStarts; }
    void finishWaitForInput() override { ++waitFinishes; }
    int starts = 0;
    int finishes = 0;
    int waitStarts = 0;
    int waitFinishes = 0;
};

class TestCore : public ventrel::system::Core {
public:
    TestCore();
    std::unique_ptr<ventrel::menu::Transition> _createTransition() override {
        return std::make_unique<TestTransition>();
    }
    void onQuit(bool) override { ++quits; }
    void setCrashExit(bool value) { crashExit = value; }
    int quits = 0;
    int loads = 0;
    int asyncLoads = 0;

protected:
    void _load() override { ++loads; }
    void _loadAsync() override { ++asyncLoads; }
};

// A scene with one button; counts its updates, clicks and instances.
class TestScene : public ventrel::scene::Base {
public:
    explicit TestScene(const kit::String& playlist = "");
    ~TestScene() override;
    static int alive;
    int updates = 0;
    int clicks = 0;
    bool inputAllowedAtSetup = true;

    void setup() override;
    void update() override;
    void waitBeforeSwitch(float seconds) { waitFor(seconds); }
    void dialogResult(const kit::String& dialog, int button, const kit::String& context) override;
    kit::String answeredDialog;
    int answeredButton = -1;
    kit::String answeredContext;

protected:
    void _setupCallbacks() override;
    bool _buttonOk(gui::Object*);
    std::unique_ptr<Base> _createNew() override { return std::make_unique<TestScene>(playlistName); }
};

class TestOverlay : public ventrel::menu::Overlay {
public:
    explicit TestOverlay(bool animated);
};

// A window, the GUI and the engine, started as the game starts them, headless.
class EngineFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the engine; tests that need something before ventrel::init call it themselves.
    void startEngine(bool async = false, bool debug = false);
    void registerScenes();
    // Runs frames until the condition holds; false after maxFrames.
    bool stepUntil(const std::function<bool()>& condition, int maxFrames = 300);
    TestTransition* transition() const;
    TestScene* scene() const;

    TempHome home;
    TestCore* core = nullptr;
    ventrel::system::GameState* gameState = nullptr;
    ventrel::system::TempState* tempState = nullptr;
    std::unique_ptr<host::TestDriver> driver;
};

}  // namespace enginetest
