#include <fonts/Fonts.h>
#include <gtest/gtest.h>
#include <host/Host.h>
#include <host/TestDriver.h>
#include <kit/File.h>
#include <kit/Strings.h>
#include <sys/wait.h>
#include <unistd.h>
#include <ventrel/Ventrel.h>
#include <ventrel/menu/Overlay.h>
#include <ventrel/system/SceneManager.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include "System/Core.h"
#include "System/GameInit.h"
#include "TempFolder.h"

using e2etest::ScopedEnv;
using e2etest::TempFolder;

// The whole game in this process, driven frame by frame.
TEST(GameRunTest, StartsShowsTheFirstSceneAndQuits) {
    TempFolder home;
    ScopedEnv data("XDG_DATA_HOME", home.getPath());
    ScopedEnv user("USER", "player");
    System::gameInit({});
    ASSERT_NE(host::window, nullptr);
    EXPECT_EQ(host::window->getTitle(), "Swiggard");
    // Names in other scripts than the interface's can be drawn.
    for (char32_t character : {U'Ж', U'乾', U'건'}) {
        EXPECT_TRUE(fonts::renderer->getFont("default")->hasGlyph(character)) << static_cast<int>(character);
    }
    {
        host::TestDriver driver(1.0f / 30.0f);
        ASSERT_TRUE(driver.stepUntil(
            [] {
                return ventrel::sceneManager->getScene() && ventrel::sceneManager->getScene()->isRunning();
            },
            30));
        EXPECT_EQ(ventrel::sceneManager->getCurrentSceneName(), "Scene::Disclaimer");
        EXPECT_EQ(ventrel::sceneManager->getScene()->getRootName(), "scene/disclaimer");
        ASSERT_NE(ventrel::sceneManager->getScene()->getRoot(), nullptr) << "its screen was loaded";
        kit::String shot = home.getPath() + "/first.png";
        ASSERT_TRUE(driver.captureFrame(shot));
        EXPECT_GT(std::filesystem::file_size(shot), 1000u);

        // The window's close button asks first: no goes back, yes ends the loop.
        ventrel::menu::Overlay* quit = ventrel::sceneManager->findOverlay("menu/overlay/quit");
        auto askToQuit = [&] {
            driver.requestQuit();
            return driver.stepUntil([&] { return quit->isVisible() && quit->isInputAllowed(); }, 60);
        };
        ASSERT_TRUE(askToQuit());
        driver.click(quit->getObject("button_no")->getBoundingRect().getCenter());
        ASSERT_TRUE(driver.stepUntil([&] { return !quit->isVisible(); }, 60));
        EXPECT_FALSE(driver.isFinished());
        ASSERT_TRUE(askToQuit());
        driver.click(quit->getObject("button_yes")->getBoundingRect().getCenter());
        EXPECT_TRUE(driver.stepUntil([] { return false; }, 60) == false);
        EXPECT_TRUE(driver.isFinished()) << "yes ended the loop";
    }
    kit::String log = home.getPath() + "/Morrowleaf/Swiggard/player/log.txt";
    System::gameDestroy();
    EXPECT_EQ(ventrel::cfg, nullptr);
    EXPECT_EQ(ventrel::core, nullptr);
    kit::String text = kit::File::readText(log);
    EXPECT_TRUE(kit::contains(text, "Game Version: 2.5.7"));
    EXPECT_TRUE(kit::contains(text, "Switching scene: Scene::Disclaimer"));
    EXPECT_TRUE(kit::contains(text, "Destroying Ventrel Engine."));
}

namespace {

pid_t startProgram(const kit::String& home, const kit::String& runtime) {
    pid_t pid = fork();
    if (pid == 0) {
        setenv("XDG_DATA_HOME", home.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        execl(SWIGGARD_PROGRAM, SWIGGARD_PROGRAM, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// The exit code, or -1 when the process did not end in time.
int waitFor(pid_t pid, std::chrono::seconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

}  // namespace

// The real program: a second copy ends at once with 0; the first ends cleanly on a quit request
// (SDL turns SIGTERM into one).
TEST(ProgramTest, SingleInstanceAndQuit) {
    TempFolder home;
    TempFolder runtime;
    pid_t first = startProgram(home.getPath(), runtime.getPath());
    ASSERT_GT(first, 0);
    kit::String log = home.getPath() + "/Morrowleaf/Swiggard/";
    bool shown = false;
    for (int i = 0; i < 300 && !shown; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        for (const auto& entry : std::filesystem::recursive_directory_iterator(home.getPath())) {
            if (entry.path().filename() == "log.txt" &&
                kit::contains(kit::File::readText(entry.path().string()), "Scene setup: scene/disclaimer")) {
                shown = true;
            }
        }
    }
    ASSERT_TRUE(shown) << "the first scene never came up";

    pid_t second = startProgram(home.getPath(), runtime.getPath());
    EXPECT_EQ(waitFor(second, std::chrono::seconds(10)), 0);

    kill(first, SIGTERM);
    EXPECT_EQ(waitFor(first, std::chrono::seconds(30)), 0);
}
